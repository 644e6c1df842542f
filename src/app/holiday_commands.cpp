#include <iostream>

#include "app/script_commands.h"

namespace murva {

int RunListHolidaysCommand(const CommandLine&) {
  std::cerr << "murva32: --list-holidays is not available in this build\n";
  return 1;
}

int RunImportHolidaysCommand(const CommandLine&) {
  std::cerr << "murva32: --import-holidays is not available in this build\n";
  return 1;
}

}  // namespace murva
