#include "settings/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "platform/temporary_file.h"

namespace murva {
namespace {

namespace fs = std::filesystem;

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Swaps the contents of two names in one step. A file left unflushed is
// better put in place this way than by renaming it over the old one: on ext4
// such a rename starts writing the new file's data out, and the next flush
// of any file (a settings write right after) then waits for all of it.
bool ExchangeNames(const fs::path& first, const fs::path& second) {
  return renameat2(AT_FDCWD, first.c_str(), AT_FDCWD, second.c_str(), RENAME_EXCHANGE) == 0;
}

// Flushes the folder so that the rename itself survives a crash.
void SyncFolder(const fs::path& folder) {
  int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// The file a write lands in: a symbolic link is followed, so that the link
// stays a link and its target gets the new content.
fs::path ResolveTarget(const fs::path& path) {
  std::error_code error;
  if (fs::is_symlink(fs::symlink_status(path, error))) {
    fs::path target = fs::weakly_canonical(path, error);
    if (!error) return target;
  }
  return path;
}

}  // namespace

bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                           FileDurability durability) {
  return ReplaceFileAtomically(
      path, [bytes](const FileAppender& append) { return append(bytes); }, durability);
}

bool ReplaceFileAtomically(const std::filesystem::path& path,
                           const std::function<bool(const FileAppender& append)>& produce,
                           FileDurability durability) {
  const fs::path target = ResolveTarget(path);
  if (target.filename().empty()) {
    errno = EISDIR;
    return false;
  }

  struct stat old_status {};
  const bool had_old = stat(target.c_str(), &old_status) == 0;
  if (had_old && !S_ISREG(old_status.st_mode)) {
    errno = S_ISDIR(old_status.st_mode) ? EISDIR : EINVAL;
    return false;
  }

  // Temporary files of saves that were killed half-way go first, so that
  // they never pile up beside the file.
  RemoveAbandonedTemporaryFiles(target);
  TemporaryFile temporary;
  if (!temporary.Create(target, 0666)) return false;
  if (had_old) {
    if (fchmod(temporary.Descriptor(), old_status.st_mode & 07777) != 0) return false;
    // Keeping the owner needs privileges; without them the file simply
    // belongs to whoever writes it, as any rewritten file would.
    if (fchown(temporary.Descriptor(), old_status.st_uid, old_status.st_gid) != 0) {
      errno = 0;
    }
  }
  const int fd = temporary.Descriptor();
  errno = 0;
  if (!produce([fd](std::string_view bytes) { return WriteAll(fd, bytes); })) {
    if (errno == 0) errno = EIO;
    return false;
  }
  const bool synced = durability == FileDurability::kSynced;
  if (synced && fsync(fd) != 0) return false;
  if (!temporary.Close()) return false;
  if (!synced && had_old && ExchangeNames(temporary.Path(), target)) {
    // The temporary name now holds the old content.
    temporary.Discard();
    return true;
  }
  if (rename(temporary.Path().c_str(), target.c_str()) != 0) return false;
  temporary.Release();
  if (synced) SyncFolder(target.parent_path());
  return true;
}

}  // namespace murva
