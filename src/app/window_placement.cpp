#include "app/window_placement.h"

#include <algorithm>

namespace murva {
namespace {

MonitorRect PrimaryRect(const MonitorLayout& monitors, ScreenSize screen) {
  for (const Monitor& monitor : monitors) {
    if (monitor.primary) return monitor.desktop;
  }
  if (!monitors.empty()) return monitors.front().desktop;
  return {0, 0, screen.width, screen.height};
}

// Wholly on the monitor: moved in from the right and bottom edges first, so
// that the title bar and the build and close buttons stay reachable on a
// monitor smaller than the window.
WindowPlace Inside(const MonitorRect& area, ScreenSize window, WindowPlace place) {
  place.left = std::max(area.x, std::min(place.left, area.x + area.width - window.width));
  place.top = std::max(area.y, std::min(place.top, area.y + area.height - window.height));
  return place;
}

WindowPlace Centred(const MonitorRect& area, ScreenSize window) {
  return Inside(area, window,
                {area.x + area.width / 2 - window.width / 2,
                 area.y + area.height / 2 - window.height / 2});
}

}  // namespace

WindowPlace PlaceWindow(std::optional<WindowPlace> stored, ScreenSize window,
                        const MonitorLayout& monitors, ScreenSize screen, bool automatic) {
  const MonitorRect primary = PrimaryRect(monitors, screen);
  if (automatic || !stored) return Centred(primary, window);
  std::vector<MonitorRect> areas;
  for (const Monitor& monitor : monitors) areas.push_back(monitor.desktop);
  if (areas.empty()) areas.push_back(primary);
  // The stored place counts when the window's top-left corner lies on a
  // monitor with at least half the window's width and height to its right
  // and below (on one screen: 0 < x < width - window width / 2, the same
  // for y); it is then moved wholly onto that monitor.
  for (const MonitorRect& area : areas) {
    if (stored->left > area.x && stored->left < area.x + area.width - window.width / 2 &&
        stored->top > area.y && stored->top < area.y + area.height - window.height / 2) {
      return Inside(area, window, *stored);
    }
  }
  return Centred(primary, window);
}

}  // namespace murva
