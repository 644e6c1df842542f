// How many physical pixels a monitor has per desktop unit, worked out from
// what the display server tells: the pure arithmetic behind the monitor
// layout, apart from any connection.
#pragma once

#include <string>

#include "platform/program_folder.h"

namespace murva {

struct PixelSize {
  int width = 0, height = 0;
  bool operator==(const PixelSize&) const = default;
};

// A mode's size as the output shows it under a wl_output transform (0-7;
// the odd ones turn it by a quarter, so width and height change places).
PixelSize TransformedSize(int width, int height, int transform);

// Physical pixels per logical unit of an output whose physical size is
// `physical` and whose logical (desktop) size is `logical`. Compositors size
// the logical area by rounding physical / scale, so the plain ratio of the
// widths is a little off for fractional scales (1366 / 1093 for 1.25): the
// nearest step of 1/120 (the unit of fractional scales on Wayland) is taken
// when it explains both sides to within a pixel. 1 when either is empty.
double ScaleOfSizes(PixelSize physical, PixelSize logical);

// The dots per inch in the X resource manager's text ("Xft.dpi:\t144");
// 0 when it holds none or nothing usable.
double XftDpi(const std::string& resources);

// The scale the desktop draws at on an X11 monitor: Xft.dpi / 96 when the
// resource manager names a dpi; else the Qt variables (the monitor's entry
// in QT_SCREEN_SCALE_FACTORS, by name "DP-1=1.5" or by position "1.5;1",
// times QT_SCALE_FACTOR); else GDK_SCALE; else 1. `index` is the monitor's
// place among the lit outputs in the server's order.
double X11MonitorScale(const std::string& resources, const EnvironmentLookup& environment,
                       const std::string& output_name, int index);

// A scale as people write it: "1", "1.25", "1.5", "2" (at most three
// decimals, no trailing zeros).
std::string ScaleText(double scale);

}  // namespace murva
