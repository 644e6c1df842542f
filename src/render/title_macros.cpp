#include "render/title_macros.h"

#include <array>
#include <functional>

#include "calendar/julius.h"
#include "render/os_name.h"

namespace murva {

namespace {

constexpr std::array<const char*, 7> kJapaneseWeekdays = {
    "日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"};
constexpr std::array<const char*, 7> kEnglishWeekdays = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

constexpr std::array<const char*, 10> kFullWidthDigits = {
    "０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};

// A field text without its trailing "/".
std::string WithoutSlash(const std::string& text) {
  if (!text.empty() && text.back() == '/') return text.substr(0, text.size() - 1);
  return text;
}

// The values the macros stand for, worked out only when asked.
class MacroValues {
 public:
  MacroValues(const TodayFields& today, const Clock& clock) : today_(today), clock_(clock) {}

  std::string Year() const { return WithoutSlash(today_.year_text); }
  std::string YearLastTwo() const {
    const std::string year = Year();
    return year.size() >= 2 ? year.substr(year.size() - 2) : year;
  }
  std::string YearThirdFourth() const {
    const std::string year = Year();
    return year.size() >= 4 ? year.substr(2, 2) : YearLastTwo();
  }
  std::string Month() const { return WithoutSlash(today_.month_text); }
  std::string Day() const { return today_.day_text; }
  int MonthNumber() const { return today_.month; }
  int DayNumber() const { return today_.day; }
  int Weekday() const { return JuliusToWeekday(DateTimeToJulius(clock_.Now())); }

 private:
  const TodayFields& today_;
  const Clock& clock_;
};

struct Macro {
  const char* name;
  std::function<std::string(const MacroValues&)> value;
};

const std::array<Macro, 13>& MacroTable() {
  static const std::array<Macro, 13> table = {{
      {"$yyyy", [](const MacroValues& v) { return v.Year(); }},
      {"$yy", [](const MacroValues& v) { return v.YearLastTwo(); }},
      {"$mm", [](const MacroValues& v) { return v.Month(); }},
      {"$dd", [](const MacroValues& v) { return v.Day(); }},
      {"$YYYY", [](const MacroValues& v) { return FullWidthDigits(v.Year()); }},
      {"$YY", [](const MacroValues& v) { return FullWidthDigits(v.YearThirdFourth()); }},
      {"$MM", [](const MacroValues& v) { return FullWidthDigits(std::to_string(v.MonthNumber())); }},
      {"$DD", [](const MacroValues& v) { return FullWidthDigits(std::to_string(v.DayNumber())); }},
      {"$WW", [](const MacroValues& v) { return std::string(kJapaneseWeekdays[v.Weekday() - 1]); }},
      {"$ww", [](const MacroValues& v) { return std::string(kEnglishWeekdays[v.Weekday() - 1]); }},
      {"$WD", [](const MacroValues& v) { return FullWidthDigits(std::to_string(7 - v.Weekday())); }},
      {"$wd", [](const MacroValues& v) { return std::to_string(7 - v.Weekday()); }},
      {"$os", [](const MacroValues&) { return OsName(); }},
  }};
  return table;
}

}  // namespace

void ExpandTitleMacros(std::string& text, const TodayFields& today, const Clock& clock) {
  const MacroValues values(today, clock);
  for (int pass = 0; pass < kMaxMacroPasses && text.find('$') != std::string::npos; ++pass) {
    for (const Macro& macro : MacroTable()) {
      const std::size_t at = text.find(macro.name);
      if (at == std::string::npos) continue;
      text.replace(at, std::char_traits<char>::length(macro.name), macro.value(values));
      break;
    }
  }
}

std::string FullWidthDigits(const std::string& text) {
  std::string result;
  result.reserve(text.size() * 3);
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      result += kFullWidthDigits[c - '0'];
    } else {
      result += c;
    }
  }
  return result;
}

}  // namespace murva
