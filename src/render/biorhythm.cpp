#include "render/biorhythm.h"

#include <cmath>
#include <numbers>

#include "calendar/julius.h"
#include "render/nearest.h"

namespace murva {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads 1..max_digits decimal digits at pos; advances pos.
std::optional<int> ReadNumber(const std::string& text, std::size_t& pos, std::size_t max_digits) {
  const std::size_t start = pos;
  int value = 0;
  while (pos < text.size() && IsDigit(text[pos]) && pos - start < max_digits) {
    value = value * 10 + (text[pos] - '0');
    ++pos;
  }
  if (pos == start) return std::nullopt;
  return value;
}

}  // namespace

int BioPeriodOfStyle(int calendar_style) {
  switch (calendar_style) {
    case 2:
      return 23;
    case 3:
      return 28;
    case 4:
      return 33;
    default:
      return 0;
  }
}

std::optional<std::int32_t> ParseBirthday(const std::string& text, int current_year) {
  // The year is exactly two digits; month and day one or two.
  if (text.size() < 2 || !IsDigit(text[0]) || !IsDigit(text[1])) return std::nullopt;
  std::size_t pos = 0;
  const std::optional<int> yy = ReadNumber(text, pos, 2);
  if (!yy || pos >= text.size() || text[pos] != '/') return std::nullopt;
  ++pos;
  const std::optional<int> month = ReadNumber(text, pos, 2);
  if (!month || pos >= text.size() || text[pos] != '/') return std::nullopt;
  ++pos;
  const std::optional<int> day = ReadNumber(text, pos, 2);
  if (!day || pos != text.size()) return std::nullopt;

  int year = 2000 + *yy;
  if (year > current_year) year -= 100;
  if (*month < 1 || *month > 12 || *day < 1 || !IsValidDate(year, *month, *day)) {
    return std::nullopt;
  }
  return DateToJulius(year, *month, *day);
}

int BioPhase(std::int32_t birthday, std::int32_t first_day, int period) {
  const std::int32_t days = first_day - birthday;
  if (period <= 0 || days <= period) return days;
  // Moving the birthday forward by whole periods while first_day - period is
  // still later than it leaves 1..period days.
  return (days - 1) % period + 1;
}

int BioLift(int day, int phase, int period, int amplitude) {
  if (period <= 0) return 0;
  const double radians = 2.0 * std::numbers::pi * (day + phase) / period;
  return Nearest(std::sin(radians) * amplitude);
}

}  // namespace murva
