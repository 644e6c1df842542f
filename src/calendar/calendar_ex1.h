// The main window's calendar engine CalendarEx1 with its stored properties:
// Monday first, silver neighbour colour, navy header, all fonts
// "ＭＳ Ｐゴシック" of 12 pixels (rokuyo 13), the colours black, aqua, red,
// white, fuchsia, lime and black, the built-in holiday lines and the one
// empty special-day line. The drawing code sets its own colours and first
// weekday before it uses the engine.
#pragma once

#include <memory>

#include "calendar/calendar_ex.h"

namespace murva {

// Gives an engine the stored properties of CalendarEx1.
void ConfigureCalendarEx1(TCalendarEx& calendar);

// A new engine standing on today of the clock, configured as CalendarEx1.
std::unique_ptr<TCalendarEx> MakeCalendarEx1(const Clock& clock = SystemLocalClock());

}  // namespace murva
