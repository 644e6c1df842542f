// The month grid with colour properties and the cell queries the wallpaper
// drawing uses: set the engine to a month, then ask cell by cell.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "calendar/monthly_calendar.h"

namespace murva {

class TCalendarEx : public TMonthlyCalendar {
 public:
  explicit TCalendarEx(const Clock& clock = SystemLocalClock());

  // Fired by DoChange after every redraw.
  TNotifyEvent OnChange;

  // Weekday of the current date, 1 = Sunday .. 7 = Saturday.
  int DayOfWeek() const;

  // The holiday list under a second name.
  const std::vector<std::string>& TypeOfDayList() const { return HolidayList(); }
  void SetTypeOfDayList(std::vector<std::string> lines) { SetHolidayList(std::move(lines)); }
  // DayTextOf of the current date.
  std::string TypeOfDayText() const;

  // Colours of single fonts.
  murva::Color WeekdayColor() const;
  void SetWeekdayColor(murva::Color color);
  murva::Color SaturdayColor() const;
  void SetSaturdayColor(murva::Color color);
  murva::Color SundayColor() const;
  void SetSundayColor(murva::Color color);
  murva::Color HolidayColor() const;
  void SetHolidayColor(murva::Color color);
  murva::Color SpecialDayColor() const;
  void SetSpecialDayColor(murva::Color color);
  murva::Color NeighborDayColor() const { return NeighborColor(); }
  void SetNeighborDayColor(murva::Color color) { SetNeighborColor(color); }

  // 0 for row 0; for a day cell its day of month, + 100 for a day of another
  // month in row 1 (the month before), + 200 for a day of another month below.
  int CellDay(int col, int row) const;
  // Row 0: the DayOfWeek font's colour; a day cell: the colour of DayFontOf.
  murva::Color CellColor(int col, int row) const;
  int WeekdayOf(std::int32_t year, int month, int day) const;
  int DaysOfMonth(std::int32_t year, int month) const;

  void DrawAll() override;

 protected:
  virtual void DoChange();
};

}  // namespace murva
