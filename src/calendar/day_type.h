// Day-type flags: the bit set that classifies one date.
#pragma once

namespace murva {

inline constexpr int dtSunday = 1;       // the date is a Sunday
inline constexpr int dtSaturday = 2;     // the date is a Saturday
inline constexpr int dtHoliday = 4;      // a holiday line or an equinox day
inline constexpr int dtSubstitute = 8;   // substitute holiday (振替休日)
inline constexpr int dtSpecialDay = 16;  // a special-day line matches

}  // namespace murva
