// Whole-file reads and atomic whole-file replacement.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace murva {

// The file's bytes, or nullopt when it cannot be opened.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Writes the bytes to a temporary file in the same folder, flushes it to disk
// and renames it over the target, so the target is either the old or the new
// content, never a mixture. Keeps the old file's permission bits. Returns
// false (and leaves the old file untouched) on any failure; errno is set.
bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace murva
