// libFuzzer target: day lines, as the holiday and special-day lists hold
// them and as hand-edited settings make them. The input's first bytes
// choose the year and month asked about; the rest is lines. Conversion
// errors are the lines' own (they are reported to the user); anything else,
// a crash or undefined behaviour, is a finding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/calendar_ex1.h"
#include "calendar/day_line.h"
#include "calendar/day_list_lines.h"
#include "calendar/str_to_int.h"

namespace {

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = text.find('\n', start);
    lines.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
    if (lines.size() > 32) break;
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  // Years of the calendar's range of use, and any month (0 = any).
  const std::int32_t year = 1900 + (data[0] | (data[1] << 8)) % 300;
  const int month = data[2] % 13;
  const std::string_view text(reinterpret_cast<const char*>(data) + 3, size - 3);
  const std::vector<std::string> lines = Lines(text);

  for (const std::string& line : lines) {
    int asked = month;
    int day = 0;
    std::string name;
    try {
      murva::ParseDayLine(line, year, asked, day, name);
    } catch (const murva::EConvertError&) {
    }
  }

  static const murva::FixedClock clock(murva::LocalDateTime{2026, 12, 6, 9, 0, 0});
  static const std::unique_ptr<murva::TCalendarEx> calendar = murva::MakeCalendarEx1(clock);
  calendar->SetAutoEquinox(true);
  calendar->SetAutoFurikae(true);
  calendar->SetAutoKokumin(true);
  // As lists of the calendar component ...
  calendar->SetHolidayList(lines);
  calendar->SetSpecialDayList(lines);
  const int shown = month == 0 ? 1 : month;
  for (int day = 1; day <= 31; ++day) {
    try {
      calendar->DayTypeOf(year, shown, day);
      calendar->DayTextOf(year, shown, day);
    } catch (const murva::EConvertError&) {
    }
  }
  // ... and as cells of the day-list grids a settings file fills.
  murva::DayGrid grid;
  grid[static_cast<std::size_t>(shown - 1)] = lines;
  murva::LoadHolidayLines(*calendar, grid, murva::kHolidayMethodUser, year, 8);
  murva::LoadSpecialDayLines(*calendar, grid, year, 8);
  for (int day = 1; day <= 31; ++day) {
    try {
      calendar->DayTypeOf(year, shown, day);
      calendar->DayTypeOf(year + 1, shown, day);
    } catch (const murva::EConvertError&) {
    }
  }
  return 0;
}
