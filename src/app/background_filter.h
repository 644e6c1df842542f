// What the background dialog of a wallpaper page offers and what it records.
#pragma once

#include <filesystem>
#include <string>

#include "imaging/picture_format_registry.h"

namespace murva {

// The dialog's filter (entries separated by ";;", each "description
// (patterns)", named in Japanese as the dialog around them): every picture
// the program reads now in one entry ("画像ファイル"), then BMP, then each
// format the loaded plug-ins registered (one entry per description, in the
// order they were registered), "すべてのファイル" last.
// Formats registered but not readable here (the metafiles) are left out;
// an extension or description that would break the filter's syntax is
// left out or cleaned.
std::string BackgroundFileFilter(const TPictureFormatRegistry& registry);

// The folder recorded under BmpInitFld for a chosen file: the file's folder
// without a trailing separator; the root folder stays "/".
std::string FolderOfChosenFile(const std::filesystem::path& file);

}  // namespace murva
