// Month and weekday labels in the styles of the calendar settings.
//
// Month label styles: 0 none, 1 "January", 2 "JAN", 3 "Jan", 4 "jan",
// 5 " 1", 6 " 1月", 7 traditional month names, 8 birthstones, 9 dog breeds,
// 10 cat breeds. Weekday label styles: 0 none, 1 "SU", 2 "Su", 3 "su",
// 4 "SUN", 5 "Sun", 6 "sun", 7 "日".
#pragma once

#include <string>

namespace murva {

inline constexpr int kMonthLabelStyleCount = 11;    // 0..10
inline constexpr int kWeekdayLabelStyleCount = 8;   // 0..7

// The label of month 1..12 in the given style; empty for style 0 and for a
// style or month out of range.
std::string MonthLabel(int style, int month);

// The label of weekday 1..7 (1 = Sunday) in the given style; empty for
// style 0 and for a style or weekday out of range.
std::string WeekdayLabel(int style, int weekday);

}  // namespace murva
