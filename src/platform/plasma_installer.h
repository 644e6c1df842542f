// KDE Plasma 5 and 6 keep the wallpaper in each desktop containment's
// configuration. plasmashell runs a script sent over D-Bus
// (org.kde.plasmashell /PlasmaShell org.kde.PlasmaShell.evaluateScript) that
// sets the image wallpaper plug-in and its Image on every desktop; Plasma
// stores the choice itself. Each monitor's picture goes to the desktops of
// its screen, found by connector name (or, where plasmashell cannot tell
// connectors, by the screen's place), in the fill mode "Scaled and Cropped":
// it draws the picture at the screen's physical pixel size, so a picture of
// exactly that size is shown pixel for pixel at any scale ("Centered" would
// draw it at its pixel size in logical units, twice as large at 200 %).
#pragma once

#include <string>
#include <vector>

#include "platform/wallpaper_installer.h"

namespace murva {

// The text as a JSON (and so JavaScript) string literal, quotes included.
std::string JsonStringLiteral(const std::string& text);

// The script that makes the file URI the wallpaper of every desktop.
std::string PlasmaWallpaperScript(const std::string& file_uri);

// One screen's picture for the script: the monitor's connector and place in
// the desktop, and the picture as a file URI.
struct PlasmaScreenPicture {
  std::string connector;
  int x = 0;
  int y = 0;
  std::string file_uri;
};

// The script that gives each screen its picture. A screen without a picture
// keeps its wallpaper; a picture no screen shows ends the script with an
// error naming its connector.
std::string PlasmaScreensScript(const std::vector<PlasmaScreenPicture>& pictures);

class PlasmaInstaller final : public WallpaperInstaller {
 public:
  explicit PlasmaInstaller(std::filesystem::path copy_folder) : copy_folder_(std::move(copy_folder)) {}
  std::string Name() const override { return "KDE Plasma"; }
  bool Install(const std::filesystem::path& picture, std::string& error) override;
  bool InstallMonitors(const std::vector<MonitorWallpaper>& wallpapers,
                       std::string& error) override;

 private:
  bool Evaluate(const std::string& script, std::string& error);

  std::filesystem::path copy_folder_;
};

}  // namespace murva
