// The events of a read iCalendar file in libical's types, shared by the
// reading (ical_calendar.cpp) and the expansion (calendar_expansion.cpp).
#pragma once

#include <libical/ical.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "schedule/ical_calendar.h"

namespace murva {

// One VEVENT, its times with their zones attached (a floating time has
// none, a date is_date).
struct CalendarEvent {
  std::string summary;
  icaltimetype start{};
  bool all_day = false;
  int days = 1;                // all-day: days covered, DTEND exclusive
  std::int64_t seconds = 0;    // timed: duration
  std::vector<icalrecurrencetype> rules;
  std::vector<icaltimetype> rdates;
  std::vector<icaltimetype> exdates;
  bool has_recurrence_id = false;
  icaltimetype recurrence_id{};
  bool cancelled = false;
};

// The events of one UID: the event with its rules (may be missing when a
// file holds only moved instances) and its moved or cancelled instances.
struct EventSeries {
  std::unique_ptr<CalendarEvent> master;
  std::vector<CalendarEvent> overrides;
};

struct ICalendar::Data {
  icalcomponent* root = nullptr;  // owns the rules' texts and the file's zones
  std::vector<EventSeries> series;
  ~Data() {
    if (root != nullptr) icalcomponent_free(root);
  }
};

// The scale times are compared on: seconds since 1970 for a time with a
// zone or in UTC, the wall clock counted as UTC for a floating time or a
// date.
std::int64_t InstantOf(const icaltimetype& time);

}  // namespace murva
