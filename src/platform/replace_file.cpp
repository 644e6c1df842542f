#include "platform/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/temporary_file.h"

namespace murva {
namespace {

std::string SystemError(const std::string& what, const std::filesystem::path& path) {
  return what + " " + path.string() + ": " + std::strerror(errno);
}

}  // namespace

bool ReplaceFile(const std::filesystem::path& target, std::string_view bytes, std::string& error) {
  std::error_code fs_error;
  std::filesystem::path file = target;
  if (std::filesystem::is_symlink(target, fs_error)) {
    file = std::filesystem::weakly_canonical(target, fs_error);
    if (fs_error) {
      error = "cannot follow " + target.string() + ": " + fs_error.message();
      return false;
    }
  }
  mode_t mode = 0644;
  struct stat status {};
  if (stat(file.c_str(), &status) == 0) mode = status.st_mode & 07777;

  // Leftovers of writes that were killed half-way go first.
  RemoveAbandonedTemporaryFiles(file);
  TemporaryFile temporary;
  if (!temporary.Create(file, 0600)) {
    error = SystemError("cannot create a temporary file beside", file);
    return false;
  }
  const int fd = temporary.Descriptor();
  bool written = temporary.Write(bytes);
  if (written) written = fchmod(fd, mode) == 0 && fsync(fd) == 0;
  if (!written) error = SystemError("cannot write", temporary.Path());
  if (!temporary.Close() && written) {
    written = false;
    error = SystemError("cannot write", temporary.Path());
  }
  if (written && rename(temporary.Path().c_str(), file.c_str()) != 0) {
    written = false;
    error = SystemError("cannot replace", file);
  }
  if (written) temporary.Release();
  return written;
}

}  // namespace murva
