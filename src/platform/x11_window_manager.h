// The window manager of an X server, as it announces itself (EWMH): its
// name and whether it minimises windows.
#pragma once

#include <string>

namespace murva {

struct X11WindowManager {
  bool reachable = false;  // the X server answered
  bool running = false;    // a window manager announced itself (_NET_SUPPORTING_WM_CHECK)
  std::string name;        // its _NET_WM_NAME ("Openbox", "i3", "GNOME Shell")
  bool minimises = false;  // _NET_SUPPORTED lists _NET_WM_ACTION_MINIMIZE or _NET_WM_STATE_HIDDEN
};

// display_name empty: $DISPLAY.
X11WindowManager ProbeX11WindowManager(const std::string& display_name);

// Whether an X server accepts connections at display_name (":1",
// "unix:1", "host:0.0"), without speaking to it: a connection to its
// local socket is enough where it has one.
bool X11DisplayReachable(const std::string& display_name);

}  // namespace murva
