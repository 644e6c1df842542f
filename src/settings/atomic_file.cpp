#include "settings/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

namespace murva {
namespace {

namespace fs = std::filesystem;

// Closes a descriptor and removes the temporary file unless released.
class TemporaryFile {
 public:
  TemporaryFile() = default;
  ~TemporaryFile() { Discard(); }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // Creates a new file beside `target` with a name nobody else uses. The
  // permission bits pass through the process umask, as for any new file.
  bool Create(const fs::path& target, mode_t mode) {
    thread_local std::mt19937_64 generator{std::random_device{}()};
    fs::path folder = target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
      fs::path candidate = folder / ("." + target.filename().string() + ".tmp" +
                                     std::to_string(getpid()) + "-" +
                                     std::to_string(generator() % 1000000000));
      int fd = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
      if (fd >= 0) {
        fd_ = fd;
        path_ = candidate;
        return true;
      }
      if (errno != EEXIST) return false;
    }
    errno = EEXIST;
    return false;
  }

  int Descriptor() const { return fd_; }
  const fs::path& Path() const { return path_; }

  bool Close() {
    int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

  // The file was renamed into place: nothing left to clean up.
  void Release() { path_.clear(); }

  // Removes the file, keeping the errno of the failure that led here.
  void Discard() {
    int saved = errno;
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (!path_.empty()) unlink(path_.c_str());
    path_.clear();
    errno = saved;
  }

 private:
  int fd_ = -1;
  fs::path path_;
};

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

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  std::error_code error;
  if (fs::is_directory(path, error)) return std::nullopt;
  std::ifstream stream(path, std::ios::binary);
  if (!stream) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
  if (stream.bad()) return std::nullopt;
  return bytes;
}

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
