// An iCalendar file (RFC 5545) as the schedule list reads it: its events,
// grouped by UID into a series (the event with its repeat rule and the
// instances moved or cancelled by RECURRENCE-ID), and their occurrences on
// the days of a date window, in the time zone the wallpaper shows.
//
// Reading goes through libical. libical's own walk over a series ignores
// RECURRENCE-ID and stretches the end of all-day events by a day, so the
// series and the spans are put together here.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "schedule/display_zone.h"
#include "schedule/schedule_date.h"

namespace murva {

// One day of an event within the window.
struct CalendarOccurrence {
  CivilDate date;
  // The local start "HH:MM" as minutes after midnight on the day a timed
  // event begins; -1 for an all-day event and for the later days of an
  // event that runs over several days.
  int start_minute = -1;
  bool all_day = false;
  bool continued = false;  // a later day of an event that began before it
  std::string text;        // the event's SUMMARY, line breaks as blanks

  bool operator==(const CalendarOccurrence&) const = default;
};

// Longest iCalendar text read (a calendar of many years is a few MiB).
inline constexpr std::size_t kCalendarTextLimit = std::size_t{32} << 20;

class ICalendar {
 public:
  // Reads the text. A text that is not iCalendar (an HTML page, an empty
  // answer), one cut short (no END:VCALENDAR) or one libical cannot read at
  // all gives a calendar without events whose Error() says why. Events
  // without a readable start are left out and named in Warnings().
  static std::shared_ptr<const ICalendar> Read(std::string_view text);

  ~ICalendar();
  ICalendar(const ICalendar&) = delete;
  ICalendar& operator=(const ICalendar&) = delete;

  bool Ok() const { return error_.empty(); }
  // Why the text could not be read (Japanese); empty when it was.
  const std::string& Error() const { return error_; }
  // What was left out or read in another way (unknown zones, unreadable
  // events), each once.
  const std::vector<std::string>& Warnings() const { return warnings_; }
  // Events read (a series counts once, its moved instances not).
  std::size_t EventCount() const;

  // The occurrences on the days first .. last (inclusive) in the zone, in
  // no particular order: a timed event on the day it starts with its start
  // time and on every further day it runs into; an all-day event on each of
  // its days (DTEND exclusive). Series are expanded by RRULE and RDATE less
  // EXDATE, with their RECURRENCE-ID instances in place of the instances
  // they replace; cancelled events and instances are left out. Problems met
  // on the way (a repeat rule too dense to follow) are added to warnings.
  std::vector<CalendarOccurrence> Occurrences(const CivilDate& first, const CivilDate& last,
                                              const DisplayZone& zone,
                                              std::vector<std::string>* warnings = nullptr) const;

  struct Data;  // the events (libical's types; see ical_events.h)

 private:
  ICalendar();
  std::unique_ptr<Data> data_;
  std::string error_;
  std::vector<std::string> warnings_;
};

}  // namespace murva
