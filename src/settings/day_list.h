// The day-list form of the holiday and special-day keys: the days of one
// month, each followed by "/", for example "3/4/5/".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace murva {

inline constexpr int kMaxDayListItems = 31;

// The pieces of a stored list, as text, in order: each piece ends at the
// next "/", a rest without "/" is ignored, at most 31 pieces are taken, and
// after each piece the rest is cut to its first 255 characters. No test is
// made on a piece ("3/x/5" gives "3", "x").
std::vector<std::string> ParseDayList(std::string_view value);

// The stored form of a row of grid cells: every cell among the first 31
// that is a whole number from 1 to 31, as typed (05 stays 05), followed
// by "/". Other cells are left out.
std::string FormatDayList(const std::vector<std::string>& cells);

// A cell that FormatDayList writes: decimal digits only, value 1 .. 31.
bool IsDayOfMonthText(std::string_view cell);

}  // namespace murva
