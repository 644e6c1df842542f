#include "calendar/calendar_ex.h"

#include "calendar/julius.h"

namespace murva {

TCalendarEx::TCalendarEx(const Clock& clock) : TMonthlyCalendar(clock) { DoChange(); }

int TCalendarEx::DayOfWeek() const { return JuliusToWeekday(JuliusDay()); }

std::string TCalendarEx::TypeOfDayText() const { return DayTextOf(Year(), Month(), Day()); }

murva::Color TCalendarEx::WeekdayColor() const { return Fonts().ColorOf(CalFontIndex::kWeekday); }
void TCalendarEx::SetWeekdayColor(murva::Color color) {
  Fonts().SetColor(CalFontIndex::kWeekday, color);
}

murva::Color TCalendarEx::SaturdayColor() const {
  return Fonts().ColorOf(CalFontIndex::kSaturday);
}
void TCalendarEx::SetSaturdayColor(murva::Color color) {
  Fonts().SetColor(CalFontIndex::kSaturday, color);
}

murva::Color TCalendarEx::SundayColor() const { return Fonts().ColorOf(CalFontIndex::kSunday); }
void TCalendarEx::SetSundayColor(murva::Color color) {
  Fonts().SetColor(CalFontIndex::kSunday, color);
}

murva::Color TCalendarEx::HolidayColor() const { return Fonts().ColorOf(CalFontIndex::kHoliday); }
void TCalendarEx::SetHolidayColor(murva::Color color) {
  Fonts().SetColor(CalFontIndex::kHoliday, color);
}

murva::Color TCalendarEx::SpecialDayColor() const {
  return Fonts().ColorOf(CalFontIndex::kSpecialDay);
}
void TCalendarEx::SetSpecialDayColor(murva::Color color) {
  Fonts().SetColor(CalFontIndex::kSpecialDay, color);
}

int TCalendarEx::CellDay(int col, int row) const {
  if (row == 0) return 0;
  const std::int32_t julius = CellJulius(col, row);
  const int day = JuliusToDate(julius).day;
  if (InCurrentMonth(julius)) return day;
  return row == 1 ? day + 100 : day + 200;
}

murva::Color TCalendarEx::CellColor(int col, int row) const {
  if (row == 0) return Fonts().DayOfWeek().color;
  const DateTriple date = JuliusToDate(CellJulius(col, row));
  return DayFontOf(date.year, date.month, date.day).color;
}

int TCalendarEx::WeekdayOf(std::int32_t year, int month, int day) const {
  return JuliusToWeekday(DateToJulius(year, month, day));
}

int TCalendarEx::DaysOfMonth(std::int32_t year, int month) const { return MonthDays(year, month); }

void TCalendarEx::DrawAll() {
  TMonthlyCalendar::DrawAll();
  DoChange();
}

void TCalendarEx::DoChange() {
  if (OnChange) OnChange(*this);
}

}  // namespace murva
