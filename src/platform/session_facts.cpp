#include "platform/session_facts.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "platform/notification_server.h"
#include "platform/wayland_outputs.h"
#include "platform/x11_window_manager.h"

namespace murva {
namespace {

// Long enough for a compositor that is busy starting.
constexpr int kWaylandTimeout = 5000;

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Process, window-manager and desktop names (lower case) and the name they
// are known by.
const std::map<std::string, std::string>& KnownNames() {
  static const std::map<std::string, std::string> names = {
      {"sway", "sway"},           {"weston", "weston"},         {"hyprland", "Hyprland"},
      {"gnome-shell", "GNOME"},   {"gnome shell", "GNOME"},     {"mutter", "GNOME"},
      {"gnome", "GNOME"},         {"ubuntu", "GNOME"},          {"kwin", "KDE"},
      {"kwin_wayland", "KDE"},    {"kwin_wayland_wr", "KDE"},   {"kwin_x11", "KDE"},
      {"kde", "KDE"},             {"plasma", "KDE"},            {"openbox", "openbox"},
      {"xfwm4", "XFCE"},          {"xfce", "XFCE"},             {"marco", "MATE"},
      {"mate", "MATE"},           {"muffin", "Cinnamon"},       {"mutter (muffin)", "Cinnamon"},
      {"x-cinnamon", "Cinnamon"}, {"cinnamon", "Cinnamon"},     {"lxqt", "LXQt"},
      {"lxde", "LXDE"},           {"budgie-wm", "Budgie"},      {"budgie", "Budgie"},
      {"gala", "Pantheon"},       {"cosmic-comp", "COSMIC"},    {"i3", "i3"},
      {"bspwm", "bspwm"},         {"awesome", "awesome"},       {"dwm", "dwm"},
      {"xmonad", "xmonad"},       {"herbstluftwm", "herbstluftwm"}, {"qtile", "qtile"},
      {"spectrwm", "spectrwm"},   {"leftwm", "leftwm"},         {"ratpoison", "ratpoison"},
      {"stumpwm", "stumpwm"},     {"notion", "notion"},         {"wmii", "wmii"},
      {"lg3d", "LG3D"},           {"river", "river"},           {"niri", "niri"},
      {"dwl", "dwl"},             {"labwc", "labwc"},           {"wayfire", "wayfire"},
      {"cage", "cage"},           {"fluxbox", "fluxbox"},       {"icewm", "IceWM"},
      {"fvwm", "fvwm"},           {"fvwm3", "fvwm"},            {"jwm", "JWM"},
      {"enlightenment", "Enlightenment"}, {"compiz", "compiz"}, {"metacity", "metacity"},
  };
  return names;
}

// Compositors and window managers that place windows in tiles; "LG3D" is
// the name tiling window managers give themselves for Java programs.
const std::set<std::string>& TilingNames() {
  static const std::set<std::string> names = {
      "sway",   "Hyprland", "i3",     "bspwm", "awesome",   "dwm",     "xmonad",
      "herbstluftwm", "qtile", "spectrwm", "leftwm", "ratpoison", "stumpwm", "notion",
      "wmii",   "LG3D",     "river",  "niri",  "dwl"};
  return names;
}

std::string KnownName(const std::string& name) {
  const auto found = KnownNames().find(Lower(name));
  if (found != KnownNames().end()) return found->second;
  // Window managers that add their version or a suffix ("i3-gaps",
  // "Compiz (X11)").
  const std::string lower = Lower(name);
  for (const char* prefix : {"i3", "kwin", "compiz", "gnome shell"}) {
    if (lower.rfind(prefix, 0) == 0 && lower.size() > std::strlen(prefix) &&
        !std::isalnum(static_cast<unsigned char>(lower[std::strlen(prefix)]))) {
      return KnownNames().at(prefix);
    }
  }
  return {};
}

// The desktop the session variables name ("ubuntu:GNOME", "sway").
std::string DesktopOfEnvironment(const EnvironmentLookup& environment) {
  if (!environment("SWAYSOCK").empty()) return "sway";
  if (!environment("HYPRLAND_INSTANCE_SIGNATURE").empty()) return "Hyprland";
  for (const char* variable : {"XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP", "DESKTOP_SESSION"}) {
    std::stringstream parts(environment(variable));
    for (std::string part; std::getline(parts, part, ':');) {
      if (std::string known = KnownName(part); !known.empty()) return known;
    }
  }
  return {};
}

std::string ProcessName(pid_t process) {
  if (process <= 0) return {};
  std::ifstream comm("/proc/" + std::to_string(process) + "/comm");
  std::string name;
  std::getline(comm, name);
  return name;
}

// A compositor known by a protocol of its own.
std::string CompositorOfGlobals(const WaylandOutputs& compositor) {
  static const std::pair<const char*, const char*> kOwnGlobals[] = {
      {"weston_desktop_shell", "weston"},
      {"org_kde_plasma_shell", "KDE"},
      {"gtk_shell1", "GNOME"},
      {"hyprland_toplevel_export_manager_v1", "Hyprland"},
      {"river_control_unstable_v1", "river"},
  };
  for (const auto& [global, name] : kOwnGlobals) {
    if (compositor.HasGlobal(global)) return name;
  }
  return {};
}

void AskWayland(const WaylandOutputs& compositor, const EnvironmentLookup& environment,
                bool ask_xwayland, SessionFacts& facts) {
  facts.display = DisplayKind::kWayland;
  facts.layer_shell = compositor.HasGlobal("zwlr_layer_shell_v1");
  // The process behind the socket is the surest sign; a socket handed on by
  // a proxy leaves the compositor's own protocols and the session's
  // variables.
  const std::string process = ProcessName(compositor.CompositorProcess());
  facts.compositor = KnownName(process);
  if (facts.compositor.empty()) facts.compositor = CompositorOfGlobals(compositor);
  if (facts.compositor.empty()) facts.compositor = DesktopOfEnvironment(environment);
  if (facts.compositor.empty()) facts.compositor = process;
  facts.tiling = IsTilingCompositor(facts.compositor);
  facts.xwayland = ask_xwayland && X11DisplayReachable(environment("DISPLAY"));
  // Wayland leaves both to the compositor.
  facts.can_minimise = false;
  facts.window_placement = false;
}

void AskX11(const X11WindowManager& manager, const EnvironmentLookup& environment,
            SessionFacts& facts) {
  facts.display = DisplayKind::kX11;
  facts.window_placement = true;
  facts.compositor = manager.running ? CompositorName(manager.name) : "";
  if (facts.compositor.empty()) facts.compositor = DesktopOfEnvironment(environment);
  facts.tiling = IsTilingCompositor(facts.compositor);
  // Without a window manager nothing would take the window off the screen.
  facts.can_minimise = manager.running && manager.minimises && !facts.tiling;
}

}  // namespace

std::string CompositorName(const std::string& name) {
  std::string known = KnownName(name);
  return known.empty() ? name : known;
}

bool IsTilingCompositor(const std::string& name) { return TilingNames().count(name) > 0; }

SessionFacts DiscoverSession(const EnvironmentLookup& environment,
                             const SessionQuestions& questions) {
  SessionFacts facts;
  const std::string wayland = WaylandSocketPath(environment);
  const auto compositor = wayland.empty() ? nullptr : WaylandOutputs::Connect(wayland, kWaylandTimeout);
  if (compositor) {
    AskWayland(*compositor, environment, questions.xwayland, facts);
  } else if (const std::string display = environment("DISPLAY"); !display.empty()) {
    if (!questions.window_manager) {
      // Taken as the session says; whoever uses the display finds out.
      AskX11(X11WindowManager{}, environment, facts);
    } else if (const X11WindowManager manager = ProbeX11WindowManager(display); manager.reachable) {
      AskX11(manager, environment, facts);
    }
  }
  if (questions.notifications) {
    const NotificationServer notices = ProbeNotificationServer(SessionBusAddress(environment));
    facts.notifications = notices.present;
    facts.notification_actions = notices.actions;
  }
  return facts;
}

std::string DescribeSession(const SessionFacts& facts) {
  std::string text;
  switch (facts.display) {
    case DisplayKind::kNone: text = "no display"; break;
    case DisplayKind::kX11: text = "X11"; break;
    case DisplayKind::kWayland: text = "Wayland"; break;
  }
  text += " (" + (facts.compositor.empty() ? std::string("unknown") : facts.compositor) + ")";
  if (facts.display == DisplayKind::kWayland) {
    text += facts.xwayland ? ", Xwayland" : ", no Xwayland";
    text += facts.layer_shell ? ", layer-shell" : ", no layer-shell";
  }
  if (facts.display != DisplayKind::kNone) {
    text += facts.tiling ? ", tiling" : ", not tiling";
    text += facts.can_minimise ? ", minimise" : ", no minimise";
    text += facts.window_placement ? ", window placement" : ", no window placement";
  }
  text += !facts.notifications          ? ", no notifications"
          : facts.notification_actions ? ", notifications with actions"
                                       : ", notifications without actions";
  return text;
}

}  // namespace murva
