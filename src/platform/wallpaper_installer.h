// Installing a picture as the desktop wallpaper. Each desktop keeps its
// wallpaper its own way; one installer serves one desktop, and the installer
// for the running session is chosen by detection.
#pragma once

#include <QImage>
#include <QRect>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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
  // gets each picture for its monitor, found by connector name (a single
  // picture of a monitor without a name goes to every monitor); one that
  // takes a single picture for all monitors gets the pictures joined into
  // one picture of the whole desktop (JoinedDesktopPicture), shown spanned.
  // The default joins the pictures and hands them to InstallPicture (one
  // monitor's picture as it is); the desktops' installers do better.
  virtual bool InstallMonitors(const std::vector<MonitorWallpaper>& wallpapers,
                               std::string& error);
  // Whether the desktop keeps the choice across the next log-on by itself.
  // One that does not gets the last wallpaper again from the log-on run.
  virtual bool Persists() const { return true; }
  // Whether the desktop can take a wallpaper at all, known before anything
  // is built or started. A run on a desktop that cannot still writes its
  // picture and says why (CannotInstallReason, in Japanese and English).
  virtual bool CanInstall() const { return true; }
  virtual std::string CannotInstallReason() const { return {}; }
};

// Where a monitor's picture lies in the whole desktop's picture, in physical
// pixels: the monitor's place in the desktop taken at its scale, at the
// size of its picture.
QRect MonitorPictureArea(const MonitorWallpaper& wallpaper);

// The monitors' pictures joined into one picture of the whole desktop: each
// at its MonitorPictureArea, counted from the top left corner of all of
// them, black where no monitor is.
QImage JoinedDesktopPicture(const std::vector<MonitorWallpaper>& wallpapers);

// What a desktop that takes one picture for all its monitors is given: the
// one monitor's picture as it is, or all of them joined into one picture of
// the whole desktop (labelled "desktop") to be shown spanned.
struct SharedPicture {
  MonitorWallpaper picture;
  bool spanned = false;
};
SharedPicture OnePictureForAll(const std::vector<MonitorWallpaper>& wallpapers);

// The outputs the wallpapers go to, in their order: each monitor's connector
// name, or `every` for a single picture of a monitor nobody named. Empty
// with error set when there is no wallpaper or one of several monitors has
// no name.
std::vector<std::string> WallpaperOutputs(const std::vector<MonitorWallpaper>& wallpapers,
                                          const std::string& every, std::string& error);

// The label a monitor's copy carries in its file name: the connector name
// with anything but letters, digits, '-', '_' and '.' replaced.
std::string MonitorFileLabel(const Monitor& monitor);

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

// What the session's display server offers that decides how a wallpaper can
// be shown, as found when the session was looked at.
struct DesktopAbilities {
  // The Wayland compositor offers zwlr_layer_shell_v1, the surface a
  // wallpaper program (swaybg, swww, hyprpaper) draws on.
  bool layer_shell = true;
};

// The installer for the detected desktop; never null (a desktop that cannot
// be served gets an installer whose CanInstall is false and whose Install
// reports why). When the session variables name no desktop but a running
// Plasma or GNOME shell owns its name on the session bus, that desktop is
// served. A Wayland compositor that is none of the known desktops and offers
// no layer shell cannot show a wallpaper; nothing is started there.
std::unique_ptr<WallpaperInstaller> MakeWallpaperInstaller(
    const EnvironmentLookup& environment, const DesktopAbilities& abilities = {});
std::unique_ptr<WallpaperInstaller> MakeWallpaperInstaller(
    const EnvironmentLookup& environment, const BusNameProbe& probe,
    const DesktopAbilities& abilities = {});

// The name of the program serving the session's Wayland socket
// ($WAYLAND_DISPLAY), from the process at the other end of a connection to
// it ("weston"); empty when there is none.
std::string WaylandCompositorName(const EnvironmentLookup& environment);

// The persistent folder for the copies handed to desktops:
// $XDG_DATA_HOME/murva32 (~/.local/share/murva32).
std::filesystem::path WallpaperCopyFolder(const EnvironmentLookup& environment);

// Writes the picture as a PNG under a new name in the folder, removing the
// copies made before. Returns the new file, or an empty path with error set.
std::filesystem::path MakeWallpaperCopy(const std::filesystem::path& picture,
                                        const std::filesystem::path& folder,
                                        std::string& error);

// The same for one installation of several pictures: each monitor's picture
// (its pixels, or its file when it has none in memory) is written under a
// new name that carries the monitor's label, and the copies of earlier
// installations are removed once all of this one's are written. Returns the
// new files in the order of the wallpapers, or nothing with error set (the
// earlier copies then stay).
std::vector<std::filesystem::path> MakeWallpaperCopies(
    const std::vector<MonitorWallpaper>& wallpapers, const std::filesystem::path& folder,
    std::string& error);

// The pictures of one installation written for their outputs:
// WallpaperOutputs and MakeWallpaperCopies together. `output` is a
// connector name, or `every` for a single picture of a monitor nobody named.
// Empty with error set when either fails.
struct OutputCopy {
  std::string output;
  std::filesystem::path file;
};
std::vector<OutputCopy> MakeOutputCopies(const std::vector<MonitorWallpaper>& wallpapers,
                                         const std::string& every,
                                         const std::filesystem::path& folder, std::string& error);

// For a desktop that takes one picture for all its monitors: the copy of
// OnePictureForAll's picture, and whether it is to be shown spanned. An
// empty path with error set when there is no monitor or nothing was written.
struct SharedPictureCopy {
  std::filesystem::path file;
  bool spanned = false;
};
SharedPictureCopy MakeSharedPictureCopy(const std::vector<MonitorWallpaper>& wallpapers,
                                        const std::filesystem::path& folder, std::string& error);

}  // namespace murva
