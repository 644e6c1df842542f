#include "platform/cache_folder.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "platform/bounded_file.h"
#include "platform/temporary_file.h"

namespace murva {
namespace {

namespace fs = std::filesystem;

std::string SystemError(const std::string& what, const fs::path& path) {
  return what + " " + path.string() + ": " + std::strerror(errno);
}

// The cache's own folder is the user's alone; the folders above it are made
// as any program makes them.
bool MakeFolder(const fs::path& folder, std::string& error) {
  if (folder.empty()) return true;
  struct stat status {};
  if (stat(folder.c_str(), &status) == 0) return true;
  std::error_code ignored;
  fs::create_directories(folder.parent_path(), ignored);
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    error = SystemError("cannot create", folder);
    return false;
  }
  return true;
}

}  // namespace

fs::path UserCacheFolder() {
  fs::path cache;
  const char* xdg = std::getenv("XDG_CACHE_HOME");
  if (xdg != nullptr && *xdg == '/') {
    cache = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home != '/') return {};
    cache = fs::path(home) / ".cache";
  }
  return cache / "murva32";
}

bool ReadCacheFile(const fs::path& file, std::size_t limit, std::string& bytes) {
  FileReadRules rules;
  rules.follow_links = false;
  rules.own_only = true;
  return !file.empty() && ReadBoundedFile(file, limit, bytes, rules).Ok();
}

bool WriteCacheFile(const fs::path& file, std::string_view bytes, std::string& error) {
  if (file.filename().empty()) {
    error = "no cache file name";
    return false;
  }
  if (!MakeFolder(file.parent_path(), error)) return false;
  RemoveAbandonedTemporaryFiles(file);
  TemporaryFile temporary;
  if (!temporary.Create(file, 0600)) {
    error = SystemError("cannot create a temporary file beside", file);
    return false;
  }
  // The mode is set whatever the umask: a cache the user cannot read back
  // would be made again at every start.
  if (fchmod(temporary.Descriptor(), 0600) != 0 || !temporary.Write(bytes) ||
      fsync(temporary.Descriptor()) != 0 || !temporary.Close()) {
    error = SystemError("cannot write", temporary.Path());
    return false;
  }
  // rename replaces a link, a pipe or a device at the name itself, never
  // what a link points to.
  if (rename(temporary.Path().c_str(), file.c_str()) == 0) {
    temporary.Release();
    return true;
  }
  if (errno != EISDIR && errno != ENOTEMPTY && errno != EEXIST) {
    error = SystemError("cannot replace", file);
    return false;
  }
  // A folder stands at the name: the new file takes its place in one step,
  // and the folder, now under the temporary name, goes.
  const fs::path swapped = temporary.Path();
  if (renameat2(AT_FDCWD, swapped.c_str(), AT_FDCWD, file.c_str(), RENAME_EXCHANGE) == 0) {
    temporary.Release();
    std::error_code ignored;
    fs::remove_all(swapped, ignored);
    return true;
  }
  // A file system without the exchange: the folder goes first.
  std::error_code removed;
  fs::remove_all(file, removed);
  if (removed || rename(swapped.c_str(), file.c_str()) != 0) {
    error = "cannot replace " + file.string() + ": " +
            (removed ? removed.message() : std::string(std::strerror(errno)));
    return false;
  }
  temporary.Release();
  return true;
}

}  // namespace murva
