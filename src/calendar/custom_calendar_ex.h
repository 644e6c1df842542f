// The calendar engine's base: one current date, the holiday and special-day
// lists with their rules, and the font set. It paints nothing itself; a view
// that shows it registers a redraw handler and asks the engine what to draw.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "calendar/cal_ex_fonts.h"
#include "calendar/clock.h"
#include "calendar/color.h"
#include "calendar/listed_holidays.h"

namespace murva {

class TCustomCalendarEx;

// Fired after the current date changed: sender, year, month, day.
using TDayChangeEvent =
    std::function<void(TCustomCalendarEx& sender, std::int32_t year, int month, int day)>;
// Fired by TCalendarEx after every redraw.
using TNotifyEvent = std::function<void(TCustomCalendarEx& sender)>;

class TCustomCalendarEx {
 public:
  // The current date starts as today of the given clock.
  explicit TCustomCalendarEx(const Clock& clock = SystemLocalClock());
  virtual ~TCustomCalendarEx() = default;
  TCustomCalendarEx(const TCustomCalendarEx&) = delete;
  TCustomCalendarEx& operator=(const TCustomCalendarEx&) = delete;

  // --- the current date ---------------------------------------------------
  std::int32_t JuliusDay() const { return julius_day_; }
  // A different value is stored, redrawn and then reported by DoDayChange;
  // the same value does nothing.
  void SetJuliusDay(std::int32_t julius);

  std::int32_t Year() const;
  int Month() const;
  int Day() const;
  // Builds the date from the new part and the two current parts; a date that
  // does not exist is ignored (February while the day is 30 changes nothing).
  // 1582-10-05 .. 10-14 throws EJuliusError.
  void SetYear(std::int32_t year);
  void SetMonth(int month);
  void SetDay(int day);

  void Today();      // JuliusDay := today of the clock
  void NextDay();    // JuliusDay + 1
  void PrevDay();    // JuliusDay - 1
  void NextMonth();  // same day of the next month, lowered to its length
  void PrevMonth();  // same day of the month before, lowered to its length

  const Clock& ClockSource() const { return *clock_; }

  // --- appearance ---------------------------------------------------------
  const TCalExFonts& Fonts() const { return fonts_; }
  TCalExFonts& Fonts() { return fonts_; }  // every change redraws
  // Background colour (initially the window colour).
  murva::Color Color() const { return color_; }
  void SetColor(murva::Color color);

  // --- day lists and rules ------------------------------------------------
  const std::vector<std::string>& HolidayList() const { return holiday_list_; }
  void SetHolidayList(std::vector<std::string> lines);
  void AddHolidayLine(std::string line);
  void ClearHolidayList();

  const std::vector<std::string>& SpecialDayList() const { return special_day_list_; }
  void SetSpecialDayList(std::vector<std::string> lines);
  void AddSpecialDayLine(std::string line);
  void ClearSpecialDayList();

  bool AutoEquinox() const { return auto_equinox_; }
  void SetAutoEquinox(bool on);
  // Substitute holidays (振替休日) by the rule in force in the day's year:
  // none before 12 April 1973; until 2006 the Monday after a Sunday holiday;
  // from 2007 the first day after a Sunday holiday that is no holiday itself.
  bool AutoFurikae() const { return auto_furikae_; }
  void SetAutoFurikae(bool on);
  // Citizens' holidays (国民の休日) from 27 December 1985 on: a day between two
  // holidays that is itself no Sunday, holiday or substitute holiday. A rule
  // of the national holidays like the equinox days, so the user's own holiday
  // list switches it off with AutoEquinox while the substitute rule stays.
  bool AutoKokumin() const { return auto_kokumin_; }
  void SetAutoKokumin(bool on);

  // The official holiday list imported by the user: in the years it covers,
  // its days and names stand instead of the holiday lines and the computed
  // rules (equinoxes, substitute and citizens' holidays), as long as the
  // system's holidays are in use. The user's own holiday method turns them
  // off (LoadHolidayLines); ConfigureCalendarEx1 turns them on again.
  void SetListedHolidays(std::shared_ptr<const ListedHolidays> list);
  const std::shared_ptr<const ListedHolidays>& ListedHolidayList() const { return listed_; }
  bool UsesSystemHolidays() const { return system_holidays_; }
  void SetUsesSystemHolidays(bool on);
  // Whether the year's national holidays come from the listed holidays.
  bool ListsHolidaysOf(std::int32_t year) const;

  // Days marked by calendar sources, in every year and on top of every rule:
  // holidays (they never make a substitute or citizens' holiday) and special
  // days.
  void SetCalendarDays(DayNames holidays, DayNames special_days);
  const DayNames& CalendarHolidays() const { return calendar_holidays_; }
  const DayNames& CalendarSpecialDays() const { return calendar_special_days_; }

  // Interprets one day line for a year (see day_line.h).
  virtual void ParseDayLine(const std::string& line, int year, int& month, int& day,
                            std::string& name) const;
  // Day-type flags (dtSunday .. dtSpecialDay) of a date.
  virtual int DayTypeOf(std::int32_t year, int month, int day) const;
  // Names of what makes the date a special day or holiday, as comma text:
  // special-day names, holiday names, 春分の日/秋分の日, 国民の休日, 振替休日.
  virtual std::string DayTextOf(std::int32_t year, int month, int day) const;
  // The font for the date's type: special day > holiday/substitute >
  // Saturday/Sunday > weekday.
  virtual const TCalExFont& DayFontOf(std::int32_t year, int month, int day) const;

  // --- events ---------------------------------------------------------------
  TDayChangeEvent OnDayChange;

  // Called by every redraw; a view sets it to repaint itself.
  void SetRedrawHandler(std::function<void()> handler) { redraw_ = std::move(handler); }

  // Redraws the whole calendar (the view repaints from the engine's queries).
  virtual void DrawAll();

 protected:
  virtual void DoDayChange(std::int32_t year, int month, int day);

 private:
  // The rest days the calendar computes rather than lists.
  enum class ComputedHoliday { kNone, kSubstitute, kKokumin };

  void SetDatePart(std::int32_t year, int month, int day);
  // Whether a holiday line or (with AutoEquinox) an equinox names the day.
  bool IsNamedHoliday(std::int32_t julius) const;
  // Whether the substitute rule of the day's year makes the day, which no
  // holiday names, a substitute holiday (whatever AutoFurikae says).
  bool IsSubstituteByLaw(std::int32_t julius) const;
  // The computed rest day of a day no holiday names, as far as AutoFurikae
  // and AutoKokumin are on.
  ComputedHoliday ComputedHolidayOf(std::int32_t julius) const;

  const Clock* clock_;
  std::int32_t julius_day_ = 0;
  TCalExFonts fonts_;
  murva::Color color_;
  std::vector<std::string> holiday_list_;
  std::vector<std::string> special_day_list_;
  bool auto_equinox_ = true;
  bool auto_furikae_ = true;
  bool auto_kokumin_ = true;
  std::shared_ptr<const ListedHolidays> listed_;
  bool system_holidays_ = true;
  DayNames calendar_holidays_;
  DayNames calendar_special_days_;
  std::function<void()> redraw_;
};

}  // namespace murva
