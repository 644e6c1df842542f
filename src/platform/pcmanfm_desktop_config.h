// What LXDE's pcmanfm keeps and runs for its desktop: the desktop settings
// of each monitor (the group "*" of desktop-items-<N>.conf in the profile's
// folder, beside the places of the icons), the running desktop process and
// its profile, and the order in which it numbers the monitors.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace murva {

// The text of a desktop-items file with the wallpaper of its "*" group set
// (wallpaper, wallpaper_mode, and wallpaper_common=1, one picture for every
// workspace); every other group and key stays as it was. The group is added
// at the top when the file has none.
std::string WithPcmanfmDesktopWallpaper(const std::string& config, const std::string& file,
                                        const std::string& mode);

// A pcmanfm of this user that runs the desktop ("pcmanfm --desktop").
struct PcmanfmDesktopProcess {
  long long pid = 0;      // 0: none runs
  std::string profile;    // its --profile, empty when it names none
};
PcmanfmDesktopProcess FindPcmanfmDesktop();

// The names of the X server's monitors in its own order, the order in which
// GDK, and so pcmanfm, numbers them; empty without a display or RandR 1.5.
std::vector<std::string> X11MonitorOrder(const std::string& display_name);

// Waits until the process has ended or the time is up; true when it ended.
bool WaitForProcessEnd(long long pid, std::chrono::milliseconds limit);

}  // namespace murva
