// Hyprland and the other wlroots compositors have no wallpaper setting of
// their own: a wallpaper program draws it. Served in this order: hyprpaper
// (Hyprland, through hyprctl), swww when its daemon answers, and otherwise a
// swaybg started here and left running (the one started the time before is
// stopped). None of them keeps the picture across a log-on.
//
// Each monitor's picture goes to its output: hyprpaper "wallpaper
// DP-1,FILE", swww "img -o DP-1 FILE", and one swaybg with an -o/-i/-m
// group per output. All three cover the output with the picture (hyprpaper's
// and swww's default, swaybg's "fill"), which scales a picture of the
// output's physical size by exactly 1; where the compositor has them draw at
// a rounded-up whole scale (a fractional output scale), covering still
// shows the whole picture on the whole output, where centring would shrink
// it inside a border.
#pragma once

#include <string>
#include <vector>

#include "platform/wallpaper_installer.h"

namespace murva {

class WlrootsInstaller final : public WallpaperInstaller {
 public:
  // runtime_folder: where the process id of the swaybg started here is kept.
  WlrootsInstaller(bool hyprland, std::filesystem::path copy_folder,
                   std::filesystem::path runtime_folder)
      : hyprland_(hyprland),
        copy_folder_(std::move(copy_folder)),
        runtime_folder_(std::move(runtime_folder)) {}
  std::string Name() const override { return hyprland_ ? "Hyprland" : "Wayland compositor"; }
  bool Install(const std::filesystem::path& picture, std::string& error) override;
  bool InstallMonitors(const std::vector<MonitorWallpaper>& wallpapers,
                       std::string& error) override;
  bool Persists() const override { return false; }
  // Some wallpaper program must be installed.
  bool CanInstall() const override;
  std::string CannotInstallReason() const override;

  // A picture for an output; an empty output is every output.
  using OutputPicture = OutputCopy;

 private:
  bool Show(const std::vector<OutputPicture>& pictures, std::string& error);
  bool TryHyprpaper(const std::vector<OutputPicture>& pictures, std::string& error);
  bool TrySwww(const std::vector<OutputPicture>& pictures, std::string& error);
  bool StartSwaybg(const std::vector<OutputPicture>& pictures, std::string& error);

  bool hyprland_;
  std::filesystem::path copy_folder_;
  std::filesystem::path runtime_folder_;
};

// The folder for the program's run-time records: $XDG_RUNTIME_DIR/murva32,
// or a folder of this user's in /tmp.
std::filesystem::path RuntimeRecordFolder(const EnvironmentLookup& environment);

}  // namespace murva
