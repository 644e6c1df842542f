// What the holiday and special-day grids of "休日の設定" mean once saved:
// which cells the save leaves out, the lists the next start reads back, and
// a calendar engine set up to show one month as those lists will colour it.
#pragma once

#include <string>
#include <string_view>

#include "calendar/calendar_ex.h"
#include "render/today_fields.h"
#include "settings/working_copy.h"

namespace murva {

// The day columns of a grid row (column 0 holds the month's label).
inline constexpr int kGridDayColumns = 31;

// A cell the save leaves out: it holds something, but not a day 1 .. 31.
bool IsDroppedOnSave(std::string_view cell);

// The grid as the next start reads it back from the saved lists.
DayGrid AsSaved(const DayGrid& grid);

// The text of a cell (row 0 .. 11, column 1 .. 31); empty beyond the row's end.
std::string GridCell(const DayGrid& grid, int row, int column);
// Sets a cell; the row grows as needed and drops its trailing empty cells.
void SetGridCell(DayGrid& grid, int row, int column, std::string text);

// The year in which a month is shown: this year from today's month on;
// an earlier month in the next year once today is past June (the saved
// lists reach into the next year then), otherwise in this year.
int PreviewYear(int month, const TodayFields& today);

// Sets engine up as the drawing code's CalendarEx1 would be after the next
// start with the grids and holiday method of copy saved, in the colours and
// first weekday of the page shown, on a dark ground, and shows `month` of
// PreviewYear with `day` as its current date (the 1st when the month has no
// such day).
void ShowMonthAsSaved(TCalendarEx& engine, const WorkingCopy& copy, const TodayFields& today,
                      int month, int day);

}  // namespace murva
