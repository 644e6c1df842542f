// KDE Plasma 5 and 6 keep the wallpaper in each desktop containment's
// configuration. plasmashell runs a script sent over D-Bus
// (org.kde.plasmashell /PlasmaShell org.kde.PlasmaShell.evaluateScript) that
// sets the image wallpaper plug-in and its Image on every desktop; Plasma
// stores the choice itself.
#pragma once

#include <string>

#include "platform/wallpaper_installer.h"

namespace murva {

// The text as a JSON (and so JavaScript) string literal, quotes included.
std::string JsonStringLiteral(const std::string& text);

// The script that makes the file URI the wallpaper of every desktop.
std::string PlasmaWallpaperScript(const std::string& file_uri);

class PlasmaInstaller final : public WallpaperInstaller {
 public:
  explicit PlasmaInstaller(std::filesystem::path copy_folder) : copy_folder_(std::move(copy_folder)) {}
  std::string Name() const override { return "KDE Plasma"; }
  bool Install(const std::filesystem::path& picture, std::string& error) override;

 private:
  std::filesystem::path copy_folder_;
};

}  // namespace murva
