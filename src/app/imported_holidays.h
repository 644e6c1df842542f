// The official holiday list the user imported (the Cabinet Office's
// "syukujitsu.csv"): read from the file the user names (CP932 or UTF-8, CR
// LF or LF), checked line by line, and kept in the program folder as
// MURVA32.HOL (UTF-8) until the next import. Within the years it covers it
// replaces the built-in holiday rules.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "calendar/calendar_ex.h"
#include "calendar/listed_holidays.h"

namespace murva {

inline constexpr const char* kImportedHolidayFileName = "MURVA32.HOL";

std::filesystem::path ImportedHolidayPath(const std::filesystem::path& program_folder);

// The list kept in the program folder; null when none was imported (or the
// kept file cannot be read, which problem then tells).
std::shared_ptr<const ListedHolidays> LoadImportedHolidays(const std::filesystem::path& program_folder,
                                                           std::string* problem = nullptr);

struct HolidayImport {
  std::shared_ptr<const ListedHolidays> list;  // null when refused
  std::string message;                         // what was done, or why not (naming file and line)
};

// Reads the file, and when every line is right keeps the list in the program
// folder (replacing the one before in one step). A file that is refused
// leaves the list kept before as it was.
HolidayImport ImportHolidayList(const std::filesystem::path& file,
                                const std::filesystem::path& program_folder);

// The text of the list's bytes: UTF-8 (with or without its mark) when they
// are UTF-8, else CP932; nullopt with the first line that is neither.
std::optional<std::string> DecodeHolidayListBytes(std::string_view bytes, int& bad_line);

// Gives the engine the list kept in the program folder (or none).
void ApplyImportedHolidays(TCalendarEx& engine, const std::filesystem::path& program_folder);

// "2020年～2027年は取り込んだ祝日一覧、それ以外の年は組み込みの規則", or the
// text for no list.
std::string ImportedYearsText(const ListedHolidays* list);

}  // namespace murva
