// The schedule block of the wallpaper: the output lines of the expansion,
// one below the other from the page's schedule origin, in the schedule font,
// each in its own colour, today's lines marked.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/clock.h"
#include "render/canvas.h"
#include "render/today_fields.h"
#include "render/today_mark.h"
#include "schedule/calendar_lines.h"
#include "schedule/schedule_list.h"
#include "schedule/schedule_options.h"
#include "settings/working_copy.h"

namespace murva {

// The text of the line added when nothing is due today.
inline constexpr const char* kNoScheduleText = " No Schedule ";

// The no-schedule line (CP932): today's date, the weekday label after a
// blank when labels are in use, then " No Schedule ".
std::string NoScheduleLine(const TodayFields& today, const ScheduleOptions& options);

// Whether a line is one of today's: its first eleven bytes are today's date
// text and a blank.
bool IsTodaysLine(std::string_view line, const TodayFields& today);

// Whether the output holds a line due today other than the stand-in line of a
// missing external file.
bool HasLineDueToday(const ScheduleList& output, const TodayFields& today);

// Sets the canvas font colour for an output line and gives the text to draw
// (UTF-8): a blank and the part of the line before its first "%" (the whole
// line when it has none). The colour is the line's keyword colour when it has
// a known keyword, else the schedule colour.
std::string ApplyColorKeyword(Canvas& canvas, std::string_view line, Color schedule_color);

// The text of a schedule line as it fits between `left` and `right` (canvas
// pixels) in the canvas's font: the whole text when it fits, otherwise as
// many whole characters as fit with "…" after them (nothing when not even
// that fits).
std::string FitScheduleText(Canvas& canvas, const std::string& text, int left, int right);

// Draws output lines as the schedule block (the no-schedule line is added
// first when due) and returns the output lines in drawing order as they stand
// afterwards, that is with the year cut when year omission is on. Leaves the
// canvas with the schedule font, the page's schedule colour and a clear brush.
// A line too long for the picture is cut at its right edge, and a line that
// would run into another item on the picture (`others`: the boxes of the
// titles and calendars drawn before) is cut before it, unless the item
// leaves no room even for the line's date.
std::vector<std::string> DrawScheduleLines(Canvas& canvas, ScheduleList output,
                                           const WorkingCopy& copy, const TodayFields& today,
                                           const std::vector<TextBox>& others = {});

// The whole schedule block of a build: reloads the entry list from the
// schedule file in the program folder, expands it (ExpandSchedule) and draws
// the result. Returns the output lines as DrawScheduleLines does. The expansion's errors pass
// to the caller before anything is drawn. The lines of the calendar sources
// are listed with the entries.
std::vector<std::string> DrawSchedule(Canvas& canvas, ScheduleList& entries,
                                      const WorkingCopy& copy, const TodayFields& today,
                                      const Clock& clock,
                                      const std::filesystem::path& program_folder,
                                      const std::vector<DatedLine>& calendar_lines = {},
                                      const std::vector<TextBox>& others = {});

}  // namespace murva
