#include "platform/cache_folder.h"

#include <cstdlib>

namespace murva {

std::filesystem::path UserCacheFolder() {
  std::filesystem::path cache;
  const char* xdg = std::getenv("XDG_CACHE_HOME");
  if (xdg != nullptr && *xdg == '/') {
    cache = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home != '/') return {};
    cache = std::filesystem::path(home) / ".cache";
  }
  return cache / "murva32";
}

}  // namespace murva
