// sway takes a wallpaper over its IPC (swaymsg "output * bg FILE fill"),
// which lasts only for the running session. So that the choice survives the
// next log-on, the same command is also kept as one marked line at the end of
// the user's sway configuration, replaced at every installation. A session
// that runs on the system's configuration has nothing of the user's to keep
// it in; there the log-on run puts the wallpaper back.
#pragma once

#include "platform/wallpaper_installer.h"

namespace murva {

// The configuration file sway reads for this user: the first that exists of
// ~/.sway/config and $XDG_CONFIG_HOME/sway/config; empty when sway would
// read an i3 or a system configuration instead.
std::filesystem::path SwayUserConfig(const EnvironmentLookup& environment);

// The configuration text with the marked wallpaper line for the file,
// replacing an earlier one.
std::string WithSwayWallpaperLine(const std::string& config, const std::filesystem::path& file);

// The sway command that shows the file on every output.
std::string SwayBackgroundCommand(const std::filesystem::path& file);

class SwayInstaller final : public WallpaperInstaller {
 public:
  SwayInstaller(std::filesystem::path copy_folder, EnvironmentLookup environment)
      : copy_folder_(std::move(copy_folder)), environment_(std::move(environment)) {}
  std::string Name() const override { return "sway"; }
  bool Install(const std::filesystem::path& picture, std::string& error) override;
  bool Persists() const override { return !SwayUserConfig(environment_).empty(); }

 private:
  std::filesystem::path copy_folder_;
  EnvironmentLookup environment_;
};

}  // namespace murva
