#include "platform/instance_release_watch.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>

namespace murva {

InstanceReleaseWatch::InstanceReleaseWatch(const std::filesystem::path& lock_file)
    : lock_fd_(::open(lock_file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)),
      notify_fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
  if (notify_fd_ >= 0 && inotify_add_watch(notify_fd_, lock_file.c_str(), IN_CLOSE_WRITE) < 0) {
    ::close(notify_fd_);
    notify_fd_ = -1;
  }
}

InstanceReleaseWatch::~InstanceReleaseWatch() {
  if (notify_fd_ >= 0) ::close(notify_fd_);
  if (lock_fd_ >= 0) ::close(lock_fd_);
}

bool InstanceReleaseWatch::Busy() const {
  if (lock_fd_ < 0) return false;  // no lock file: no instance can hold it either
  int result;
  do {
    result = ::flock(lock_fd_, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result != 0) return errno == EWOULDBLOCK;
  ::flock(lock_fd_, LOCK_UN);
  return false;
}

bool InstanceReleaseWatch::TakeReleased() {
  if (notify_fd_ < 0) return false;
  bool released = false;
  alignas(inotify_event) char buffer[1024];
  for (;;) {
    const ssize_t count = ::read(notify_fd_, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    for (ssize_t at = 0; at < count;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      if (event->mask & IN_CLOSE_WRITE) released = true;
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
  return released;
}

}  // namespace murva
