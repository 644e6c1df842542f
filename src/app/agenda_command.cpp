#include <iostream>

#include "app/script_commands.h"

namespace murva {

int RunAgendaCommand(const CommandLine&) {
  std::cerr << "murva32: --agenda is not available in this build\n";
  return 1;
}

}  // namespace murva
