// The expansion of schedule entries into the dated output lines of the period
// shown.
//
// The merged list holds the lines being expanded: first in the stored layout
// ("yy/mm/dd", form code, text), then, after the years are widened, in the
// expanded layout: bytes 1-10 the date pattern with a four-character year,
// 11-16 the form code, 17 onward the text. An output line is a ten-character
// date, a blank and the text, optionally with a weekday label after the date.
// All lines are CP932 bytes.
//
// Two dates take part: today, the start-up date kept in TodayFields, against
// which periods, repeats, start markers and the birthday are judged; and the
// current date read from the clock at the moment of expansion, from which the
// weekly and n-th-weekday occurrences are counted.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/clock.h"
#include "render/today_fields.h"
#include "schedule/calendar_lines.h"
#include "schedule/schedule_date.h"
#include "schedule/schedule_list.h"
#include "schedule/schedule_options.h"

namespace murva {

// The start marker (UTF-8 here; nine bytes in CP932), followed in the text by
// a start date "yyyy/mm/dd".
inline constexpr const char* kStartMarker = " ▼FROM▼";
// The birthday greeting after today's date (it begins with a blank).
inline constexpr const char* kBirthdayText = " ☆誕生日おめでとう☆";

// Longest text kept when repeats are resolved (bytes 17..266 of a line) and
// longest text taken into an output line.
inline constexpr std::size_t kResolvedLineBytes = 266;
inline constexpr std::size_t kOutputTextBytes = 999;

// The codes a date answers to in the day field: `nth` is the letter of its
// occurrence in the month ("A" first .. "E" fifth) followed by its weekday
// digit; `last` is "F" + the weekday digit when the date lies in the last
// seven days of its month, else empty.
struct NthWeekdayCode {
  std::string nth;
  std::string last;
  bool operator==(const NthWeekdayCode&) const = default;
};
NthWeekdayCode NthWeekdayCodes(const CivilDate& date);

// Widens the two-character year of every line to four: "@@" becomes "@@@@",
// 90..99 get "19" in front, any other integer "20". Throws
// ScheduleIntegerError for a line whose first two characters are neither "@@"
// nor an integer (an empty line included).
void WidenYears(std::vector<std::string>& merged);

// First repeat pass: for every line with year "@@@@" and a given month, adds
// a copy dated in today's year + 1. Callers run it only below period 10.
void AddNextYearCopies(std::vector<std::string>& merged, const TodayFields& today);

// Second repeat pass: a year "@@@@" becomes today's year; a numeric day 1..31
// with month "@@" takes today's month when the day has not passed, else the
// next month (January of next year after December). Every line is cut to its
// first 266 bytes (a double-byte character is never split).
void ResolveRepeatDates(std::vector<std::string>& merged, const TodayFields& today);

// Both passes, the first only when the period is below 10.
void ResolveRepeats(std::vector<std::string>& merged, const TodayFields& today, int period);

// The text of an expanded line: from byte 17, at most 999 bytes.
std::string ExpandedText(std::string_view line);

// Steps after the sources are merged: widen years, resolve repeats, add the
// weekly, n-th-weekday, start-marker, plain-date and birthday lines, insert
// weekday labels and collapse duplicates. Throws ScheduleIntegerError and
// ScheduleDateError for malformed lines; nothing is returned then. The lines
// of calendar sources join the output as dated lines, each where the
// period's rule lists its date.
ScheduleList ExpandMergedLines(const std::vector<std::string>& merged, const ScheduleOptions& options,
                               const TodayFields& today, const Clock& clock,
                               const std::vector<DatedLine>& calendar_lines = {});

// The whole expansion: reloads the entry list from the schedule file (a
// missing file leaves it as it is), merges the sources and expands them.
// Returns the output list, sorted and without duplicates.
ScheduleList ExpandSchedule(ScheduleList& entries, const std::filesystem::path& schedule_file,
                            const ScheduleOptions& options, const TodayFields& today,
                            const Clock& clock, const std::vector<DatedLine>& calendar_lines = {});

}  // namespace murva
