#include "app/day_grid_preview.h"

#include "calendar/calendar_ex1.h"
#include "calendar/day_list_lines.h"
#include "calendar/julius.h"
#include "settings/day_list.h"

namespace murva {
namespace {

constexpr int kLastMonthWithoutNextYear = 6;
// The ground of the preview: the page's colours are chosen for a picture,
// most often a dark one.
constexpr Color kPreviewGround = 0x302820;

bool ValidRow(int row) { return row >= 0 && row < 12; }
bool ValidColumn(int column) { return column >= 1 && column <= kGridDayColumns; }

}  // namespace

bool IsDroppedOnSave(std::string_view cell) { return !cell.empty() && !IsDayOfMonthText(cell); }

DayGrid AsSaved(const DayGrid& grid) {
  DayGrid saved;
  for (std::size_t row = 0; row < grid.size(); ++row) {
    saved[row] = ParseDayList(FormatDayList(grid[row]));
  }
  return saved;
}

std::string GridCell(const DayGrid& grid, int row, int column) {
  if (!ValidRow(row) || !ValidColumn(column)) return {};
  const std::vector<std::string>& cells = grid[static_cast<std::size_t>(row)];
  const auto index = static_cast<std::size_t>(column - 1);
  return index < cells.size() ? cells[index] : std::string();
}

void SetGridCell(DayGrid& grid, int row, int column, std::string text) {
  if (!ValidRow(row) || !ValidColumn(column)) return;
  std::vector<std::string>& cells = grid[static_cast<std::size_t>(row)];
  const auto index = static_cast<std::size_t>(column - 1);
  if (cells.size() <= index) cells.resize(index + 1);
  cells[index] = std::move(text);
  while (!cells.empty() && cells.back().empty()) cells.pop_back();
}

int PreviewYear(int month, const TodayFields& today) {
  if (month >= today.month || today.month <= kLastMonthWithoutNextYear) return today.year;
  return today.year + 1;
}

void ShowMonthAsSaved(TCalendarEx& engine, const WorkingCopy& copy, const TodayFields& today,
                      int month, int day) {
  ConfigureCalendarEx1(engine);
  LoadHolidayLines(engine, AsSaved(copy.holiday_grid), copy.holiday_method, today.year, today.month);
  LoadSpecialDayLines(engine, AsSaved(copy.special_grid), today.year, today.month);

  const PageValues& page = copy.ActivePage();
  engine.SetColor(kPreviewGround);
  engine.SetWeekdayColor(page.weekday);
  engine.SetSaturdayColor(page.saturday);
  engine.SetSundayColor(page.sunday);
  engine.SetHolidayColor(page.holiday);
  engine.SetSpecialDayColor(page.special);
  engine.SetFirstDayOfWeek(copy.monday_first ? dowMon : dowSun);

  const int shown_month = month >= 1 && month <= 12 ? month : today.month;
  const int year = PreviewYear(shown_month, today);
  const int shown_day = day >= 1 && day <= MonthDays(year, shown_month) ? day : 1;
  engine.SetJuliusDay(DateToJulius(year, shown_month, shown_day));
}

}  // namespace murva
