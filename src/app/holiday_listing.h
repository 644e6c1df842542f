// The holidays of a year as the calendar sees them: the built-in rules or
// the imported official list, the user's own holidays, and the days of the
// calendar sources used as holidays.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace murva {

// "YYYY/MM/DD 名称" for each holiday of the year, in date order. Problems
// (a settings file or a kept list that cannot be read, a holiday calendar
// that cannot be read) are added to problems.
std::vector<std::string> HolidaysOfYear(const std::filesystem::path& program_folder, int year,
                                        std::vector<std::string>& problems);

}  // namespace murva
