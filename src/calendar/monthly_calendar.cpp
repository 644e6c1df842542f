#include "calendar/monthly_calendar.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "calendar/almanac_names.h"
#include "calendar/julius.h"
#include "calendar/old_calendar.h"

namespace murva {

TMonthlyCalendar::TMonthlyCalendar(const Clock& clock) : TCustomCalendarEx(clock) {}

void TMonthlyCalendar::SetFirstDayOfWeek(TDayOfWeek first) {
  first_day_of_week_ = first;
  DrawAll();
}

void TMonthlyCalendar::SetNeighborColor(murva::Color color) {
  neighbor_color_ = color;
  DrawAll();
}

void TMonthlyCalendar::SetDayOfWeekBkColor(murva::Color color) {
  day_of_week_bk_color_ = color;
  DrawAll();
}

void TMonthlyCalendar::SetShowNeighbor(bool on) {
  show_neighbor_ = on;
  DrawAll();
}

void TMonthlyCalendar::SetNeighborJump(bool on) {
  neighbor_jump_ = on;
  DrawAll();
}

void TMonthlyCalendar::SetAutoResize(bool on) {
  auto_resize_ = on;
  DrawAll();
}

void TMonthlyCalendar::SetFirstRowFirstDay(bool on) {
  first_row_first_day_ = on;
  DrawAll();
}

void TMonthlyCalendar::SetLastRowLastDay(bool on) {
  last_row_last_day_ = on;
  DrawAll();
}

void TMonthlyCalendar::SetShowRokuyo(bool on) {
  show_rokuyo_ = on;
  DrawAll();
}

void TMonthlyCalendar::SetClientSize(int width, int height) {
  client_width_ = std::max(0, width);
  client_height_ = std::max(0, height);
  DrawAll();
}

std::int32_t TMonthlyCalendar::FirstCellJulius() const {
  const std::int32_t first = DateToJulius(Year(), Month(), 1);
  const int w1 = JuliusToWeekday(first);
  const int f = static_cast<int>(first_day_of_week_);
  std::int32_t cell = first - ((w1 - f + 6) % 7);
  if (!first_row_first_day_ && cell == first) cell -= 7;
  return cell;
}

int TMonthlyCalendar::RowCount() const {
  if (!auto_resize_) return 7;
  const std::int32_t year = Year();
  const int month = Month();
  const std::int32_t last = DateToJulius(year, month, MonthDays(year, month));
  const std::int32_t first_cell = FirstCellJulius();
  int rows = (last - first_cell) / 7 + 2;
  if (!last_row_last_day_ && (last - first_cell + 1) % 7 == 0) ++rows;
  return rows;
}

CellPos TMonthlyCalendar::CellAt(int x, int y) const {
  // A client narrower than seven pixels still has cells of one pixel.
  const int cell_width = std::max(1, client_width_ / 7);
  const int cell_height = std::max(1, client_height_ / std::max(1, RowCount()));
  return {x / cell_width, y / cell_height};
}

std::int32_t TMonthlyCalendar::CellJulius(int col, int row) const {
  return FirstCellJulius() + col + 7 * row - 7;
}

bool TMonthlyCalendar::InCurrentMonth(std::int32_t julius) const {
  const DateTriple date = JuliusToDate(julius);
  return date.year == Year() && date.month == Month();
}

CellRect TMonthlyCalendar::CellRectOf(int col, int row) const {
  const double w = client_width_;
  const double h = client_height_;
  const double r = RowCount();
  CellRect rect;
  rect.left = static_cast<int>(std::trunc(w * col / 7));
  rect.top = static_cast<int>(std::trunc(row / r * h));
  rect.right = static_cast<int>(std::trunc(w * (col + 1) / 7));
  rect.bottom = static_cast<int>(std::trunc((row + 1) / r * h));
  return rect;
}

CellPaint TMonthlyCalendar::CellPaintOf(int col, int row) const {
  CellPaint paint;
  paint.rect = CellRectOf(col, row);
  paint.text_rect = paint.rect;
  if (row == 0) {
    paint.header = true;
    paint.fill = true;
    paint.fill_color = day_of_week_bk_color_;
    paint.font = Fonts().DayOfWeek();
    paint.header_weekday = (static_cast<int>(first_day_of_week_) + col) % 7 + 1;
    return paint;
  }
  const std::int32_t julius = CellJulius(col, row);
  const DateTriple date = JuliusToDate(julius);
  paint.julius = julius;
  const bool in_month = InCurrentMonth(julius);
  if (!in_month && !show_neighbor_) {
    paint.blank = true;
    return paint;
  }
  paint.text = std::to_string(date.day);
  paint.font = DayFontOf(date.year, date.month, date.day);
  const murva::Color day_color = paint.font.color;
  if (in_month && julius == JuliusDay()) {
    paint.inverted = true;
    paint.fill = true;
    paint.fill_color = day_color;
    paint.font.color = Color();
  } else if (!in_month) {
    paint.font.color = day_color | neighbor_color_;
  }
  if (show_rokuyo_) {
    const int rokuyo = JuliusToRokuyo(julius);
    if (rokuyo != 0) {
      paint.rokuyo_font = Fonts().Rokuyo();
      const int strip = std::abs(paint.rokuyo_font.PixelHeight());
      paint.text_rect.bottom = paint.rect.bottom - strip;
      paint.rokuyo_rect = {paint.rect.left, paint.rect.bottom - strip, paint.rect.right,
                           paint.rect.bottom};
      paint.rokuyo = std::string(RokuyoNames[static_cast<std::size_t>(rokuyo)]);
      if (paint.inverted) {
        paint.rokuyo_font.color = Color();
      } else if (!in_month) {
        paint.rokuyo_font.color |= neighbor_color_;
      }
    }
  }
  return paint;
}

void TMonthlyCalendar::KeyDown(CalendarKey key) {
  switch (key) {
    case CalendarKey::kRight: NextDay(); break;
    case CalendarKey::kLeft: PrevDay(); break;
    case CalendarKey::kUp: SetJuliusDay(JuliusDay() - 7); break;
    case CalendarKey::kDown: SetJuliusDay(JuliusDay() + 7); break;
    case CalendarKey::kPageUp: PrevMonth(); break;
    case CalendarKey::kPageDown: NextMonth(); break;
  }
}

void TMonthlyCalendar::MouseDown(int x, int y) {
  if (x < 0 || y < 0) return;
  const CellPos cell = CellAt(x, y);
  // The header row does nothing; neither does the strip below the last row
  // that integer cell sizes leave at the right and bottom edges.
  if (cell.row == 0 || cell.col > 6 || cell.row >= RowCount()) return;
  const std::int32_t julius = CellJulius(cell.col, cell.row);
  if (InCurrentMonth(julius) || neighbor_jump_) SetJuliusDay(julius);
}

}  // namespace murva
