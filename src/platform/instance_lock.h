// The single-instance marker: an exclusive lock on a file named Murva32 in the
// user's runtime folder. The kernel drops the lock when the process ends, also
// after a crash, so a stale marker never blocks the next start.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace murva {

class InstanceLock {
 public:
  // Takes the lock; nullopt when another running instance holds it.
  static std::optional<InstanceLock> Acquire(const std::filesystem::path& lock_file);
  // The lock file of this user: $XDG_RUNTIME_DIR/Murva32, else /tmp/Murva32-<uid>.
  static std::filesystem::path DefaultLockFile();
  // Another lock of this user by name, in the same folder.
  static std::filesystem::path LockFileNamed(const std::string& name);

  InstanceLock(InstanceLock&& other) noexcept;
  InstanceLock& operator=(InstanceLock&& other) noexcept;
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  ~InstanceLock();

 private:
  explicit InstanceLock(int fd) : fd_(fd) {}
  int fd_ = -1;
};

}  // namespace murva
