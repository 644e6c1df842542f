#include <algorithm>
#include <cctype>
#include <sstream>

#include "platform/gsettings_installer.h"
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

// A desktop this program cannot give a wallpaper: the wallpaper is still
// written, and the reason, naming the desktop, goes to standard error.
class UnservedInstaller final : public WallpaperInstaller {
 public:
  UnservedInstaller(std::string desktop, std::string reason)
      : desktop_(std::move(desktop)), reason_(std::move(reason)) {}
  std::string Name() const override { return desktop_; }
  bool Install(const std::filesystem::path&, std::string& error) override {
    error = reason_;
    return false;
  }
  bool Persists() const override { return true; }  // nothing to restore

 private:
  std::string desktop_;
  std::string reason_;
};

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

std::unique_ptr<WallpaperInstaller> MakeWallpaperInstaller(const EnvironmentLookup& environment) {
  return MakeWallpaperInstaller(environment, SessionBusNameHasOwner);
}

std::unique_ptr<WallpaperInstaller> MakeWallpaperInstaller(const EnvironmentLookup& environment,
                                                           const BusNameProbe& probe) {
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
    case DesktopKind::kLxde:
      return std::make_unique<PcmanfmInstaller>(PcmanfmFlavour::kGtk, copies);
    case DesktopKind::kSway:
      return std::make_unique<SwayInstaller>(copies, environment);
    case DesktopKind::kHyprland:
    case DesktopKind::kWlroots:
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
      desktop, "the session has no display, and \"" + desktop +
                   "\" is no desktop this program can give a wallpaper");
}

}  // namespace murva
