// A month grid on the calendar engine: a weekday header row and the day rows
// of the current month, with days of the neighbouring months around it.
// Row 0 is the header; a day cell (col, row >= 1) holds the day
// FirstCellJulius() + col + 7 * row - 7.
#pragma once

#include <cstdint>
#include <string>

#include "calendar/custom_calendar_ex.h"

namespace murva {

// Weekday of the grid's first column.
enum TDayOfWeek { dowSun = 0, dowMon, dowTue, dowWed, dowThu, dowFri, dowSat };

// A cell position in the grid.
struct CellPos {
  int col = 0;
  int row = 0;
  friend bool operator==(const CellPos&, const CellPos&) = default;
};

// A rectangle in client pixels (right and bottom exclusive).
struct CellRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const CellRect&, const CellRect&) = default;
};

// Everything a view needs to paint one cell, in painting order: fill the
// rectangle when fill is set, then draw text centred in text_rect, then the
// rokuyo name centred in rokuyo_rect when it is not empty. Text is drawn
// without background, in one line.
struct CellPaint {
  CellRect rect;
  bool header = false;    // row 0
  bool blank = false;     // a neighbour-month day that is not shown: paint nothing
  bool inverted = false;  // the current date: filled with its font colour
  bool fill = false;      // fill rect with fill_color (header and current date)
  Color fill_color = kClBlack;
  // Header: weekday number 1 (Sunday) .. 7 (Saturday) whose short name is drawn.
  int header_weekday = 0;
  std::int32_t julius = 0;  // the cell's day (day cells)
  std::string text;         // day of month as decimal digits (day cells)
  TCalExFont font;          // font of the text, colour resolved
  CellRect text_rect;
  std::string rokuyo;       // rokuyo name, empty when none is drawn
  TCalExFont rokuyo_font;   // colour resolved
  CellRect rokuyo_rect;
};

// Keys the grid reacts to.
enum class CalendarKey { kRight, kLeft, kUp, kDown, kPageUp, kPageDown };

class TMonthlyCalendar : public TCustomCalendarEx {
 public:
  explicit TMonthlyCalendar(const Clock& clock = SystemLocalClock());

  TDayOfWeek FirstDayOfWeek() const { return first_day_of_week_; }
  void SetFirstDayOfWeek(TDayOfWeek first);
  murva::Color NeighborColor() const { return neighbor_color_; }
  void SetNeighborColor(murva::Color color);
  murva::Color DayOfWeekBkColor() const { return day_of_week_bk_color_; }
  void SetDayOfWeekBkColor(murva::Color color);
  bool ShowNeighbor() const { return show_neighbor_; }
  void SetShowNeighbor(bool on);
  bool NeighborJump() const { return neighbor_jump_; }
  void SetNeighborJump(bool on);
  bool AutoResize() const { return auto_resize_; }
  void SetAutoResize(bool on);
  bool FirstRowFirstDay() const { return first_row_first_day_; }
  void SetFirstRowFirstDay(bool on);
  bool LastRowLastDay() const { return last_row_last_day_; }
  void SetLastRowLastDay(bool on);
  bool ShowRokuyo() const { return show_rokuyo_; }
  void SetShowRokuyo(bool on);

  // Client area in pixels; a change redraws.
  int ClientWidth() const { return client_width_; }
  int ClientHeight() const { return client_height_; }
  void SetClientSize(int width, int height);

  // Day number of the first day cell (row 1, column 0). Without
  // FirstRowFirstDay a month that begins in the first column gets a whole
  // week of the month before as its first row.
  virtual std::int32_t FirstCellJulius() const;
  // Rows including the header: 7 without AutoResize; otherwise the rows the
  // month needs, plus a whole week of the month after when it ends in the
  // last column and LastRowLastDay is off.
  virtual int RowCount() const;
  // The cell under a client point: x div (width div 7), y div (height div rows).
  virtual CellPos CellAt(int x, int y) const;

  // Day number shown in a day cell (row >= 1).
  std::int32_t CellJulius(int col, int row) const;
  // Whether a day number lies in the current month.
  bool InCurrentMonth(std::int32_t julius) const;
  // Rectangle of a cell in the client area.
  CellRect CellRectOf(int col, int row) const;
  // What to paint in a cell (row 0 .. RowCount() - 1, col 0 .. 6).
  CellPaint CellPaintOf(int col, int row) const;

  // Keyboard and mouse as the grid handles them.
  void KeyDown(CalendarKey key);
  void MouseDown(int x, int y);

 private:
  TDayOfWeek first_day_of_week_ = dowSun;
  murva::Color neighbor_color_ = kClSilver;
  murva::Color day_of_week_bk_color_ = kClNavy;
  bool show_neighbor_ = false;
  bool neighbor_jump_ = false;
  bool auto_resize_ = true;
  bool first_row_first_day_ = false;
  bool last_row_last_day_ = false;
  bool show_rokuyo_ = false;
  int client_width_ = 224;
  int client_height_ = 168;
};

}  // namespace murva
