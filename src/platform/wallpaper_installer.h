// Installing a picture as the desktop wallpaper. Each desktop keeps its
// wallpaper its own way; one installer serves one desktop, and the installer
// for the running session is chosen by detection.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/program_folder.h"

namespace murva {

class WallpaperInstaller {
 public:
  virtual ~WallpaperInstaller() = default;
  // The desktop this installer serves, for messages ("GNOME", "X11 root window").
  virtual std::string Name() const = 0;
  // Makes the picture the wallpaper. Returns false and fills error when the
  // desktop could not be served.
  virtual bool Install(const std::filesystem::path& picture, std::string& error) = 0;
  // Whether the desktop keeps the choice across the next log-on by itself.
  virtual bool Persists() const { return true; }
};

enum class DesktopKind { kGnome, kX11Root, kUnknown };

// Which desktop the session runs, from XDG_CURRENT_DESKTOP and friends.
DesktopKind DetectDesktop(const EnvironmentLookup& environment);

// The installer for the detected desktop; never null (a desktop that cannot
// be served gets an installer whose Install reports why).
std::unique_ptr<WallpaperInstaller> MakeWallpaperInstaller(const EnvironmentLookup& environment);

// The persistent folder for the copies handed to desktops:
// $XDG_DATA_HOME/murva32 (~/.local/share/murva32).
std::filesystem::path WallpaperCopyFolder(const EnvironmentLookup& environment);

// Writes the picture as a PNG under a new name in the folder, removing the
// copies made before. Returns the new file, or an empty path with error set.
std::filesystem::path MakeWallpaperCopy(const std::filesystem::path& picture,
                                        const std::filesystem::path& folder,
                                        std::string& error);

}  // namespace murva
