#include <iostream>

#include "app/script_commands.h"

namespace murva {

int RunRenderCommand(const CommandLine&) {
  std::cerr << "murva32: --render is not available in this build\n";
  return 1;
}

}  // namespace murva
