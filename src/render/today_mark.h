// How today is marked in the calendars and the schedule list (the today-mark
// setting).
#pragma once

namespace murva {

inline constexpr int kTodayMarkNone = 0;       // "表示しない"
inline constexpr int kTodayMarkColor = 1;      // "色で表示": the today colour
inline constexpr int kTodayMarkUnderline = 2;  // "下線で表示": underlined

}  // namespace murva
