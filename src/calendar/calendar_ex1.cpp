#include "calendar/calendar_ex1.h"

#include "calendar/builtin_day_lists.h"

namespace murva {

namespace {

constexpr const char* kCalendarEx1FontName = "ＭＳ Ｐゴシック";
constexpr int kCalendarEx1FontHeight = 12;    // pixels
constexpr int kCalendarEx1RokuyoHeight = 13;  // pixels

TCalExFont StoredFont(Color color, int pixel_height) {
  TCalExFont font;
  font.name = kCalendarEx1FontName;
  font.SetPixelHeight(pixel_height);
  font.style = 0;
  font.color = color;
  return font;
}

}  // namespace

void ConfigureCalendarEx1(TCalendarEx& calendar) {
  calendar.SetFirstDayOfWeek(dowMon);
  calendar.SetNeighborColor(kClSilver);
  calendar.SetDayOfWeekBkColor(kClNavy);
  calendar.SetShowNeighbor(false);
  calendar.SetNeighborJump(false);
  calendar.SetFirstRowFirstDay(false);
  calendar.SetLastRowLastDay(false);
  calendar.SetShowRokuyo(false);
  calendar.SetAutoResize(true);
  calendar.SetColor(kClWindow);

  TCalExFonts& fonts = calendar.Fonts();
  fonts.SetSynchronize(false);
  fonts.SetWeekday(StoredFont(kClBlack, kCalendarEx1FontHeight));
  fonts.SetSaturday(StoredFont(kClAqua, kCalendarEx1FontHeight));
  fonts.SetSunday(StoredFont(kClRed, kCalendarEx1FontHeight));
  fonts.SetDayOfWeek(StoredFont(kClWhite, kCalendarEx1FontHeight));
  fonts.SetHoliday(StoredFont(kClFuchsia, kCalendarEx1FontHeight));
  fonts.SetSpecialDay(StoredFont(kClLime, kCalendarEx1FontHeight));
  fonts.SetRokuyo(StoredFont(kClBlack, kCalendarEx1RokuyoHeight));

  calendar.SetAutoEquinox(true);
  calendar.SetAutoFurikae(true);
  calendar.SetAutoKokumin(true);
  calendar.SetUsesSystemHolidays(true);
  calendar.SetHolidayList(BuiltInHolidayLines());
  calendar.SetSpecialDayList(BuiltInSpecialDayLines());
}

std::unique_ptr<TCalendarEx> MakeCalendarEx1(const Clock& clock) {
  auto calendar = std::make_unique<TCalendarEx>(clock);
  ConfigureCalendarEx1(*calendar);
  return calendar;
}

}  // namespace murva
