#include "app/settings_choices.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace murva {
namespace {

constexpr std::array<const char*, 8> kStyleItems = {"ライン形",   "ボックス形", "バイオ身体",
                                                    "バイオ感情", "バイオ知性", "ウェーブ形",
                                                    "ランダム形", "ショック形"};
constexpr std::array<const char*, 11> kMonthItems = {
    "表示しない", "January形式", "JAN形式",    "Jan形式",    "jan形式",   "数字形式",
    "数字+月形式", "和風形式",   "誕生石形式", "誕生犬形式", "誕生猫形式"};
constexpr std::array<const char*, 8> kWeekItems = {"表示しない", "SU形式",  "Su形式",
                                                   "su形式",     "SUN形式", "Sun形式",
                                                   "sun形式",    "漢字形式"};
constexpr std::array<const char*, 3> kTodayItems = {"表示しない", "色で表示", "下線で表示"};
constexpr std::array<const char*, 2> kFolderItems = {"ＢＭＰファイルと同じフォルダ",
                                                     "ＭＵＲＶＡ３２と同じフォルダ"};
constexpr std::array<const char*, 7> kPeriodItems = {
    "今月のカレンダのみ表示します", "今月＋来月のカレンダを表示", "先月＋今月＋来月を表示する",
    "今月＋２ヶ月先まで表示する",   "今月＋３ヶ月先まで表示する", "今月＋４ヶ月先まで表示する",
    "今月＋５ヶ月先まで表示する"};

const std::array<ChoiceList, 6> kChoices = {{
    {"ComboBoxStyl", "カレンダの形", kStyleItems, &WorkingCopy::calendar_style, &keys::kCalendStyl,
     true},
    {"ComboBoxMonth", "月の表示", kMonthItems, &WorkingCopy::month_label_style, &keys::kCalendMnth,
     true},
    {"ComboBoxWeek", "曜日の表示", kWeekItems, &WorkingCopy::weekday_label_style,
     &keys::kCalendWeek, true},
    {"ComboBoxToday", "今日の表示", kTodayItems, &WorkingCopy::today_mark, &keys::kCalendTday, true},
    {"ComboBoxFold", "カレンダの作成先フォルダは？", kFolderItems, &WorkingCopy::output_folder,
     &keys::kCalendFold, false},
    {"ComboBoxPeriod", "何ヶ月分のカレンダを表示する？", kPeriodItems, &WorkingCopy::period,
     &keys::kCalendPerd, true},
}};

// "１" .. "４": the line numbers as the hints write them.
std::string FullWidthDigit(int digit) {
  if (digit < 0 || digit > 9) throw std::out_of_range("no title line " + std::to_string(digit));
  // U+FF10 + digit, three bytes in UTF-8.
  const char32_t code = 0xFF10 + static_cast<char32_t>(digit);
  return {static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
          static_cast<char>(0x80 | (code & 0x3F))};
}

std::string LineHint(int line, const char* rest) {
  if (line < 1 || line > kTitleLineCount) {
    throw std::out_of_range("no title line " + std::to_string(line));
  }
  return FullWidthDigit(line) + rest;
}

}  // namespace

std::span<const ChoiceList> BasicSettingsChoices() { return kChoices; }

int ShownIndex(const ChoiceList& choice, int selection) {
  return selection >= 0 && selection < static_cast<int>(choice.items.size()) ? selection : -1;
}

NumberRange OneDigitAdjustRange() { return {keys::kCalendAdjt.min_value, keys::kCalendAdjt.max_value}; }

NumberRange TitleGapRange() { return {keys::kTitlePosT.min_value, keys::kTitlePosT.max_value}; }

NumberRange TitleLeftRange(int screen_width) { return {0, std::max(screen_width, 0)}; }

NumberRange TitleTopRange(int screen_height) { return {0, std::max(screen_height, 0)}; }

std::string TitleFontHint(int line) { return LineHint(line, "行目のタイトルのフォント指定"); }
std::string TitleSizeHint(int line) { return LineHint(line, "行目のタイトルのスタイルとサイズを表示"); }
std::string TitleTextHint(int line) { return LineHint(line, "行目のタイトル文字列"); }

std::string TitleGapHint(int line) {
  if (line < 2 || line > kTitleLineCount) {
    throw std::out_of_range("no gap for title line " + std::to_string(line));
  }
  return LineHint(line - 1, "行目との間隔を設定");
}

std::string TitleFieldName(int line) { return "タイトル" + LineHint(line, "行目"); }

}  // namespace murva
