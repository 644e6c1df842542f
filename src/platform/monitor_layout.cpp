#include "platform/monitor_layout.h"

#include <algorithm>
#include <tuple>

#include "platform/wayland_outputs.h"

namespace murva {
namespace {

// Long enough for a compositor that is busy starting.
constexpr int kWaylandTimeout = 5000;

bool ByPosition(const Monitor& a, const Monitor& b) {
  return std::tie(a.desktop.x, a.desktop.y, a.name) < std::tie(b.desktop.x, b.desktop.y, b.name);
}

}  // namespace

void ArrangeMonitorLayout(MonitorLayout& layout, int primary) {
  if (layout.empty()) return;
  if (primary < 0 || primary >= static_cast<int>(layout.size())) {
    const auto at_origin = std::find_if(layout.begin(), layout.end(), [](const Monitor& monitor) {
      return monitor.desktop.x == 0 && monitor.desktop.y == 0;
    });
    primary = at_origin != layout.end()
                  ? static_cast<int>(at_origin - layout.begin())
                  : static_cast<int>(std::min_element(layout.begin(), layout.end(), ByPosition) -
                                     layout.begin());
  }
  for (std::size_t i = 0; i < layout.size(); ++i) layout[i].primary = static_cast<int>(i) == primary;
  std::stable_sort(layout.begin(), layout.end(), [](const Monitor& a, const Monitor& b) {
    if (a.primary != b.primary) return a.primary;
    return ByPosition(a, b);
  });
}

MonitorLayout WaylandMonitors(const std::string& wayland_display) {
  const std::unique_ptr<WaylandOutputs> outputs =
      WaylandOutputs::Connect(wayland_display, kWaylandTimeout);
  return outputs ? outputs->Layout() : MonitorLayout();
}

MonitorLayout DiscoverMonitors(const EnvironmentLookup& environment) {
  if (const std::string socket = WaylandSocketPath(environment); !socket.empty()) {
    if (const auto outputs = WaylandOutputs::Connect(socket, kWaylandTimeout)) return outputs->Layout();
  }
  if (const std::string display = environment("DISPLAY"); !display.empty()) {
    return X11Monitors(display, environment);
  }
  return {};
}

}  // namespace murva
