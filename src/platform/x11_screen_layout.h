// What an X server tells about its screen layout: the names of the monitors
// lit now (RandR outputs) and the number of workspaces the window manager
// announces.
#pragma once

#include <string>
#include <vector>

namespace murva {

// RandR output names of the connected outputs that show a picture
// ("HDMI-1", "eDP-1"); empty when the display cannot be opened or has no
// RandR. display_name empty: $DISPLAY.
std::vector<std::string> X11MonitorNames(const std::string& display_name);

// _NET_NUMBER_OF_DESKTOPS on the root window; 0 when it is not set.
int X11WorkspaceCount(const std::string& display_name);

}  // namespace murva
