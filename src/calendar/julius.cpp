#include "calendar/julius.h"

#include <cmath>
#include <cstdint>

namespace murva {

namespace {

// Julian day number of 1582-10-04, the last day of the Julian calendar.
constexpr std::int32_t kLastJulianDay = 2299160;
// Days in four Julian years.
constexpr std::int64_t kJulianCycle = 1461;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

bool IsJulianCalendarDate(std::int32_t year, int month, int day) {
  if (year != 1582) return year < 1582;
  if (month != 10) return month < 10;
  if (day >= 5 && day <= 14) throw EJuliusError();
  return day < 5;
}

}  // namespace

EJuliusError::EJuliusError() : std::runtime_error(kJuliusGapMessage) {}

EMonthRangeError::EMonthRangeError(int month)
    : std::runtime_error("月の値 " + std::to_string(month) + " は1から12の範囲にありません。") {}

std::int32_t DateToJulius(std::int32_t year, int month, int day) {
  const bool julian = IsJulianCalendarDate(year, month, day);
  std::int64_t y = year;
  std::int64_t m = month;
  if (month < 3) {
    y -= 1;
    m += 12;
  }
  // floor(365.25 * y), exact in integers.
  const std::int64_t p = FloorDiv(1461 * y, 4);
  const std::int64_t q = static_cast<std::int64_t>(std::trunc(30.6001 * static_cast<double>(m + 1)));
  std::int64_t jdn = p + q + day + 1720995;
  if (!julian) {
    const std::int64_t a = y / 100;  // y > 0 here: truncation and floor agree
    jdn += 2 - a + a / 4;
  }
  return static_cast<std::int32_t>(jdn);
}

void JuliusToDate(std::int32_t julius, std::int32_t& year, int& month, int& day) {
  // Before day 0 the Julian calendar is continued backwards: shift by whole
  // four-year cycles into the non-negative range and back again.
  std::int64_t cycles = 0;
  std::int64_t j = julius;
  if (j < 0) {
    cycles = (-j + kJulianCycle - 1) / kJulianCycle;
    j += cycles * kJulianCycle;
  }
  double a;
  if (j <= kLastJulianDay) {
    a = static_cast<double>(j);
  } else {
    const double alpha = std::trunc((static_cast<double>(j) - 1867216.25) / 36524.25);
    a = static_cast<double>(j) + 1 + alpha - std::trunc(alpha / 4);
  }
  const double b = a + 1524;
  const double k = std::trunc((b - 122.1) / 365.25);
  const double l = std::trunc(365.25 * k);
  const double e = std::trunc((b - l) / 30.6001);
  day = static_cast<int>(b - l - std::trunc(30.6001 * e));
  month = static_cast<int>(e < 14 ? e - 1 : e - 13);
  const double y = month > 2 ? k - 4716 : k - 4715;
  year = static_cast<std::int32_t>(static_cast<std::int64_t>(y) - 4 * cycles);
}

DateTriple JuliusToDate(std::int32_t julius) {
  DateTriple date;
  JuliusToDate(julius, date.year, date.month, date.day);
  return date;
}

int JuliusToWeekday(std::int32_t julius) {
  // Floor modulo keeps the cycle intact for negative day numbers too.
  const std::int64_t r = (static_cast<std::int64_t>(julius) + 1) % 7;
  return static_cast<int>(r < 0 ? r + 7 : r) + 1;
}

bool IsLeap(std::int32_t year) {
  if (year < 1582) return year % 4 == 0;  // also right for negative years
  if (year % 4 != 0) return false;
  if (year % 100 != 0) return true;
  if (year % 400 != 0) return false;
  return year % 4000 != 0;
}

int MonthDays(std::int32_t year, int month) {
  if (month < 1 || month > 12) throw EMonthRangeError(month);
  return MonthLengths[month] + ((month == 2 && IsLeap(year)) ? 1 : 0);
}

bool IsValidDate(std::int32_t year, int month, int day) {
  const DateTriple back = JuliusToDate(DateToJulius(year, month, day));
  return back.year == year && back.month == month && back.day == day;
}

std::int32_t DateTimeToJulius(const LocalDateTime& date_time) {
  return DateToJulius(date_time.year, date_time.month, date_time.day);
}

}  // namespace murva
