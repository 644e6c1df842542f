// The monitors of the session as plain values: where each lies in the
// desktop, its physical pixel size and its scale. Found once per run (from
// RandR on X11, from the compositor's outputs on Wayland); tests make their
// own layouts.
#pragma once

#include <string>
#include <vector>

#include "platform/program_folder.h"

namespace murva {

struct MonitorRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const MonitorRect&) const = default;
};

struct Monitor {
  std::string name;     // connector name as the desktop uses it: "DP-1", "HDMI-A-1", "eDP-1"
  MonitorRect desktop;  // its rectangle in the desktop (X11: pixels; Wayland: layout coordinates)
  int pixel_width = 0;  // the physical mode of the output, after rotation
  int pixel_height = 0;
  double scale = 1.0;   // physical pixels per desktop unit (1, 1.25, 1.5, 2 ...)
  bool primary = false; // exactly one monitor of a non-empty layout is primary
  bool operator==(const Monitor&) const = default;
};

// Primary first, then by position (left to right, top to bottom).
using MonitorLayout = std::vector<Monitor>;

// The connected, lit monitors of the session: Wayland ($WAYLAND_DISPLAY) when
// there is one, else X11 ($DISPLAY), else empty.
MonitorLayout DiscoverMonitors(const EnvironmentLookup& environment);
MonitorLayout X11Monitors(const std::string& display_name);
MonitorLayout WaylandMonitors(const std::string& wayland_display);

}  // namespace murva
