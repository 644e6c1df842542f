// Atomic whole-file replacement. (Files are read through
// platform/bounded_file.h.)
#pragma once

#include <filesystem>
#include <string_view>

namespace murva {

// Writes the bytes to a temporary file in the same folder, flushes it to disk
// and renames it over the target, so the target is either the old or the new
// content, never a mixture. Keeps the old file's permission bits. Temporary
// files of earlier saves of the same file whose writer no longer runs are
// removed first. Returns false (and leaves the old file untouched) on any
// failure; errno is set.
bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace murva
