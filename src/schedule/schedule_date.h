// Dates as the schedule handles them: the civil (proleptic Gregorian)
// calendar of the platform's date values, years 1..9999.
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/clock.h"
#include "render/today_fields.h"

namespace murva {

struct CivilDate {
  int year = 2000;
  int month = 1;
  int day = 1;

  auto operator<=>(const CivilDate&) const = default;
};

// Whether the triple names an existing day in years 1..9999.
bool IsValidCivilDate(const CivilDate& date);

// Days in a month 1..12 by the Gregorian leap rule.
int DaysInMonth(int year, int month);

// A running day count (days since 1970-01-01) and back; for valid dates.
int DayNumberOf(const CivilDate& date);
CivilDate CivilDateOf(int day_number);

// Weekday digit: 1 = Sunday, 2 = Monday ... 7 = Saturday.
int WeekdayOf(const CivilDate& date);

// The date `days` days later (earlier when negative).
CivilDate AddDays(const CivilDate& date, int days);

// The start-up date kept in today's fields, and the date of a clock reading.
CivilDate DateOf(const TodayFields& today);
CivilDate DateOf(const LocalDateTime& now);

// The date text format: "yyyy/mm/dd" (the program's normal form) or
// "yy/mm/dd".
enum class DateTextFormat { kFourDigitYear, kTwoDigitYear };

// The date as text, zero-padded, "/" between the fields.
std::string DateText(const CivilDate& date, DateTextFormat format = DateTextFormat::kFourDigitYear);

// Reads a date text in year/month/day order with "/" between the fields, as
// the platform's date reading does: blanks around the numbers are allowed,
// the numbers need no leading zeros, a year of one or two digits lies in the
// century of `current_year`, and a text of two numbers is month/day of
// `current_year`. nullopt when the text is not of that form or names no
// existing day.
std::optional<CivilDate> ReadDateText(std::string_view text, int current_year);

}  // namespace murva
