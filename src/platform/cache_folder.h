// The folder where the program keeps what it can always make again (the
// plug-ins' verdicts, the control panel's page sizes), and how its files are
// read and written.
//
// Nothing in the folder is trusted to be what the program left there: a
// cache file is read only when it is a regular file of this user's, reached
// without following a link, and it is written by renaming a new regular file
// of mode 0600 over its name. Whatever else stands at the name (a link to a
// file of the user's, a folder, a named pipe, a device, a file of mode 000)
// is replaced, never written through or read from.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace murva {

// $XDG_CACHE_HOME/murva32 ($HOME/.cache/murva32 when the variable is not an
// absolute path); empty when neither tells a folder.
std::filesystem::path UserCacheFolder();

// The bytes of a cache file of at most limit bytes; false (bytes empty) when
// there is none that may be read: missing, a link, not a regular file, not
// the user's, too large. Never blocks.
bool ReadCacheFile(const std::filesystem::path& file, std::size_t limit, std::string& bytes);

// Replaces the cache file with bytes (a new regular file of mode 0600, its
// folder made with mode 0700 when missing), flushed to disk before it takes
// the old one's place, so that a crash leaves the old copy or the new one
// (a calendar's last good copy may be all there is while offline). False,
// with error set, when it could not be written; the old one then stays.
bool WriteCacheFile(const std::filesystem::path& file, std::string_view bytes,
                    std::string& error);

}  // namespace murva
