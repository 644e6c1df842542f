// Turning the user's holiday and special-day grids into day lines of the
// calendar engine, once at start-up after today's date is known.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "calendar/calendar_ex.h"

namespace murva {

// One day-list grid: twelve rows (January..December), each the cells as typed.
using DayGrid = std::array<std::vector<std::string>, 12>;

// Holiday method: 0 the built-in lines ("システム設定"), 1 the user's days
// ("ユーザが設定").
inline constexpr int kHolidayMethodSystem = 0;
inline constexpr int kHolidayMethodUser = 1;

// The line a grid cell becomes: "<year, four digits>,0,<month>,<cell>,Dummy".
std::string DayListLine(std::int32_t year, int month, const std::string& cell);

// User method: removes the built-in holiday lines, switches the equinox and
// citizens' holiday rules off (the substitute rule stays as it is) and adds a line for every day of
// the grid in the given year, and in the next year too when the month is after
// June. System method: changes nothing.
void LoadHolidayLines(TCalendarEx& calendar, const DayGrid& grid, int holiday_method,
                      std::int32_t year, int month);

// Clears the special-day list and adds a line for every day of the grid, as
// LoadHolidayLines does.
void LoadSpecialDayLines(TCalendarEx& calendar, const DayGrid& grid, std::int32_t year,
                         int month);

}  // namespace murva
