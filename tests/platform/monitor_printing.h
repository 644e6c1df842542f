// Monitors and layouts as test failures show them.
#pragma once

#include <ostream>

#include "platform/monitor_layout.h"
#include "platform/monitor_scale.h"

namespace murva {

inline void PrintTo(const Monitor& monitor, std::ostream* out) {
  *out << monitor.name << ' ' << monitor.pixel_width << 'x' << monitor.pixel_height << " px scale "
       << ScaleText(monitor.scale) << " at " << monitor.desktop.x << ',' << monitor.desktop.y << " ("
       << monitor.desktop.width << 'x' << monitor.desktop.height << ')'
       << (monitor.primary ? " primary" : "");
}

inline Monitor MakeMonitor(std::string name, MonitorRect desktop, int pixel_width,
                           int pixel_height, double scale, bool primary) {
  Monitor monitor;
  monitor.name = std::move(name);
  monitor.desktop = desktop;
  monitor.pixel_width = pixel_width;
  monitor.pixel_height = pixel_height;
  monitor.scale = scale;
  monitor.primary = primary;
  return monitor;
}

}  // namespace murva
