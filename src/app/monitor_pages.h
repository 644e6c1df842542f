// Which page each monitor shows: the day's page, unless the settings give
// the monitor (by its connector name) a page of its own. A choice for a
// monitor that is not connected stays stored for when it returns.
#pragma once

#include <vector>

#include "platform/monitor_layout.h"
#include "settings/working_copy.h"

namespace murva {

// The page of each monitor, in the layout's order.
std::vector<int> PagesOfMonitors(const MonitorLayout& monitors,
                                 const std::vector<MonitorPageChoice>& choices, int day_page);

// The choices with one monitor's page set (0: the day's page, which removes
// its entry); the others, connected or not, are kept in their order.
std::vector<MonitorPageChoice> WithMonitorPage(std::vector<MonitorPageChoice> choices,
                                               const std::string& monitor, int page);

// The monitors to build for: the layout, or when nothing could be found (no
// display, a display that tells nothing), one monitor of the given size.
MonitorLayout MonitorsOrScreen(const MonitorLayout& monitors, int width, int height);

}  // namespace murva
