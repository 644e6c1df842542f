// sway takes a wallpaper over its IPC (swaymsg "output * bg FILE fill"),
// which lasts only for the running session. So that the choice survives the
// next log-on, the same commands are also kept as marked lines at the end of
// the user's sway configuration, replaced at every installation. A session
// that runs on the system's configuration has nothing of the user's to keep
// it in; there the log-on run puts the wallpaper back.
//
// Each monitor's picture goes to its output ("output DP-1 bg FILE fill").
// "fill" scales a picture by exactly 1 when it has the output's physical
// size at a whole-number scale; at a fractional scale sway 1.7 tells
// swaybg the next whole scale (2 for 1.5) and shrinks what swaybg draws, so
// "center" would show the picture at 3/4 of its size inside a border, while
// "fill" still covers the output with the whole picture.
#pragma once

#include <string>
#include <vector>

#include "platform/wallpaper_installer.h"

namespace murva {

// The configuration file sway reads for this user: the first that exists of
// ~/.sway/config and $XDG_CONFIG_HOME/sway/config; empty when sway would
// read an i3 or a system configuration instead.
std::filesystem::path SwayUserConfig(const EnvironmentLookup& environment);

// The configuration text with the marked wallpaper line for the file,
// replacing the marked lines of earlier installations.
std::string WithSwayWallpaperLine(const std::string& config, const std::filesystem::path& file);
// The same with one marked line for each of the commands.
std::string WithSwayWallpaperLines(const std::string& config,
                                   const std::vector<std::string>& commands);

// The sway command that shows the file on every output.
std::string SwayBackgroundCommand(const std::filesystem::path& file);
// The sway command that shows the file on one output ("*": every output).
std::string SwayOutputBackgroundCommand(const std::string& output,
                                        const std::filesystem::path& file);

class SwayInstaller final : public WallpaperInstaller {
 public:
  SwayInstaller(std::filesystem::path copy_folder, EnvironmentLookup environment)
      : copy_folder_(std::move(copy_folder)), environment_(std::move(environment)) {}
  std::string Name() const override { return "sway"; }
  bool Install(const std::filesystem::path& picture, std::string& error) override;
  bool InstallMonitors(const std::vector<MonitorWallpaper>& wallpapers,
                       std::string& error) override;
  bool Persists() const override { return !SwayUserConfig(environment_).empty(); }

 private:
  // Runs the commands and keeps them for the next log-on.
  bool Apply(const std::vector<std::string>& commands, std::string& error);

  std::filesystem::path copy_folder_;
  EnvironmentLookup environment_;
};

}  // namespace murva
