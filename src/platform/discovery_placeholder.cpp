// Placeholder until the monitor and session discovery lands.
#include "platform/monitor_layout.h"
#include "platform/session_facts.h"

namespace murva {

MonitorLayout DiscoverMonitors(const EnvironmentLookup&) { return {}; }

SessionFacts DiscoverSession(const EnvironmentLookup& environment) {
  SessionFacts facts;
  if (!environment("WAYLAND_DISPLAY").empty()) {
    facts.display = DisplayKind::kWayland;
  } else if (!environment("DISPLAY").empty()) {
    facts.display = DisplayKind::kX11;
    facts.can_minimise = true;
    facts.window_placement = true;
  }
  facts.notifications = true;
  return facts;
}

}  // namespace murva
