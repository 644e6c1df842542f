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

void TCustomCalendarEx::SetAutoKokumin(bool on) {
  auto_kokumin_ = on;
  DrawAll();
}

void TCustomCalendarEx::SetListedHolidays(std::shared_ptr<const ListedHolidays> list) {
  listed_ = std::move(list);
  DrawAll();
}

void TCustomCalendarEx::SetUsesSystemHolidays(bool on) {
  system_holidays_ = on;
  DrawAll();
}

bool TCustomCalendarEx::ListsHolidaysOf(std::int32_t year) const {
  return system_holidays_ && listed_ && listed_->Covers(year);
}

void TCustomCalendarEx::SetCalendarDays(DayNames holidays, DayNames special_days) {
  calendar_holidays_ = std::move(holidays);
  calendar_special_days_ = std::move(special_days);
  DrawAll();
}

void TCustomCalendarEx::ParseDayLine(const std::string& line, int year, int& month, int& day,
                                     std::string& name) const {
  ::murva::ParseDayLine(line, year, month, day, name);
}

namespace {

constexpr int kSunday = 1;
constexpr int kMonday = 2;
constexpr int kSaturday = 7;

// First day of the substitute-holiday rule (the Monday after a Sunday holiday).
std::int32_t FurikaeFirstDay() { return DateToJulius(1973, 4, 12); }
// First year of the rule "the first day after a Sunday holiday that is no
// holiday itself".
constexpr std::int32_t kFurikaeNextFreeDayFirstYear = 2007;
// First day of the citizens' holiday rule.
std::int32_t KokuminFirstDay() { return DateToJulius(1985, 12, 27); }

constexpr const char* kSubstituteHolidayName = "振替休日";
constexpr const char* kKokuminHolidayName = "国民の休日";

}  // namespace

bool TCustomCalendarEx::IsNamedHoliday(std::int32_t julius) const {
  const DateTriple date = JuliusToDate(julius);
  if (ListsHolidaysOf(date.year)) return listed_->NameOf(julius) != nullptr;
  std::string name;
  for (const std::string& line : holiday_list_) {
    int line_month = date.month;
    int line_day = 0;
    ParseDayLine(line, date.year, line_month, line_day, name);
    if (line_month == date.month && line_day == date.day) return true;
  }
  return auto_equinox_ && (IsSpringEquinoxDay(date.year, date.month, date.day) ||
                           IsAutumnEquinoxDay(date.year, date.month, date.day));
}

bool TCustomCalendarEx::IsSubstituteByLaw(std::int32_t julius) const {
  if (julius < FurikaeFirstDay()) return false;
  if (JuliusToDate(julius).year < kFurikaeNextFreeDayFirstYear) {
    return JuliusToWeekday(julius) == kMonday && IsNamedHoliday(julius - 1);
  }
  // Back over the holidays right before the day: one of them on a Sunday
  // makes this day its substitute. Seven days in a row hold a Sunday, so the
  // walk ends within a week.
  for (std::int32_t before = julius - 1; IsNamedHoliday(before); --before) {
    if (JuliusToWeekday(before) == kSunday) return true;
  }
  return false;
}

TCustomCalendarEx::ComputedHoliday TCustomCalendarEx::ComputedHolidayOf(
    std::int32_t julius) const {
  // A listed year names every rest day itself.
  if (ListsHolidaysOf(JuliusToDate(julius).year)) return ComputedHoliday::kNone;
  if (auto_furikae_ && IsSubstituteByLaw(julius)) return ComputedHoliday::kSubstitute;
  // A substitute holiday stays one when the substitute rule is switched off;
  // it never turns into a citizens' holiday.
  if (auto_kokumin_ && julius >= KokuminFirstDay() && JuliusToWeekday(julius) != kSunday &&
      IsNamedHoliday(julius - 1) && IsNamedHoliday(julius + 1) &&
      (auto_furikae_ || !IsSubstituteByLaw(julius))) {
    return ComputedHoliday::kKokumin;
  }
  return ComputedHoliday::kNone;
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
  const std::int32_t julius = DateToJulius(year, month, day);
  const bool listed = ListsHolidaysOf(year);
  if (calendar_special_days_.count(julius) != 0) flags |= dtSpecialDay;
  if (listed) {
    if (listed_->NameOf(julius) != nullptr) flags |= dtHoliday;
  } else {
    for (const std::string& line : holiday_list_) {
      int line_month = month;
      int line_day = 0;
      ParseDayLine(line, year, line_month, line_day, name);
      if (line_month == month && line_day == day) flags |= dtHoliday;
    }
  }
  const int weekday = JuliusToWeekday(julius);
  if (weekday == kSunday) flags |= dtSunday;
  if (weekday == kSaturday) flags |= dtSaturday;
  if (!listed && auto_equinox_ &&
      (IsSpringEquinoxDay(year, month, day) || IsAutumnEquinoxDay(year, month, day))) {
    flags |= dtHoliday;
  }
  // A day that is a holiday by name is never a substitute or citizens' holiday.
  if ((flags & dtHoliday) == 0) {
    switch (ComputedHolidayOf(julius)) {
      case ComputedHoliday::kSubstitute: flags |= dtSubstitute; break;
      case ComputedHoliday::kKokumin: flags |= dtHoliday; break;
      case ComputedHoliday::kNone: break;
    }
  }
  if (calendar_holidays_.count(julius) != 0) flags |= dtHoliday;
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
  const std::int32_t julius = DateToJulius(year, month, day);
  const auto add_calendar_names = [&names, julius](const DayNames& days) {
    const auto found = days.find(julius);
    if (found != days.end()) names.insert(names.end(), found->second.begin(), found->second.end());
  };
  add_calendar_names(calendar_special_days_);
  bool named_holiday = false;
  const bool listed = ListsHolidaysOf(year);
  if (listed) {
    if (const std::string* listed_name = listed_->NameOf(julius)) {
      names.push_back(*listed_name);
      named_holiday = true;
    }
  } else {
    for (const std::string& line : holiday_list_) {
      int line_month = month;
      int line_day = 0;
      ParseDayLine(line, year, line_month, line_day, name);
      if (line_month == month && line_day == day) {
        names.push_back(name);
        named_holiday = true;
      }
    }
  }
  if (!listed && auto_equinox_) {
    if (IsSpringEquinoxDay(year, month, day)) {
      names.emplace_back("春分の日");
      named_holiday = true;
    } else if (IsAutumnEquinoxDay(year, month, day)) {
      names.emplace_back("秋分の日");
      named_holiday = true;
    }
  }
  if (!named_holiday) {
    switch (ComputedHolidayOf(julius)) {
      case ComputedHoliday::kSubstitute: names.emplace_back(kSubstituteHolidayName); break;
      case ComputedHoliday::kKokumin: names.emplace_back(kKokuminHolidayName); break;
      case ComputedHoliday::kNone: break;
    }
  }
  add_calendar_names(calendar_holidays_);
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
