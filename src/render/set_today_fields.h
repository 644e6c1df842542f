// Today's fields at start-up.
#pragma once

#include "render/today_fields.h"

namespace murva {

class TCustomCalendarEx;

// Sets the engine to today (of its clock) and returns today's year, month,
// day and their texts as the engine then stands.
TodayFields SetTodayFields(TCustomCalendarEx& engine);

}  // namespace murva
