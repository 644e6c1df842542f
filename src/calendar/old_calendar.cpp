#include "calendar/old_calendar.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "calendar/jdoldcal.h"

namespace murva {

namespace {

struct MonthStart {
  std::int32_t julius;
  int month;
};

int ParseField(std::string_view field) {
  int value = 0;
  const auto [ptr, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (ec != std::errc() || ptr != field.data() + field.size()) {
    throw std::logic_error("damaged lunisolar month table");
  }
  return value;
}

// The month beginnings of the table, parsed once.
std::vector<MonthStart> ParseTable() {
  std::vector<MonthStart> starts;
  std::string_view rest = JDOLDCAL;
  while (!rest.empty()) {
    std::size_t end = rest.find("\r\n");
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 2);
    if (line.empty()) continue;
    const std::size_t comma = line.find(',');
    if (comma == std::string_view::npos) throw std::logic_error("damaged lunisolar month table");
    starts.push_back({ParseField(line.substr(0, comma)), ParseField(line.substr(comma + 1))});
  }
  return starts;
}

const std::vector<MonthStart>& MonthStarts() {
  static const std::vector<MonthStart> starts = ParseTable();
  return starts;
}

}  // namespace

void JuliusToOldDate(std::int32_t julius, int& month, int& day) {
  month = 0;
  day = 0;
  const std::vector<MonthStart>& starts = MonthStarts();
  if (starts.empty()) return;
  // The last line only closes the range: its own day has no month.
  if (julius < starts.front().julius || julius >= starts.back().julius) return;
  // The first line that begins after the day; the day lies in the line before.
  const auto next = std::upper_bound(
      starts.begin(), starts.end(), julius,
      [](std::int32_t j, const MonthStart& start) { return j < start.julius; });
  const MonthStart& current = *(next - 1);
  month = current.month;
  day = julius - current.julius + 1;
}

int JuliusToRokuyo(std::int32_t julius) {
  int month = 0;
  int day = 0;
  JuliusToOldDate(julius, month, day);
  if (month == 0) return 0;
  if (month > 100) month -= 100;
  return ((month + day - 2) % 6) + 1;
}

}  // namespace murva
