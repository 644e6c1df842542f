// The last built wallpaper put back on a desktop that forgets it with the
// session (the X11 root window, sway without its configuration line, other
// compositors): by the log-on run that skips the day's second build, and by
// the resident mode after a wake on the same day.
#pragma once

#include <filesystem>

#include "platform/wallpaper_installer.h"
#include "settings/settings_store.h"
#include "settings/working_copy.h"

namespace murva {

// Installs the MURVA00.BMP of the page last used (CalWalUsed) again, unless
// the desktop keeps its wallpaper by itself or make-only is on. Reads the
// settings only; a failure is a line on standard error.
void PutBackLastWallpaper(const WorkingCopy& copy, const SettingsStore& store,
                          const std::filesystem::path& program_folder,
                          WallpaperInstaller* installer);

}  // namespace murva
