// Day lines: the compact text form of holidays and special days.
//
//   M,D,Name           day D of month M, every year
//   M,W,DW,Name        the W-th weekday DW (1 = Sunday .. 7 = Saturday) of M
//   Y,K,M,D,Name       day D of month M in the years selected by Y and K
//   Y,K,M,W,DW,Name    the W-th weekday DW of month M in those years
//
// Year selector K: 0 only year Y, 1 every year up to Y, 2 every year from Y
// on, anything else every year. Any other field count never matches.
#pragma once

#include <string>

namespace murva {

// Month and day a line gives when it does not apply.
inline constexpr int kNoLineMonth = 13;
inline constexpr int kNoLineDay = 32;

// Interprets one day line for a year. On entry month is the month asked about
// (0 = any month); on exit month is the line's month (or 13) and day the
// line's day (or 32) when the line does not apply; name is the last field when
// it applies, else empty. A W-th weekday beyond the month's end gives a day
// above the month's length. The month field is always converted, the other
// integer fields only when the month matches; a non-integer field throws
// EConvertError. An n-th-weekday line whose month is not 1..12 or whose
// occurrence is not 1..5 is malformed: it does not apply (13, 32, no name).
void ParseDayLine(const std::string& line, int year, int& month, int& day,
                  std::string& name);

}  // namespace murva
