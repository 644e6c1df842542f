#pragma once

// The picture loader the wallpaper build uses: one call to discover the image
// plug-ins of the process and two calls that read a background picture into a
// QImage.

#include <QImage>
#include <filesystem>
#include <functional>
#include <vector>

#include "imaging/plugin_isolation.h"

namespace murva {

// Creates the process's plug-in manager (TSPIs) and searches for "*.spi"
// plug-ins in the per-user Susie folder, in application_folder and in the
// system plug-in folder; every image plug-in found announces its extensions
// to the picture-format registry. Runs the search once per process: a second
// call does nothing.
//
// The shipped plug-ins (by name, in application_folder, the installed plug-in
// folder and the system plug-in folder) are loaded into this process; every
// other plug-in is vetted and runs in a plug-in host process (see
// PluginIsolation), its verdict kept in $XDG_CACHE_HOME/murva32.
void InitializePictureFormats(const std::filesystem::path& application_folder);

// The notices about plug-ins that are not used (faulty ones, named), so far;
// and the handler that gets each later one as it comes (a fault found while
// a picture is read).
std::vector<PluginNotice> TakePluginNotices();
void SetPluginNoticeHandler(std::function<void(const PluginNotice&)> handler);

// Releases the manager made by InitializePictureFormats and its plug-ins;
// their extensions stay registered until the process ends. A later
// InitializePictureFormats searches again.
void ShutdownPictureFormats();

// Reads the picture at path through the picture-format registry: the class
// registered for the file's extension (newest entry first, compared without
// case) loads it; BMP is read by the program itself, every extension an
// image plug-in declared goes through the plug-in bitmap. Throws an error
// derived from std::runtime_error with the system's message when no reader
// handles the extension ("拡張子 .%s の画像形式は処理できません"), when nothing
// can read the file ("認識できない画像形式です") or when the file cannot be
// opened.
QImage LoadPicture(const std::filesystem::path& path);

// Reads a BMP file with the plain bitmap reader only; any other content, or
// a damaged BMP file, throws an error derived from std::runtime_error.
QImage LoadBmpOnly(const std::filesystem::path& path);

}  // namespace murva
