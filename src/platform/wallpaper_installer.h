// Installing a picture as the desktop wallpaper. Each desktop keeps its
// wallpaper its own way; one installer serves one desktop, and the installer
// for the running session is chosen by detection.
#pragma once

#include <QImage>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "platform/monitor_layout.h"
#include "platform/program_folder.h"

namespace murva {

// One monitor's wallpaper: the picture built at the monitor's physical pixel
// size, as a file and still in memory.
struct MonitorWallpaper {
  Monitor monitor;
  std::filesystem::path file;
  QImage pixels;
};

class WallpaperInstaller {
 public:
  virtual ~WallpaperInstaller() = default;
  // The desktop this installer serves, for messages ("GNOME", "X11 root window").
  virtual std::string Name() const = 0;
  // Makes the picture the wallpaper. Returns false and fills error when the
  // desktop could not be served.
  virtual bool Install(const std::filesystem::path& picture, std::string& error) = 0;
  // The same, given also the pixels the file holds, still in memory. An
  // installer that puts the pixels on the screen itself takes them from here
  // instead of reading the file again; one that hands the desktop a file
  // does as Install does.
  virtual bool InstallPicture(const std::filesystem::path& picture, const QImage& pixels,
                              std::string& error) {
    return Install(picture, error);
  }
  // Installs one wallpaper per monitor, each shown 1:1 (never scaled or
  // cropped by the desktop). A desktop that keeps a wallpaper per monitor
  // gets each picture for its monitor; one that takes a single picture for
  // all monitors gets the pictures joined into one picture of the whole
  // desktop (JoinedDesktopPicture), shown spanned across the monitors. One
  // monitor's picture is installed as InstallPicture does.
  virtual bool InstallMonitors(const std::vector<MonitorWallpaper>& wallpapers,
                               std::string& error);
  // Whether the desktop keeps the choice across the next log-on by itself.
  // One that does not gets the last wallpaper again from the log-on run.
  virtual bool Persists() const { return true; }
};

// The monitors' pictures joined into one picture of the whole desktop: each
// at its monitor's rectangle (in physical pixels), black where no monitor is.
QImage JoinedDesktopPicture(const std::vector<MonitorWallpaper>& wallpapers);

enum class DesktopKind {
  kGnome,     // GNOME, Ubuntu, Unity, Budgie, Pantheon: org.gnome.desktop.background
  kCinnamon,  // org.cinnamon.desktop.background
  kMate,      // org.mate.background
  kXfce,      // xfconf, channel xfce4-desktop
  kPlasma,    // KDE Plasma 5 and 6: plasmashell's script interface
  kLxqt,      // pcmanfm-qt
  kLxde,      // pcmanfm
  kSway,      // swaymsg, and a line in the sway config
  kHyprland,  // hyprpaper or swww through their own tools
  kWlroots,   // another Wayland compositor: swww or swaybg
  kX11Root,   // any other X11 session: the root window's pixmap
  kUnknown,
};

// Which desktop the session runs: XDG_CURRENT_DESKTOP (a colon-separated
// list), then XDG_SESSION_DESKTOP, DESKTOP_SESSION and GDMSESSION, then the
// sockets of sway and Hyprland, then WAYLAND_DISPLAY and DISPLAY.
DesktopKind DetectDesktop(const EnvironmentLookup& environment);

// The desktop's name for messages.
std::string DesktopName(DesktopKind kind);

// Whether a D-Bus name has an owner on the session bus.
using BusNameProbe = std::function<bool(const std::string&)>;

// The installer for the detected desktop; never null (a desktop that cannot
// be served gets an installer whose Install reports why). When the session
// variables name no desktop but a running Plasma or GNOME shell owns its
// name on the session bus, that desktop is served.
std::unique_ptr<WallpaperInstaller> MakeWallpaperInstaller(const EnvironmentLookup& environment);
std::unique_ptr<WallpaperInstaller> MakeWallpaperInstaller(const EnvironmentLookup& environment,
                                                           const BusNameProbe& probe);

// The persistent folder for the copies handed to desktops:
// $XDG_DATA_HOME/murva32 (~/.local/share/murva32).
std::filesystem::path WallpaperCopyFolder(const EnvironmentLookup& environment);

// Writes the picture as a PNG under a new name in the folder, removing the
// copies made before. Returns the new file, or an empty path with error set.
std::filesystem::path MakeWallpaperCopy(const std::filesystem::path& picture,
                                        const std::filesystem::path& folder,
                                        std::string& error);

}  // namespace murva
