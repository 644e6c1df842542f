#include <iostream>

#include "app/script_commands.h"

namespace murva {

int RunMonitorsCommand(const CommandLine&) {
  std::cerr << "murva32: --monitors is not available in this build\n";
  return 1;
}

}  // namespace murva
