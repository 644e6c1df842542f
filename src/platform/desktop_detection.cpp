#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <sstream>

#include "platform/bounded_file.h"
#include "platform/gsettings_installer.h"
#include "platform/pcmanfm_desktop_config.h"
#include "platform/pcmanfm_installer.h"
#include "platform/plasma_installer.h"
#include "platform/session_bus.h"
#include "platform/sway_installer.h"
#include "platform/wlroots_installer.h"
#include "platform/x11_root_installer.h"
#include "platform/xfce_installer.h"

namespace murva {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool Has(const std::string& name, const char* part) { return name.find(part) != std::string::npos; }

// One desktop name as the session variables spell it ("x-cinnamon",
// "ubuntu", "plasmawayland", "xubuntu").
DesktopKind KindOfName(const std::string& name) {
  if (name.empty()) return DesktopKind::kUnknown;
  // Flavours named after Ubuntu come before Ubuntu's own GNOME session.
  if (Has(name, "kubuntu")) return DesktopKind::kPlasma;
  if (Has(name, "xubuntu")) return DesktopKind::kXfce;
  if (Has(name, "lubuntu")) return DesktopKind::kLxqt;
  if (Has(name, "cinnamon")) return DesktopKind::kCinnamon;
  if (Has(name, "mate")) return DesktopKind::kMate;
  if (Has(name, "xfce")) return DesktopKind::kXfce;
  if (Has(name, "kde") || Has(name, "plasma")) return DesktopKind::kPlasma;
  if (Has(name, "lxqt")) return DesktopKind::kLxqt;
  if (Has(name, "lxde")) return DesktopKind::kLxde;
  if (Has(name, "sway")) return DesktopKind::kSway;
  if (Has(name, "hyprland")) return DesktopKind::kHyprland;
  if (Has(name, "gnome") || Has(name, "unity") || Has(name, "budgie") || Has(name, "pantheon") ||
      name.rfind("ubuntu", 0) == 0) {
    return DesktopKind::kGnome;
  }
  return DesktopKind::kUnknown;
}

// A desktop this program cannot give a wallpaper: nothing is started, the
// wallpaper is still written, and the reason, naming the desktop, is known
// before anything is built.
class UnservedInstaller final : public WallpaperInstaller {
 public:
  UnservedInstaller(std::string desktop, std::string reason)
      : desktop_(std::move(desktop)), reason_(std::move(reason)) {}
  std::string Name() const override { return desktop_; }
  bool Install(const std::filesystem::path&, std::string& error) override {
    error = reason_;
    return false;
  }
  bool InstallPicture(const std::filesystem::path&, const QImage&, std::string& error) override {
    error = reason_;
    return false;
  }
  bool InstallMonitors(const std::vector<MonitorWallpaper>&, std::string& error) override {
    error = reason_;
    return false;
  }
  bool Persists() const override { return true; }  // nothing to restore
  bool CanInstall() const override { return false; }
  std::string CannotInstallReason() const override { return reason_; }

 private:
  std::string desktop_;
  std::string reason_;
};

// The first entry of the session's desktop name, as the session spells it.
std::string SessionDesktopName(const EnvironmentLookup& environment) {
  for (const char* variable : {"XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP", "DESKTOP_SESSION"}) {
    const std::string value = environment(variable);
    if (!value.empty()) return value.substr(0, value.find(':'));
  }
  return {};
}

}  // namespace

DesktopKind DetectDesktop(const EnvironmentLookup& environment) {
  std::stringstream current(Lower(environment("XDG_CURRENT_DESKTOP")));
  for (std::string part; std::getline(current, part, ':');) {
    if (const DesktopKind kind = KindOfName(part); kind != DesktopKind::kUnknown) return kind;
  }
  for (const char* variable : {"XDG_SESSION_DESKTOP", "DESKTOP_SESSION", "GDMSESSION"}) {
    if (const DesktopKind kind = KindOfName(Lower(environment(variable))); kind != DesktopKind::kUnknown) {
      return kind;
    }
  }
  if (!environment("SWAYSOCK").empty()) return DesktopKind::kSway;
  if (!environment("HYPRLAND_INSTANCE_SIGNATURE").empty()) return DesktopKind::kHyprland;
  if (!environment("WAYLAND_DISPLAY").empty()) return DesktopKind::kWlroots;
  if (!environment("DISPLAY").empty()) return DesktopKind::kX11Root;
  return DesktopKind::kUnknown;
}

std::string DesktopName(DesktopKind kind) {
  switch (kind) {
    case DesktopKind::kGnome: return "GNOME";
    case DesktopKind::kCinnamon: return "Cinnamon";
    case DesktopKind::kMate: return "MATE";
    case DesktopKind::kXfce: return "XFCE";
    case DesktopKind::kPlasma: return "KDE Plasma";
    case DesktopKind::kLxqt: return "LXQt";
    case DesktopKind::kLxde: return "LXDE";
    case DesktopKind::kSway: return "sway";
    case DesktopKind::kHyprland: return "Hyprland";
    case DesktopKind::kWlroots: return "Wayland compositor";
    case DesktopKind::kX11Root: return "X11 root window";
    case DesktopKind::kUnknown: break;
  }
  return "unknown desktop";
}

std::string WaylandCompositorName(const EnvironmentLookup& environment) {
  const std::string display = environment("WAYLAND_DISPLAY");
  if (display.empty()) return {};
  std::filesystem::path socket_path = display;
  if (!socket_path.is_absolute()) {
    const std::string runtime = environment("XDG_RUNTIME_DIR");
    if (runtime.empty()) return {};
    socket_path = std::filesystem::path(runtime) / display;
  }
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (socket_path.native().size() >= sizeof address.sun_path) return {};
  std::strcpy(address.sun_path, socket_path.c_str());
  const int connection = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (connection < 0) return {};
  std::string name;
  ucred peer{};
  socklen_t size = sizeof peer;
  if (connect(connection, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
      getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.pid > 0) {
    ReadBoundedFile("/proc/" + std::to_string(peer.pid) + "/comm", 256, name);
    name = name.substr(0, name.find('\n'));
  }
  close(connection);
  return name;
}

std::unique_ptr<WallpaperInstaller> MakeWallpaperInstaller(const EnvironmentLookup& environment,
                                                           const DesktopAbilities& abilities) {
  return MakeWallpaperInstaller(environment, SessionBusNameHasOwner, abilities);
}

std::unique_ptr<WallpaperInstaller> MakeWallpaperInstaller(const EnvironmentLookup& environment,
                                                           const BusNameProbe& probe,
                                                           const DesktopAbilities& abilities) {
  DesktopKind kind = DetectDesktop(environment);
  // Started from outside the desktop's own session (a terminal over ssh, a
  // job scheduler), the variables may name no desktop; a shell that owns
  // its bus name is a sure sign.
  if ((kind == DesktopKind::kX11Root || kind == DesktopKind::kWlroots ||
       kind == DesktopKind::kUnknown) && probe) {
    if (probe("org.kde.plasmashell")) {
      kind = DesktopKind::kPlasma;
    } else if (probe("org.gnome.Shell")) {
      kind = DesktopKind::kGnome;
    }
  }
  const std::filesystem::path copies = WallpaperCopyFolder(environment);
  switch (kind) {
    case DesktopKind::kGnome:
      return std::make_unique<GSettingsInstaller>(GnomeBackground(), copies);
    case DesktopKind::kCinnamon:
      return std::make_unique<GSettingsInstaller>(CinnamonBackground(), copies);
    case DesktopKind::kMate:
      return std::make_unique<GSettingsInstaller>(MateBackground(), copies);
    case DesktopKind::kXfce: {
      const std::string display = environment("DISPLAY");
      return std::make_unique<XfceInstaller>(copies,
                                             [display] { return DiscoverXfceScreenLayout(display); });
    }
    case DesktopKind::kPlasma:
      return std::make_unique<PlasmaInstaller>(copies);
    case DesktopKind::kLxqt:
      return std::make_unique<PcmanfmInstaller>(PcmanfmFlavour::kQt, copies);
    case DesktopKind::kLxde: {
      PcmanfmSession session;
      session.config_home = environment("XDG_CONFIG_HOME");
      if (session.config_home.empty() || !session.config_home.is_absolute()) {
        session.config_home = std::filesystem::path(environment("HOME")) / ".config";
      }
      // LXDE's session starts its desktop with the profile named after it.
      session.profile = SessionDesktopName(environment);
      const std::string display = environment("DISPLAY");
      session.monitor_order = [display] { return X11MonitorOrder(display); };
      return std::make_unique<PcmanfmInstaller>(PcmanfmFlavour::kGtk, copies, std::move(session));
    }
    case DesktopKind::kSway:
      return std::make_unique<SwayInstaller>(copies, environment);
    case DesktopKind::kWlroots:
      // A wallpaper program draws on the layer shell; a compositor without
      // it (weston) shows none, and one started there would end at once.
      if (!abilities.layer_shell) {
        std::string desktop = SessionDesktopName(environment);
        if (desktop.empty()) desktop = WaylandCompositorName(environment);
        if (desktop.empty()) desktop = "Wayland";
        return std::make_unique<UnservedInstaller>(
            desktop, "このデスクトップ（" + desktop +
                         "）には壁紙を設定する仕組みがありません / this desktop (" + desktop +
                         ") has no way to set a wallpaper; set MURVA00.BMP by hand");
      }
      [[fallthrough]];
    case DesktopKind::kHyprland:
      return std::make_unique<WlrootsInstaller>(kind == DesktopKind::kHyprland, copies,
                                                RuntimeRecordFolder(environment));
    case DesktopKind::kX11Root:
      return std::make_unique<X11RootInstaller>(environment("DISPLAY"));
    case DesktopKind::kUnknown:
      break;
  }
  std::string desktop = environment("XDG_CURRENT_DESKTOP");
  if (desktop.empty()) desktop = "no desktop";
  return std::make_unique<UnservedInstaller>(
      desktop, "このセッションには壁紙を表示する画面がありません（" + desktop +
                   "） / the session has no display, and \"" + desktop +
                   "\" is no desktop this program can give a wallpaper");
}

}  // namespace murva
