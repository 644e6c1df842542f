// The repetition patterns of the editor: the pattern list, the occurrence
// list and the weekday list fill the date fields.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace murva {

// Pattern list indices.
inline constexpr int kPatternNone = 0;
inline constexpr int kPatternYearly = 1;      // 毎年
inline constexpr int kPatternMonthly = 2;     // 毎月
inline constexpr int kPatternWeekly = 3;      // 毎週
inline constexpr int kPatternNthWeekday = 4;  // 週指定

inline constexpr std::array<const char*, 5> kPatternItems = {"", "毎年", "毎月", "毎週", "週指定"};
inline constexpr std::array<const char*, 7> kOccurrenceItems = {
    "", "１回目", "２回目", "３回目", "４回目", "５回目", "最終回"};
inline constexpr std::array<const char*, 8> kWeekdayItems = {
    "", "日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"};

inline constexpr const char* kPatternChooseMessage = "パターン設定欄で選択してください";
inline constexpr const char* kPatternWeeklyMessage =
    "「毎週」パターンの時は日曜から土曜日までのいずれかを選択してください";
inline constexpr const char* kPatternNthWeekdayMessage =
    "「週指定」パターンの時は何回目かの指定と曜日指定の両方を選択してください";

// The editor fields, for where the focus goes.
enum class EditorField { kYear, kMonth, kDay, kText };

// The date fields a pattern sets and the field that gets the focus.
struct PatternFields {
  std::string year;
  std::string month;
  std::string day;
  EditorField focus = EditorField::kMonth;

  bool operator==(const PatternFields&) const = default;
};

// What the pattern button does: the fields to set, or (fields empty) the
// message to show, the date fields staying as they are. On success the
// three pattern lists return to their empty item.
struct PatternOutcome {
  std::optional<PatternFields> fields;
  std::string message;
};

// `occurrence` indexes the occurrence list (1 = １回目 .. 6 = 最終回) and
// `weekday` the weekday list (1 = 日曜日 .. 7 = 土曜日); 0 is the empty item.
PatternOutcome ApplyPattern(int pattern, int occurrence, int weekday);

// Which pattern lists a pattern needs (shown in yellow, the others in the
// button-face colour), and the message the empty pattern shows. The focus
// then goes to the month field.
struct PatternNeeds {
  bool occurrence = false;
  bool weekday = false;
  std::string message;
};
PatternNeeds PatternNeedsOf(int pattern);

}  // namespace murva
