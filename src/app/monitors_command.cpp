// --monitors: the monitors and the session as the program sees them, one
// line per monitor and one for the session, so that a user can check what
// each monitor's wallpaper will be built for.
#include <algorithm>
#include <iomanip>
#include <iostream>
#include <sstream>

#include "app/script_commands.h"
#include "platform/monitor_layout.h"
#include "platform/monitor_scale.h"
#include "platform/session_facts.h"

namespace murva {
namespace {

std::string Size(int width, int height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

std::string DisplayNames(const EnvironmentLookup& environment) {
  const std::string wayland = environment("WAYLAND_DISPLAY");
  const std::string x11 = environment("DISPLAY");
  return "WAYLAND_DISPLAY=" + (wayland.empty() ? std::string("(unset)") : wayland) +
         ", DISPLAY=" + (x11.empty() ? std::string("(unset)") : x11);
}

}  // namespace

int RunMonitorsCommand(const CommandLine&) {
  const EnvironmentLookup environment = ProcessEnvironment();
  const SessionFacts session = DiscoverSession(environment);
  if (session.display == DisplayKind::kNone) {
    std::cerr << "murva32: no display can be reached (" << DisplayNames(environment) << ")\n";
    return 1;
  }
  const MonitorLayout monitors = DiscoverMonitors(environment);
  // Columns as wide as their widest entry.
  std::size_t name_width = 0, pixels_width = 0, scale_width = 0;
  for (const Monitor& monitor : monitors) {
    name_width = std::max(name_width, monitor.name.size());
    pixels_width = std::max(pixels_width, Size(monitor.pixel_width, monitor.pixel_height).size());
    scale_width = std::max(scale_width, ScaleText(monitor.scale).size());
  }
  for (const Monitor& monitor : monitors) {
    std::ostringstream line;
    line << std::left << std::setw(static_cast<int>(name_width)) << monitor.name << "  "
         << std::right << std::setw(static_cast<int>(pixels_width))
         << Size(monitor.pixel_width, monitor.pixel_height) << " px  scale " << std::left
         << std::setw(static_cast<int>(scale_width)) << ScaleText(monitor.scale) << "  at " << monitor.desktop.x << ',' << monitor.desktop.y
         << " (" << Size(monitor.desktop.width, monitor.desktop.height) << ')'
         << (monitor.primary ? "  primary" : "");
    std::cout << line.str() << '\n';
  }
  std::cout << "session: " << DescribeSession(session) << '\n';
  if (monitors.empty()) {
    std::cerr << "murva32: the display (" << DisplayNames(environment)
              << ") has no monitor that is lit\n";
    return 1;
  }
  return 0;
}

}  // namespace murva
