#include "app/run_switches.h"

namespace murva {

RunSwitches ParseRunSwitches(const std::vector<std::string>& arguments) {
  RunSwitches switches;
  if (arguments.empty()) return switches;
  switches.first = arguments.front();
  switches.automatic = switches.first == "-E" || switches.first == "-e";
  if (switches.first == "--watch" || switches.first == "--unattended") {
    switches.error = switches.first + " goes after -E or -e";
    return switches;
  }
  if (!switches.automatic) return switches;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == "--watch") switches.watch = true;
    if (arguments[i] == "--unattended") switches.unattended = true;
  }
  return switches;
}

}  // namespace murva
