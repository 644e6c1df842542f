#include "calendar/day_line.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "calendar/julius.h"
#include "calendar/str_to_int.h"

namespace murva {

namespace {

// A month has at most five of each weekday; the fifth may lie beyond its end.
constexpr int kMostWeekdayOccurrences = 5;

// Whether the numbers of an n-th-weekday line can name a day at all. The
// fields come from hand-edited settings: a month outside 1..12 or an
// occurrence such as 2147483647 is a malformed line, refused before any
// arithmetic is done with it.
bool NthWeekdayInRange(int month, int w) {
  return month >= 1 && month <= 12 && w >= 1 && w <= kMostWeekdayOccurrences;
}

// Day of month of the w-th weekday dw in a month (may lie beyond its end).
// Any weekday number is taken modulo 7, so 8 means Sunday as 1 does.
int NthWeekdayOfMonth(int year, int month, int w, int dw) {
  const int w1 = JuliusToWeekday(DateToJulius(year, month, 1));
  // Floor modulo, in 64 bits so that no weekday number can overflow.
  std::int64_t offset = (static_cast<std::int64_t>(dw) - w1) % 7;
  if (offset < 0) offset += 7;
  return static_cast<int>(offset) + 7 * w - 6;
}

bool YearSelected(int line_year, int selector, int year) {
  switch (selector) {
    case 0: return line_year == year;
    case 1: return year <= line_year;
    case 2: return year >= line_year;
    default: return true;
  }
}

// The fields of a line, split at every comma as SplitText splits it, but
// without copying: every day query reads every line, so this runs often.
// A line of more fields than any form has is only counted.
constexpr std::size_t kMostFields = 6;

struct DayLineFields {
  std::array<std::string_view, kMostFields> field;
  std::size_t count = 0;
};

DayLineFields SplitFields(std::string_view line) {
  DayLineFields fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = line.find(',', start);
    const std::string_view piece =
        end == std::string_view::npos ? line.substr(start) : line.substr(start, end - start);
    if (fields.count < kMostFields) fields.field[fields.count] = piece;
    ++fields.count;
    if (end == std::string_view::npos) return fields;
    start = end + 1;
  }
}

}  // namespace

void ParseDayLine(const std::string& line, int year, int& month, int& day,
                  std::string& name) {
  const int asked = month;
  month = kNoLineMonth;
  day = kNoLineDay;
  name.clear();
  const DayLineFields split = SplitFields(line);
  const auto& fields = split.field;
  switch (split.count) {
    case 3:
    case 4: {
      const int line_month = StrToInt(fields[0]);
      if (line_month != asked && asked != 0) return;
      if (split.count == 3) {
        day = StrToInt(fields[1]);
        month = line_month;
        name = std::string(fields[2]);
      } else {
        const int w = StrToInt(fields[1]);
        const int dw = StrToInt(fields[2]);
        if (!NthWeekdayInRange(line_month, w)) return;
        day = NthWeekdayOfMonth(year, line_month, w, dw);
        month = line_month;
        name = std::string(fields[3]);
      }
      return;
    }
    case 5:
    case 6: {
      const int line_month = StrToInt(fields[2]);
      if (line_month != asked && asked != 0) return;
      const int line_year = StrToInt(fields[0]);
      const int selector = StrToInt(fields[1]);
      if (!YearSelected(line_year, selector, year)) return;
      if (split.count == 5) {
        day = StrToInt(fields[3]);
        month = line_month;
        name = std::string(fields[4]);
      } else {
        const int w = StrToInt(fields[3]);
        const int dw = StrToInt(fields[4]);
        if (!NthWeekdayInRange(line_month, w)) return;
        day = NthWeekdayOfMonth(year, line_month, w, dw);
        month = line_month;
        name = std::string(fields[5]);
      }
      return;
    }
    default:
      return;
  }
}

}  // namespace murva
