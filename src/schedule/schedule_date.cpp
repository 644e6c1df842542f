#include "schedule/schedule_date.h"

#include <chrono>
#include <cstdio>

namespace murva {

namespace {

namespace chr = std::chrono;

chr::sys_days SysDaysOf(const CivilDate& date) {
  return chr::sys_days(chr::year(date.year) / chr::month(static_cast<unsigned>(date.month)) /
                       chr::day(static_cast<unsigned>(date.day)));
}

// Reads consecutive digits at `pos`; nullopt when there are none or the
// number exceeds four digits' worth.
std::optional<int> ScanNumber(std::string_view text, std::size_t& pos, int& digits) {
  int value = 0;
  digits = 0;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
    value = value * 10 + (text[pos] - '0');
    ++pos;
    ++digits;
    if (value > 9999) return std::nullopt;
  }
  if (digits == 0) return std::nullopt;
  return value;
}

void SkipBlanks(std::string_view text, std::size_t& pos) {
  while (pos < text.size() && text[pos] == ' ') ++pos;
}

bool ScanSeparator(std::string_view text, std::size_t& pos) {
  SkipBlanks(text, pos);
  if (pos < text.size() && text[pos] == '/') {
    ++pos;
    SkipBlanks(text, pos);
    return true;
  }
  return false;
}

}  // namespace

bool IsValidCivilDate(const CivilDate& date) {
  if (date.year < 1 || date.year > 9999 || date.month < 1 || date.month > 12) return false;
  return date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

int DaysInMonth(int year, int month) {
  static constexpr int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return kLengths[month - 1] + (month == 2 && leap ? 1 : 0);
}

int DayNumberOf(const CivilDate& date) {
  return static_cast<int>(SysDaysOf(date).time_since_epoch().count());
}

CivilDate CivilDateOf(int day_number) {
  const chr::year_month_day ymd{chr::sys_days(chr::days(day_number))};
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

int WeekdayOf(const CivilDate& date) {
  return static_cast<int>(chr::weekday(SysDaysOf(date)).c_encoding()) + 1;
}

CivilDate AddDays(const CivilDate& date, int days) { return CivilDateOf(DayNumberOf(date) + days); }

CivilDate DateOf(const TodayFields& today) { return {today.year, today.month, today.day}; }

CivilDate DateOf(const LocalDateTime& now) { return {now.year, now.month, now.day}; }

std::string DateText(const CivilDate& date, DateTextFormat format) {
  char buffer[32];
  if (format == DateTextFormat::kTwoDigitYear) {
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%02d", ((date.year % 100) + 100) % 100,
                  date.month, date.day);
  } else {
    std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d", date.year, date.month, date.day);
  }
  return buffer;
}

std::optional<CivilDate> ReadDateText(std::string_view text, int current_year) {
  std::size_t pos = 0;
  SkipBlanks(text, pos);
  int first_digits = 0;
  int digits = 0;
  std::optional<int> first = ScanNumber(text, pos, first_digits);
  if (!first || !ScanSeparator(text, pos)) return std::nullopt;
  std::optional<int> second = ScanNumber(text, pos, digits);
  if (!second) return std::nullopt;
  CivilDate date;
  std::size_t after_second = pos;
  if (ScanSeparator(text, pos)) {
    std::optional<int> third = ScanNumber(text, pos, digits);
    if (!third) return std::nullopt;
    date = {*first, *second, *third};
    if (first_digits <= 2) date.year += current_year - current_year % 100;
  } else {
    pos = after_second;
    date = {current_year, *first, *second};
  }
  SkipBlanks(text, pos);
  if (pos != text.size()) return std::nullopt;
  if (!IsValidCivilDate(date)) return std::nullopt;
  return date;
}

}  // namespace murva
