#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <utility>

namespace murva {

std::filesystem::path InstanceLock::DefaultLockFile() { return LockFileNamed("Murva32"); }

std::filesystem::path InstanceLock::LockFileNamed(const std::string& name) {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
    std::error_code error;
    if (std::filesystem::is_directory(runtime, error)) {
      return std::filesystem::path(runtime) / name;
    }
  }
  return std::filesystem::path("/tmp") / (name + "-" + std::to_string(getuid()));
}

std::optional<InstanceLock> InstanceLock::Acquire(const std::filesystem::path& lock_file) {
  const int fd = ::open(lock_file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) {
    // Without a lock file the marker cannot work; do not refuse the start
    // for that, run without one.
    return InstanceLock(-1);
  }
  int result;
  do {
    result = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    const bool held_elsewhere = errno == EWOULDBLOCK;
    ::close(fd);
    if (held_elsewhere) return std::nullopt;
    return InstanceLock(-1);
  }
  return InstanceLock(fd);
}

InstanceLock::InstanceLock(InstanceLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);  // closing the last descriptor releases the lock
}

}  // namespace murva
