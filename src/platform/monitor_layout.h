// The monitors of the running session as plain values: where each lies in
// the desktop, how many physical pixels it has and at which scale the
// desktop draws on it. Found once per run; the wallpaper is built per
// monitor from these values.
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
  MonitorRect desktop;  // its rectangle in the desktop (X11: pixels; Wayland: logical coordinates)
  int pixel_width = 0;  // the physical mode of the output, after rotation
  int pixel_height = 0;
  double scale = 1.0;    // physical pixels per desktop unit (1, 1.25, 1.5, 2 ...)
  bool primary = false;  // exactly one monitor of a non-empty layout is primary
  bool operator==(const Monitor&) const = default;
};

// Primary first, then by position (left to right, top to bottom).
using MonitorLayout = std::vector<Monitor>;

// The connected, lit monitors of the session: Wayland ($WAYLAND_DISPLAY)
// when there is one, else X11 ($DISPLAY), else empty.
MonitorLayout DiscoverMonitors(const EnvironmentLookup& environment);

// RandR 1.2+ outputs that are lit (a CRTC with a mode) and not known to be
// disconnected, with their CRTCs; primary = XRRGetOutputPrimary, or the
// monitor at the desktop's origin. The scale comes from Xft.dpi / 96 in the
// resource manager, else from the Qt and GTK scale variables of the
// environment (the process's own in the one-argument form), else 1. A
// server without RandR 1.2 gives its screen as one monitor named "screen".
// display_name empty: $DISPLAY.
MonitorLayout X11Monitors(const std::string& display_name);
MonitorLayout X11Monitors(const std::string& display_name, const EnvironmentLookup& environment);

// The compositor's wl_output globals (current mode, scale, transform, name)
// with their xdg-output logical position and size; primary = the monitor at
// the desktop's origin. wayland_display: a socket name in $XDG_RUNTIME_DIR or
// an absolute socket path.
MonitorLayout WaylandMonitors(const std::string& wayland_display);

// Marks `primary` (an index into layout; the monitor at the origin when out
// of range, else the first by position) as the one primary monitor and puts
// the layout in its order.
void ArrangeMonitorLayout(MonitorLayout& layout, int primary);

}  // namespace murva
