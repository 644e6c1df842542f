// What the running graphical session allows, found once per run: the kind
// of display, the compositor or window manager, whether a window can be
// minimised or placed, whether the compositor lets a wallpaper program draw
// (layer-shell), and whether notices can be shown on the desktop.
#pragma once

#include <string>

#include "platform/program_folder.h"

namespace murva {

enum class DisplayKind { kNone, kX11, kWayland };

struct SessionFacts {
  DisplayKind display = DisplayKind::kNone;
  bool xwayland = false;              // a Wayland session that also offers an X server ($DISPLAY reachable)
  std::string compositor;             // "sway", "weston", "Hyprland", "GNOME", "KDE", "openbox", ...; "" unknown
  bool layer_shell = false;           // the compositor offers zwlr_layer_shell_v1 (swaybg/swww can draw a wallpaper)
  bool can_minimise = false;          // X11 with a window manager that minimises; false on Wayland
  bool window_placement = false;      // the program may place its window (X11: true; Wayland: false)
  bool tiling = false;                // a tiling window manager or compositor
  bool notifications = false;         // org.freedesktop.Notifications is served on the session bus
  bool notification_actions = false;  // ... and its GetCapabilities lists "actions"
};

// What a caller needs to know; a run that shows nothing asks for less, and
// so never waits on the window manager, the session bus or a lazily started
// Xwayland.
struct SessionQuestions {
  bool window_manager = true;  // X11: minimise, tiling (a connection of its own)
  bool xwayland = true;        // Wayland: whether an X server answers too
  bool notifications = true;   // the session bus's notification server
};

// Asks the session named by the environment: $WAYLAND_DISPLAY (with
// $XDG_RUNTIME_DIR) when a compositor answers there, else $DISPLAY; the
// session bus at $DBUS_SESSION_BUS_ADDRESS, else $XDG_RUNTIME_DIR/bus.
SessionFacts DiscoverSession(const EnvironmentLookup& environment,
                             const SessionQuestions& questions = {});

// The usual name of a compositor or window manager, from the name its
// process or its EWMH check window gives ("gnome-shell" -> "GNOME",
// "kwin_wayland" -> "KDE", "Openbox" -> "openbox"); other names as given.
std::string CompositorName(const std::string& name);

// Whether the compositor or window manager of that (usual) name tiles its
// windows: sway, Hyprland, i3, bspwm, awesome, dwm, xmonad, ...
bool IsTilingCompositor(const std::string& name);

// One line for people: "Wayland (sway), Xwayland, layer-shell, tiling, ...".
std::string DescribeSession(const SessionFacts& facts);

}  // namespace murva
