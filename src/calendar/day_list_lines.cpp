#include "calendar/day_list_lines.h"

#include <cstdio>

namespace murva {

namespace {

// A month row holds at most one cell per day column.
constexpr std::size_t kMaxCellsPerMonth = 31;
constexpr int kLastMonthWithoutNextYear = 6;

// Adds the lines of every filled cell of the grid through add.
template <typename AddLine>
void AddGridLines(const DayGrid& grid, std::int32_t year, int month, AddLine add) {
  for (int row = 0; row < 12; ++row) {
    const std::vector<std::string>& cells = grid[static_cast<std::size_t>(row)];
    const std::size_t count = std::min(cells.size(), kMaxCellsPerMonth);
    for (std::size_t i = 0; i < count; ++i) {
      const std::string& cell = cells[i];
      // An empty cell holds no day; a line with an empty day field would make
      // every query about that month fail.
      if (cell.empty()) continue;
      add(DayListLine(year, row + 1, cell));
      // Calendars drawn into the next year see the day there too.
      if (month > kLastMonthWithoutNextYear) add(DayListLine(year + 1, row + 1, cell));
    }
  }
}

}  // namespace

std::string DayListLine(std::int32_t year, int month, const std::string& cell) {
  char year_text[16];
  std::snprintf(year_text, sizeof year_text, "%4.4d", static_cast<int>(year));
  return std::string(year_text) + ",0," + std::to_string(month) + "," + cell + ",Dummy";
}

void LoadHolidayLines(TCalendarEx& calendar, const DayGrid& grid, int holiday_method,
                      std::int32_t year, int month) {
  if (holiday_method != kHolidayMethodUser) return;
  calendar.ClearHolidayList();
  // An imported official list replaces the system's rules, which the user's
  // own method does not use either.
  calendar.SetUsesSystemHolidays(false);
  calendar.SetAutoEquinox(false);
  // The user lists exactly the days he wants; no day between two of them is
  // added for him. Substitute holidays stay as the rule of the year gives them.
  calendar.SetAutoKokumin(false);
  AddGridLines(grid, year, month,
               [&calendar](std::string line) { calendar.AddHolidayLine(std::move(line)); });
}

void LoadSpecialDayLines(TCalendarEx& calendar, const DayGrid& grid, std::int32_t year,
                         int month) {
  calendar.ClearSpecialDayList();
  AddGridLines(grid, year, month,
               [&calendar](std::string line) { calendar.AddSpecialDayLine(std::move(line)); });
}

}  // namespace murva
