#include "render/set_today_fields.h"

#include "calendar/custom_calendar_ex.h"

namespace murva {

TodayFields SetTodayFields(TCustomCalendarEx& engine) {
  engine.Today();
  return TodayFields::Of(engine.Year(), engine.Month(), engine.Day());
}

}  // namespace murva
