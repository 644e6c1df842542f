#include "calendar/custom_calendar_ex.h"

#include <algorithm>

#include "calendar/comma_text.h"
#include "calendar/day_line.h"
#include "calendar/day_type.h"
#include "calendar/equinox.h"
#include "calendar/julius.h"

namespace murva {

TCustomCalendarEx::TCustomCalendarEx(const Clock& clock)
    : clock_(&clock), julius_day_(DateTimeToJulius(clock.Now())), color_(kClWindow) {
  fonts_.SetColor(CalFontIndex::kWeekday, kClBlack);
  fonts_.SetColor(CalFontIndex::kSaturday, kClBlue);
  fonts_.SetColor(CalFontIndex::kSunday, kClRed);
  fonts_.SetColor(CalFontIndex::kDayOfWeek, kClWhite);
  fonts_.SetColor(CalFontIndex::kHoliday, kClRed);
  fonts_.SetColor(CalFontIndex::kSpecialDay, kClGreen);
  TCalExFont rokuyo = fonts_.Rokuyo();
  rokuyo.color = kClBlack;
  rokuyo.size = 10;
  fonts_.SetRokuyo(rokuyo);
  // From here on every font change redraws.
  fonts_.SetChangedHandler([this] { DrawAll(); });
}

// --- the current date ------------------------------------------------------

void TCustomCalendarEx::SetJuliusDay(std::int32_t julius) {
  if (julius == julius_day_) return;
  julius_day_ = julius;
  DrawAll();
  const DateTriple date = JuliusToDate(julius_day_);
  DoDayChange(date.year, date.month, date.day);
}

std::int32_t TCustomCalendarEx::Year() const { return JuliusToDate(julius_day_).year; }
int TCustomCalendarEx::Month() const { return JuliusToDate(julius_day_).month; }
int TCustomCalendarEx::Day() const { return JuliusToDate(julius_day_).day; }

void TCustomCalendarEx::SetDatePart(std::int32_t year, int month, int day) {
  if (!IsValidDate(year, month, day)) return;
  SetJuliusDay(DateToJulius(year, month, day));
}

void TCustomCalendarEx::SetYear(std::int32_t year) {
  const DateTriple date = JuliusToDate(julius_day_);
  SetDatePart(year, date.month, date.day);
}

void TCustomCalendarEx::SetMonth(int month) {
  const DateTriple date = JuliusToDate(julius_day_);
  SetDatePart(date.year, month, date.day);
}

void TCustomCalendarEx::SetDay(int day) {
  const DateTriple date = JuliusToDate(julius_day_);
  SetDatePart(date.year, date.month, day);
}

void TCustomCalendarEx::Today() { SetJuliusDay(DateTimeToJulius(clock_->Now())); }

void TCustomCalendarEx::NextDay() { SetJuliusDay(julius_day_ + 1); }

void TCustomCalendarEx::PrevDay() { SetJuliusDay(julius_day_ - 1); }

void TCustomCalendarEx::NextMonth() {
  DateTriple date = JuliusToDate(julius_day_);
  if (date.month == 12) {
    date.month = 1;
    ++date.year;
  } else {
    ++date.month;
  }
  date.day = std::min(date.day, MonthDays(date.year, date.month));
  SetJuliusDay(DateToJulius(date.year, date.month, date.day));
}

void TCustomCalendarEx::PrevMonth() {
  DateTriple date = JuliusToDate(julius_day_);
  if (date.month == 1) {
    date.month = 12;
    --date.year;
  } else {
    --date.month;
  }
  date.day = std::min(date.day, MonthDays(date.year, date.month));
  SetJuliusDay(DateToJulius(date.year, date.month, date.day));
}

// --- appearance --------------------------------------------------------------

void TCustomCalendarEx::SetColor(murva::Color color) {
  color_ = color;
  DrawAll();
}

// --- day lists and rules -------------------------------------------------------

void TCustomCalendarEx::SetHolidayList(std::vector<std::string> lines) {
  holiday_list_ = std::move(lines);
  DrawAll();
}

void TCustomCalendarEx::AddHolidayLine(std::string line) {
  holiday_list_.push_back(std::move(line));
  DrawAll();
}

void TCustomCalendarEx::ClearHolidayList() {
  holiday_list_.clear();
  DrawAll();
}

void TCustomCalendarEx::SetSpecialDayList(std::vector<std::string> lines) {
  special_day_list_ = std::move(lines);
  DrawAll();
}

void TCustomCalendarEx::AddSpecialDayLine(std::string line) {
  special_day_list_.push_back(std::move(line));
  DrawAll();
}

void TCustomCalendarEx::ClearSpecialDayList() {
  special_day_list_.clear();
  DrawAll();
}

void TCustomCalendarEx::SetAutoEquinox(bool on) {
  auto_equinox_ = on;
  DrawAll();
}

void TCustomCalendarEx::SetAutoFurikae(bool on) {
  auto_furikae_ = on;
  DrawAll();
}

void TCustomCalendarEx::ParseDayLine(const std::string& line, int year, int& month, int& day,
                                     std::string& name) const {
  ::murva::ParseDayLine(line, year, month, day, name);
}

int TCustomCalendarEx::DayTypeOf(std::int32_t year, int month, int day) const {
  int flags = 0;
  std::string name;
  for (const std::string& line : special_day_list_) {
    int line_month = month;
    int line_day = 0;
    ParseDayLine(line, year, line_month, line_day, name);
    if (line_month == month && line_day == day) flags |= dtSpecialDay;
  }
  for (const std::string& line : holiday_list_) {
    int line_month = month;
    int line_day = 0;
    ParseDayLine(line, year, line_month, line_day, name);
    if (line_month == month && line_day == day) flags |= dtHoliday;
  }
  const std::int32_t julius = DateToJulius(year, month, day);
  const int weekday = JuliusToWeekday(julius);
  if (weekday == 1) flags |= dtSunday;
  if (weekday == 7) flags |= dtSaturday;
  if (auto_equinox_ &&
      (IsSpringEquinoxDay(year, month, day) || IsAutumnEquinoxDay(year, month, day))) {
    flags |= dtHoliday;
  }
  // The Monday after a Sunday holiday is a substitute holiday, unless it is a
  // holiday itself.
  if (auto_furikae_ && weekday == 2 && (flags & dtHoliday) == 0) {
    const DateTriple sunday = JuliusToDate(julius - 1);
    if ((DayTypeOf(sunday.year, sunday.month, sunday.day) & dtHoliday) != 0) {
      flags |= dtSubstitute;
    }
  }
  return flags;
}

std::string TCustomCalendarEx::DayTextOf(std::int32_t year, int month, int day) const {
  std::vector<std::string> names;
  std::string name;
  for (const std::string& line : special_day_list_) {
    int line_month = month;
    int line_day = 0;
    ParseDayLine(line, year, line_month, line_day, name);
    if (line_month == month && line_day == day) names.push_back(name);
  }
  for (const std::string& line : holiday_list_) {
    int line_month = month;
    int line_day = 0;
    ParseDayLine(line, year, line_month, line_day, name);
    if (line_month == month && line_day == day) names.push_back(name);
  }
  if (auto_equinox_) {
    if (IsSpringEquinoxDay(year, month, day)) {
      names.emplace_back("春分の日");
    } else if (IsAutumnEquinoxDay(year, month, day)) {
      names.emplace_back("秋分の日");
    }
  }
  if (auto_furikae_ && (DayTypeOf(year, month, day) & dtSubstitute) != 0) {
    names.emplace_back("振替休日");
  }
  return CommaText(names);
}

const TCalExFont& TCustomCalendarEx::DayFontOf(std::int32_t year, int month, int day) const {
  const int flags = DayTypeOf(year, month, day);
  CalFontIndex index = CalFontIndex::kWeekday;
  if ((flags & dtSaturday) != 0) {
    index = CalFontIndex::kSaturday;
  } else if ((flags & dtSunday) != 0) {
    index = CalFontIndex::kSunday;
  }
  if ((flags & (dtHoliday | dtSubstitute)) != 0) index = CalFontIndex::kHoliday;
  if ((flags & dtSpecialDay) != 0) index = CalFontIndex::kSpecialDay;
  return fonts_.Font(index);
}

// --- drawing and events ----------------------------------------------------------

void TCustomCalendarEx::DrawAll() {
  if (redraw_) redraw_();
}

void TCustomCalendarEx::DoDayChange(std::int32_t year, int month, int day) {
  if (OnDayChange) OnDayChange(*this, year, month, day);
}

}  // namespace murva
