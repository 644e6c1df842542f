// The rules that name the months of the Japanese old calendar, applied to
// new moons and principal solar terms already reduced to days of Japan
// Standard Time:
//
// - A month begins on the day of a new moon and lasts to the day before the
//   next one.
// - The principal terms (the Sun's apparent longitude at a multiple of 30
//   degrees) name the months: the month holding the winter solstice is
//   month 11, the vernal equinox month 2, the summer solstice month 5 and
//   the autumnal equinox month 8.
// - From one winter-solstice month to the next there are 12 months, or 13;
//   of 13, one is a leap month: a month without a principal term, which
//   takes the number of the month before it plus 100. Where that span holds
//   more than one month without a principal term (because another month
//   holds two), the leap month is the first of them with which the
//   equinoxes and the summer solstice stay in months 2, 5 and 8.
// - Where no choice keeps all four in their months (the years 2033-34 are
//   the only such case from 1900 to 2100: the span from the winter solstice
//   of 2032 to that of 2033 has 12 months, so no leap month, and yet the
//   autumnal equinox of 2033 falls in its 9th), the winter solstice decides:
//   the span's months are counted from month 11 and the leap month falls in
//   the next span at its first month without a principal term. For 2033
//   this is the leap 11th month from 2033-12-22, which Japan's calendar
//   publishers recommended in 2015 for this case; the rules leave every
//   other year as it is. Spans of 13 months where the choice fails take
//   their first month without a principal term, likewise.
//
// Each departure from the simple rule ("the first month without a principal
// term is the leap month", or "each cardinal term stays in its month") is
// reported in the notes, so the generator can list them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace murva::oldcal {

// A principal solar term: the day it falls on and its index into
// SolarTermNames (an even number: 0 = vernal equinox, 18 = winter solstice).
struct PrincipalTerm {
  std::int32_t day = 0;
  int term = 0;
};

// A named month: the day number of its first day and its number, 1..12 or
// 100 + m for the leap month after month m.
struct NamedMonth {
  std::int32_t first_day = 0;
  int number = 0;
  friend bool operator==(const NamedMonth&, const NamedMonth&) = default;
};

// The month that a principal term names (2 for the vernal equinox, 11 for the
// winter solstice, 1 for 雨水).
int MonthOfPrincipalTerm(int term);

// Names the months between the first and the last winter-solstice month
// found. `new_moon_days` are ascending days of new moons (month i runs from
// new_moon_days[i] to new_moon_days[i + 1] - 1); `terms` are the principal
// terms of the same stretch, ascending. The last month returned is the last
// winter-solstice month (month 11), which closes the stretch. Throws
// std::invalid_argument when the input cannot be named (fewer than two
// winter solstices, or a span from one winter-solstice month to the next
// that is not 12 or 13 months long). `notes` receives one line per
// departure from the simple rules.
std::vector<NamedMonth> NameMonths(const std::vector<std::int32_t>& new_moon_days,
                                   const std::vector<PrincipalTerm>& terms,
                                   std::vector<std::string>& notes);

}  // namespace murva::oldcal
