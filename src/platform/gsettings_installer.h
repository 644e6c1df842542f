// Desktops that keep the wallpaper in GSettings (stored by dconf, so the
// choice survives the next log-on): GNOME and its relatives in
// org.gnome.desktop.background, Cinnamon in org.cinnamon.desktop.background,
// MATE in org.mate.background. The values are written with the gsettings
// tool, which talks to the session's own dconf. These desktops take one
// picture for all monitors: several monitors get their pictures joined and
// shown 'spanned' (the picture laid over the union of the monitors,
// unscaled when it has exactly that size, as the joined picture does); a
// single monitor's picture is shown 'centered', the one option that never
// scales a picture (it is drawn pixel for pixel) and, as the picture has
// the monitor's size, crops nothing.
#pragma once

#include <string>
#include <vector>

#include "platform/wallpaper_installer.h"

namespace murva {

struct GSettingsBackground {
  std::string desktop;  // "GNOME"
  std::string schema;   // "org.gnome.desktop.background"
  // The picture key, and keys set too when the schema has them (GNOME 42
  // and later show picture-uri-dark in the dark style).
  std::string picture_key;
  std::vector<std::string> optional_keys;
  // A file URI ("file:///...") or a plain path (MATE).
  bool wants_uri = true;
};

const GSettingsBackground& GnomeBackground();
const GSettingsBackground& CinnamonBackground();
const GSettingsBackground& MateBackground();

class GSettingsInstaller final : public WallpaperInstaller {
 public:
  GSettingsInstaller(GSettingsBackground background, std::filesystem::path copy_folder)
      : background_(std::move(background)), copy_folder_(std::move(copy_folder)) {}
  std::string Name() const override { return background_.desktop; }
  bool Install(const std::filesystem::path& picture, std::string& error) override;
  bool InstallMonitors(const std::vector<MonitorWallpaper>& wallpapers,
                       std::string& error) override;

 private:
  // Makes the copy the picture; with an option, sets it too, otherwise
  // only mends an option that shows no picture at all.
  bool Show(const std::filesystem::path& copy, const std::string& option, std::string& error);

  GSettingsBackground background_;
  std::filesystem::path copy_folder_;
};

// A local file as a percent-encoded file URI.
std::string FileUri(const std::filesystem::path& file);

}  // namespace murva
