// GNOME, Ubuntu, Unity and Budgie keep the wallpaper in GSettings
// (org.gnome.desktop.background): a file URI in picture-uri and, since
// GNOME 42, in picture-uri-dark for the dark style.
#pragma once

#include "platform/wallpaper_installer.h"

namespace murva {

class GnomeInstaller final : public WallpaperInstaller {
 public:
  explicit GnomeInstaller(std::filesystem::path copy_folder) : copy_folder_(std::move(copy_folder)) {}
  std::string Name() const override { return "GNOME"; }
  bool Install(const std::filesystem::path& picture, std::string& error) override;

 private:
  std::filesystem::path copy_folder_;
};

// Runs a command with arguments (no shell); returns its exit code, or -1 when
// it could not run. Standard output is given back in output.
int RunCommand(const std::string& program, const std::vector<std::string>& arguments,
               std::string* output = nullptr, std::string* error_output = nullptr);

}  // namespace murva
