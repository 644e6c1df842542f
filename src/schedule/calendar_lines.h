// Calendar occurrences as lines of the schedule list: the window of days a
// display period shows, and the line of an occurrence ("yyyy/mm/dd" and the
// text, a timed event's start "HH:MM" first, its calendar's colour keyword
// at the end), in CP932 as the list keeps its lines.
#pragma once

#include <string>
#include <vector>

#include "render/today_fields.h"
#include "schedule/ical_calendar.h"
#include "schedule/schedule_date.h"

namespace murva {

struct DateWindow {
  CivilDate first;
  CivilDate last;  // inclusive
  bool Empty() const { return last < first; }
};

// The days whose occurrences a display period can list (the period's own
// rule then decides for each line, as for the file's entries). The periods
// without an end ("すべてを表示する", "残りの予定を表示") reach a year ahead,
// the first from the first of this month on.
inline constexpr int kOpenPeriodDays = 366;
DateWindow CalendarWindowOf(int period, const TodayFields& today);

// A line of the schedule list, as the expansion adds it: the date text and
// the text after the blank that follows it.
struct DatedLine {
  std::string date;  // "yyyy/mm/dd"
  std::string text;  // CP932: ["HH:MM "] text ["%" colour "%"]

  bool operator==(const DatedLine&) const = default;
};

// "HH:MM" of minutes after midnight.
std::string StartTimeText(int start_minute);

// The text of an occurrence as the list shows it (UTF-8): the start time
// and a blank before a timed event's text on its first day; "%" becomes
// "％" so that it never starts a colour keyword; an empty text becomes
// "（件名なし）".
std::string OccurrenceText(const CalendarOccurrence& occurrence);

// The line of an occurrence in a calendar's colour keyword (empty: none).
// A character CP932 has no form for becomes "?".
DatedLine OccurrenceLine(const CalendarOccurrence& occurrence, const std::string& color);

}  // namespace murva
