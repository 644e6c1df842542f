// Holidays given as a list of dated days rather than by rules: the official
// list of the national holidays ("国民の祝日・休日月日,国民の祝日・休日名称",
// one "YYYY/M/D,名称" line a day), and the days a calendar source marks as
// holidays or special days.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace murva {

// Names of days by day number; a day may carry several names.
using DayNames = std::map<std::int32_t, std::vector<std::string>>;

// The official holiday list: every national holiday of the years it covers,
// with its name. Within those years it stands instead of the built-in rules.
struct ListedHolidays {
  int first_year = 0;
  int last_year = -1;
  std::map<std::int32_t, std::string> days;  // day number -> name

  bool Covers(int year) const { return year >= first_year && year <= last_year; }
  const std::string* NameOf(std::int32_t julius) const;
  bool operator==(const ListedHolidays&) const = default;
};

// The years a list may hold: those the calendar's rules know.
inline constexpr int kFirstListedYear = 1948;
inline constexpr int kLastListedYear = 2100;

struct HolidayListReading {
  std::optional<ListedHolidays> list;
  int error_line = 0;  // 1-based line of the first fault
  std::string error;   // what is wrong with it (Japanese)
};

// Reads the list from its text (UTF-8, lines ending in LF or CR LF): a
// header line, then one "YYYY/M/D,名称" line a day, the numbers with or
// without leading zeros. Blank lines are skipped. A line that is not of that
// form, names no existing day, lies outside kFirstListedYear ..
// kLastListedYear, has no name or repeats a day refuses the whole list with
// its line number. The list covers the years from its first to its last day.
HolidayListReading ReadHolidayList(std::string_view text);

// The list in the same form (UTF-8, LF), which ReadHolidayList reads back.
std::string FormatHolidayList(const ListedHolidays& list);

// "1955年～2026年" (or "2025年" for one year).
std::string CoveredYearsText(const ListedHolidays& list);

}  // namespace murva
