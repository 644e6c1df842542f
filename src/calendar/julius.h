// Date arithmetic on Julian day numbers: every date the calendar handles is
// turned into a day number, moved or compared as an integer and turned back.
// Dates up to 1582-10-04 are Julian-calendar dates, dates from 1582-10-15
// Gregorian ones; the ten days between do not exist.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "calendar/clock.h"

namespace murva {

// Raised for the days 1582-10-05 .. 1582-10-14, which never existed.
class EJuliusError : public std::runtime_error {
 public:
  EJuliusError();
  explicit EJuliusError(const std::string& message) : std::runtime_error(message) {}
};

// The fixed message of EJuliusError.
inline constexpr const char* kJuliusGapMessage = "1582/10/5-10/14は存在しません。";

// Raised by MonthDays for a month outside 1..12.
class EMonthRangeError : public std::runtime_error {
 public:
  explicit EMonthRangeError(int month);
};

// Month lengths of a common year, indexed by month 1..12 (index 0 unused).
inline constexpr std::array<int, 13> MonthLengths = {0,  31, 28, 31, 30, 31, 30,
                                                     31, 31, 30, 31, 30, 31};

// A calendar date: astronomical year (year 0 precedes year 1), month, day.
struct DateTriple {
  std::int32_t year = 0;
  int month = 0;
  int day = 0;
  friend bool operator==(const DateTriple&, const DateTriple&) = default;
};

// Day number of a date. Month and day are taken as they come: day 0 is the
// last day of the month before, 30 February a day in March, month 0 December
// of the year before, month 13 January of the year after.
// Throws EJuliusError for 1582-10-05 .. 1582-10-14.
std::int32_t DateToJulius(std::int32_t year, int month, int day);

// Date of a day number (valid for every day number; negative numbers are
// extended backwards in the Julian calendar).
void JuliusToDate(std::int32_t julius, std::int32_t& year, int& month, int& day);
DateTriple JuliusToDate(std::int32_t julius);

// Weekday of a day number: 1 = Sunday, 2 = Monday ... 7 = Saturday.
int JuliusToWeekday(std::int32_t julius);

// Leap year of the calendar in force in that year (Julian before 1582;
// Gregorian from 1582 on, with the years divisible by 4000 common).
bool IsLeap(std::int32_t year);

// Length of a month (1..12) in days, 28..31. October 1582 counts 31 days.
// Throws EMonthRangeError for any other month.
int MonthDays(std::int32_t year, int month);

// Whether the triple names an existing day (day-number round trip).
// Throws EJuliusError for 1582-10-05 .. 1582-10-14 rather than answering.
bool IsValidDate(std::int32_t year, int month, int day);

// Day number of the calendar date of a local date-time (time of day ignored).
std::int32_t DateTimeToJulius(const LocalDateTime& date_time);

}  // namespace murva
