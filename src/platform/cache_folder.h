// The folder where the program keeps what it can always make again (the
// plug-ins' verdicts, the control panel's page sizes).
#pragma once

#include <filesystem>

namespace murva {

// $XDG_CACHE_HOME/murva32 ($HOME/.cache/murva32 when the variable is not an
// absolute path); empty when neither tells a folder.
std::filesystem::path UserCacheFolder();

}  // namespace murva
