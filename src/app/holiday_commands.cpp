#include <iostream>

#include "app/holiday_listing.h"
#include "app/imported_holidays.h"
#include "app/script_commands.h"
#include "platform/program_folder.h"

namespace murva {

int RunListHolidaysCommand(const CommandLine& command) {
  const std::filesystem::path folder =
      ResolveProgramFolder(ExecutableFolder(), ProcessEnvironment());
  std::vector<std::string> problems;
  const std::vector<std::string> lines = HolidaysOfYear(folder, command.year, problems);
  for (const std::string& problem : problems) std::cerr << "murva32: " << problem << '\n';
  for (const std::string& line : lines) std::cout << line << '\n';
  std::cout.flush();
  return 0;
}

int RunImportHolidaysCommand(const CommandLine& command) {
  const std::filesystem::path folder =
      ResolveProgramFolder(ExecutableFolder(), ProcessEnvironment());
  const HolidayImport result = ImportHolidayList(command.holiday_file, folder);
  if (!result.list) {
    std::cerr << "murva32: " << result.message << '\n';
    return kExitRunFailed;
  }
  std::cout << "murva32: " << result.message << " → " << ImportedHolidayPath(folder).string()
            << '\n';
  return 0;
}

}  // namespace murva
