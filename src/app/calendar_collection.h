// What the calendar sources give a build, the preview, the resident mode and
// the command line: the lines of the schedule list, the days they colour on
// the month calendars, and a message for every source that could not be
// read as it should (naming the source, its address masked).
//
// A file source is read from disk, a subscription from its copy in the
// cache; nothing here touches the network. A calendar is read once and kept
// while its file stays the same, so that builds and previews after the
// first cost only the expansion.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "calendar/listed_holidays.h"
#include "platform/calendar_cache.h"
#include "render/today_fields.h"
#include "schedule/calendar_lines.h"
#include "schedule/display_zone.h"
#include "schedule/ical_calendar.h"
#include "settings/calendar_source.h"
#include "settings/working_copy.h"

namespace murva {

struct SourceCalendar {
  std::shared_ptr<const ICalendar> calendar;  // null when nothing could be read
  std::string problem;       // what went wrong, naming the source; empty when nothing did
  std::int64_t written = 0;  // when the file or the copy was written (seconds since 1970)
  CalendarCacheState state;  // a subscription's fetch state
};

// One source's calendar. A subscription not fetched yet, or whose last
// fetch failed, says so (with the time of the copy in use); the reading's
// warnings are part of the problem.
SourceCalendar ReadSourceCalendar(const CalendarSource& source, const CalendarCache& cache);

// An occurrence with the index of its source in the settings.
struct SourceOccurrence {
  CalendarOccurrence occurrence;
  std::size_t source = 0;
};

struct CalendarContribution {
  std::vector<DatedLine> lines;        // of the sources used for the schedule list
  std::vector<SourceOccurrence> occurrences;  // the same, as occurrences
  DayNames holidays;                   // all-day events of the holiday sources
  DayNames special_days;               // ... of the special-day sources
  std::vector<std::string> problems;
};

// The switched-on sources' occurrences in list_window (the schedule list)
// and the all-day days in day_window (holidays, special days).
CalendarContribution CollectCalendars(const CalendarSettings& settings, const CalendarCache& cache,
                                      const DateWindow& list_window, const DateWindow& day_window,
                                      const DisplayZone& zone);

// The days the month calendars of a build may show: from a week before this
// month to thirteen months on.
DateWindow CalendarDayWindow(const TodayFields& today);

// The contribution to a build of the shown page: the sources stored in the
// program folder's settings file, the period of the working copy, the
// machine's time zone and the user's cache.
CalendarContribution CalendarsForBuild(const WorkingCopy& copy,
                                       const std::filesystem::path& program_folder,
                                       const TodayFields& today);

// "2025/04/01 09:30" in local time.
std::string LocalTimeText(std::int64_t seconds);

// The status line of a source in the control panel: the last good fetch (or
// the file's time), the number of events, the last error and since when
// the copy in use dates.
std::string CalendarStatusText(const CalendarSource& source, const CalendarCache& cache);

}  // namespace murva
