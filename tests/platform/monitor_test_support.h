// What the monitor tests share: monitors as failures show them, a monitor
// written in one line, and waiting for a monitor change.
#pragma once

#include <poll.h>

#include <chrono>
#include <ostream>

#include "platform/monitor_change_watch.h"
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

// Waits until the watch reports a change; false when none comes in time.
inline bool WaitForChange(MonitorChangeWatch& watch) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd ready{watch.Fd(), POLLIN, 0};
    if (::poll(&ready, 1, static_cast<int>(left.count())) > 0 && watch.TakeChange()) return true;
  }
}

}  // namespace murva
