#include "render/labels.h"

namespace murva {

namespace {

// Indexed [style - 1][month - 1].
constexpr const char* kMonthLabels[10][12] = {
    {"January", "February", "March", "April", "May", "June", "July", "August",
     "September", "October", "November", "December"},
    {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"},
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"},
    {" 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8", " 9", "10", "11", "12"},
    {" 1月", " 2月", " 3月", " 4月", " 5月", " 6月", " 7月", " 8月", " 9月", "10月", "11月",
     "12月"},
    {"睦月", "如月", "弥生", "卯月", "皐月", "水無月", "文月", "葉月", "長月", "神無月", "霜月",
     "師走"},
    {"Garnet", "Amethyst", "Aquamarine", "Diamond", "Emerald", "Pearl", "Ruby", "Peridot",
     "Sapphire", "Opal", "Topaze", "Tourquois"},
    {"ビーグル", "シェパード", "ゴールデン・レトリバー", "ハスキー", "シーズー",
     "ダックスフント", "ヨークシャー・テリー", "柴犬", "ポメラニアン", "マルチーズ",
     "チャウチャウ", "秋田犬"},
    {"ペルシア猫", "チンチラ", "ロシアンブルー", "アビシニアン", "ビルマ", "ヒマラヤン", "ミケ",
     "マンクス", "オッドアイ", "シャム", "アンゴラ", "オシキャット"},
};

// Indexed [style - 1][weekday - 1].
constexpr const char* kWeekdayLabels[7][7] = {
    {"SU", "MO", "TU", "WE", "TH", "FR", "SA"},
    {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"},
    {"su", "mo", "tu", "we", "th", "fr", "sa"},
    {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"},
    {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
    {"sun", "mon", "tue", "wed", "thu", "fri", "sat"},
    {"日", "月", "火", "水", "木", "金", "土"},
};

}  // namespace

std::string MonthLabel(int style, int month) {
  if (style < 1 || style >= kMonthLabelStyleCount || month < 1 || month > 12) return {};
  return kMonthLabels[style - 1][month - 1];
}

std::string WeekdayLabel(int style, int weekday) {
  if (style < 1 || style >= kWeekdayLabelStyleCount || weekday < 1 || weekday > 7) return {};
  return kWeekdayLabels[style - 1][weekday - 1];
}

}  // namespace murva
