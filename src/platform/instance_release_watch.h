// Watching the program's single-instance lock from outside: whether another
// instance holds it now, and notice when an instance that held it may have
// let it go (its descriptor on the lock file was closed, which inotify
// reports as IN_CLOSE_WRITE). The resident mode uses it to make an automatic
// run as soon as the control panel closes, without polling.
#pragma once

#include <filesystem>

namespace murva {

class InstanceReleaseWatch {
 public:
  // Opens (creating it when missing) the lock file and watches it.
  explicit InstanceReleaseWatch(const std::filesystem::path& lock_file);
  ~InstanceReleaseWatch();
  InstanceReleaseWatch(const InstanceReleaseWatch&) = delete;
  InstanceReleaseWatch& operator=(const InstanceReleaseWatch&) = delete;

  // Whether another open description of the lock file holds the lock now.
  // The probe takes the lock and gives it back at once, on a descriptor
  // kept open for the life of the watch, so it causes no event of its own.
  bool Busy() const;

  // Readable when a descriptor on the lock file was closed (non-blocking);
  // -1 when inotify is not there.
  int Fd() const { return notify_fd_; }
  // Reads what is waiting; true when a close was reported.
  bool TakeReleased();

 private:
  int lock_fd_ = -1;
  int notify_fd_ = -1;
};

}  // namespace murva
