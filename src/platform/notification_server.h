// Whether the session has a notification server (org.freedesktop.Notifications)
// and whether its notices can carry actions (buttons the user answers).
#pragma once

#include <string>

#include "platform/program_folder.h"

namespace murva {

struct NotificationServer {
  bool present = false;  // the name has an owner, or the bus starts one on demand and it answered
  bool actions = false;  // GetCapabilities lists "actions"
};

// The session bus at $DBUS_SESSION_BUS_ADDRESS, else $XDG_RUNTIME_DIR/bus,
// as the environment gives them; empty when neither is there.
std::string SessionBusAddress(const EnvironmentLookup& environment);

// Asks the bus at `address`, waiting at most a few seconds for a server
// that is started on demand.
NotificationServer ProbeNotificationServer(const std::string& address);

}  // namespace murva
