#include "app/monitor_pages.h"

#include <algorithm>

namespace murva {

std::vector<int> PagesOfMonitors(const MonitorLayout& monitors,
                                 const std::vector<MonitorPageChoice>& choices, int day_page) {
  std::vector<int> pages;
  for (const Monitor& monitor : monitors) {
    int page = day_page;
    for (const MonitorPageChoice& choice : choices) {
      if (choice.monitor == monitor.name && choice.page >= 1 && choice.page <= kPageCount) {
        page = choice.page;
        break;
      }
    }
    pages.push_back(page);
  }
  return pages;
}

std::vector<MonitorPageChoice> WithMonitorPage(std::vector<MonitorPageChoice> choices,
                                               const std::string& monitor, int page) {
  const auto found = std::find_if(choices.begin(), choices.end(),
                                  [&](const MonitorPageChoice& c) { return c.monitor == monitor; });
  if (page < 1 || page > kPageCount) {
    if (found != choices.end()) choices.erase(found);
    return choices;
  }
  if (found != choices.end()) {
    found->page = page;
  } else if (choices.size() < static_cast<std::size_t>(kMonitorChoiceCount)) {
    choices.push_back({monitor, page});
  }
  return choices;
}

MonitorLayout MonitorsOrScreen(const MonitorLayout& monitors, int width, int height) {
  if (!monitors.empty()) return monitors;
  Monitor screen;
  screen.desktop = {0, 0, width, height};
  screen.pixel_width = width;
  screen.pixel_height = height;
  screen.primary = true;
  return {screen};
}

}  // namespace murva
