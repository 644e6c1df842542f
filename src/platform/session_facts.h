// What the running session allows, found once per run.
#pragma once

#include <string>

#include "platform/program_folder.h"

namespace murva {

enum class DisplayKind { kNone, kX11, kWayland };

struct SessionFacts {
  DisplayKind display = DisplayKind::kNone;
  bool xwayland = false;             // a Wayland session that also offers an X server
  std::string compositor;            // "sway", "weston", "GNOME", ... as far as it can be told
  bool layer_shell = false;          // the compositor offers zwlr_layer_shell_v1
  bool can_minimise = false;         // the window manager minimises windows
  bool window_placement = false;     // the program may place its window
  bool tiling = false;               // a tiling window manager or compositor
  bool notifications = false;        // org.freedesktop.Notifications has an owner
  bool notification_actions = false; // ... and it offers buttons
};

SessionFacts DiscoverSession(const EnvironmentLookup& environment);

}  // namespace murva
