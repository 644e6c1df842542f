#include "app/watch_clock.h"

#include <charconv>
#include <cstdio>
#include <ctime>

namespace murva {
namespace {

// Longer than any local day (25 hours at a change back from summer time,
// and the few days in history that were longer still).
constexpr std::int64_t kSearchSpan = 3 * 24 * 3600;

bool ParseNumber(const std::string& text, std::size_t from, std::size_t length, int& value) {
  const char* begin = text.data() + from;
  const auto [end, error] = std::from_chars(begin, begin + length, value);
  return error == std::errc() && end == begin + length;
}

}  // namespace

std::string DayText(const LocalDay& day) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d", day.year, day.month, day.day);
  return text;
}

std::optional<LocalDay> ParseDayText(const std::string& text) {
  if (text.size() != 10 || text[4] != '/' || text[7] != '/') return std::nullopt;
  LocalDay day;
  if (!ParseNumber(text, 0, 4, day.year) || !ParseNumber(text, 5, 2, day.month) ||
      !ParseNumber(text, 8, 2, day.day)) {
    return std::nullopt;
  }
  if (day.month < 1 || day.month > 12 || day.day < 1 || day.day > 31) return std::nullopt;
  return day;
}

std::int64_t SystemWatchClock::Now() const {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return now.tv_sec;
}

LocalDay SystemWatchClock::DayAt(std::int64_t instant) const {
  const std::time_t time = static_cast<std::time_t>(instant);
  std::tm local{};
  localtime_r(&time, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::int64_t NextDayStart(const WatchClock& clock, std::int64_t after) {
  const LocalDay today = clock.DayAt(after);
  // Invariant: the day at `low` is not later than today, the day at `high`
  // is. A binary search to the second needs about eighteen steps.
  std::int64_t low = after;
  std::int64_t high = after + kSearchSpan;
  // Only a broken zone keeps the same day for days: then a day from now.
  for (int step = 0; !(clock.DayAt(high) > today); ++step) {
    if (step == 8) return after + 24 * 3600;
    high += kSearchSpan;
  }
  while (high - low > 1) {
    const std::int64_t middle = low + (high - low) / 2;
    if (clock.DayAt(middle) > today) {
      high = middle;
    } else {
      low = middle;
    }
  }
  return high;
}

}  // namespace murva
