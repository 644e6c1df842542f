// The lunisolar month table carried inside the program: one ASCII line per
// old-calendar month, "<day number of its first day>,<month>" ended by CR LF,
// where the month is 1..12 or 100 + m for the leap month after month m. The
// lines run from the month holding 1 January of kJdoldcalFirstYear to the
// first month after 31 December of kJdoldcalLastYear; that last line only
// closes the range.
//
// The table is generated from the motions of the Sun and the Moon by
// murva_oldcal_gen (tools/oldcal) into jdoldcal.cpp; do not edit it by hand.
#pragma once

#include <string_view>

namespace murva {

inline constexpr int kJdoldcalFirstYear = 1900;
inline constexpr int kJdoldcalLastYear = 2100;

extern const std::string_view JDOLDCAL;

}  // namespace murva
