// The lunisolar month table carried inside the program: one ASCII line per
// old-calendar month, "<day number of its first day>,<month>" ended by CR LF,
// where the month is 1..12 or 100 + m for the leap month after month m.
// 260 lines, 2,939 bytes, covering 1989-12-28 .. 2010-12-05.
#pragma once

#include <string_view>

namespace murva {

extern const std::string_view JDOLDCAL;

}  // namespace murva
