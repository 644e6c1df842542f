// Reading the background of a build or a preview: the picture as the
// 256-colour option asks, and, when it cannot be used, the reader's message
// with the file's name on a line of its own so the user knows which file it
// means.
#pragma once

#include <filesystem>
#include <string>

#include "app/wallpaper_canvas.h"

namespace murva {

// The message for a background that cannot be read: the reader's text
// exactly, then the file's name on its own line.
std::string BackgroundErrorText(const std::string& reader_message,
                                const std::filesystem::path& path);

// LoadWallpaperBackground; a picture no reader can use raises EInvalidGraphic
// with BackgroundErrorText. Errors that already name the file (it cannot be
// opened) pass unchanged.
WallpaperCanvas LoadBackgroundFile(const std::filesystem::path& path, int color_256);

// The message for a background file that does not exist: the system's text
// with the path; when no file is set at all, a second line says so and how
// to choose one.
std::string MissingWallpaperText(const std::string& path, int page);

}  // namespace murva
