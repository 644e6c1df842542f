// Replacing a small text file the user owns (an autostart entry, a line in
// a compositor's configuration) so that it is always either the old or the
// new content.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace murva {

// Writes the bytes to a new file beside the target, flushes it to disk and
// renames it over the target; the target's permission bits are kept. A
// symbolic link is followed, so the file it names is replaced and the link
// stays. Returns false with error set (the old file untouched) on failure.
bool ReplaceFile(const std::filesystem::path& target, std::string_view bytes, std::string& error);

}  // namespace murva
