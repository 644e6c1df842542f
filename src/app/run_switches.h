// The command line of a run: the run switch in first place ("-E", "-e" or
// none), and after it the words of this edition: "--watch" (stay resident
// and keep the wallpaper current) and "--unattended" (nobody answers
// messages). Other words after the switch are ignored, as they always were.
#pragma once

#include <string>
#include <vector>

namespace murva {

struct RunSwitches {
  std::string first;        // the first argument, "" when none
  bool automatic = false;   // "-E" or "-e"
  bool watch = false;
  bool unattended = false;
  std::string error;        // not empty: the words cannot be used so
};

// The arguments after the program's name.
RunSwitches ParseRunSwitches(const std::vector<std::string>& arguments);

// Exit codes of an unattended automatic run.
inline constexpr int kExitRunFailed = 1;
inline constexpr int kExitInstanceBusy = 75;  // another instance ran; nothing was done

}  // namespace murva
