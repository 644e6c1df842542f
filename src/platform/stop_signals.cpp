#include "platform/stop_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace murva {
namespace {

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};
int write_end = -1;
int read_end = -1;

void OnStopSignal(int signal_number) {
  const int saved = errno;
  const unsigned char byte = static_cast<unsigned char>(signal_number);
  if (write_end >= 0) {
    // A full pipe already holds a signal: nothing is lost by dropping one.
    const ssize_t written = ::write(write_end, &byte, 1);
    static_cast<void>(written);
  }
  errno = saved;
}

}  // namespace

int CatchStopSignals() {
  if (read_end < 0) {
    int fds[2];
    if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) return -1;
    read_end = fds[0];
    write_end = fds[1];
  }
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal_number : kStopSignals) sigaction(signal_number, &action, nullptr);
  return read_end;
}

int TakeStopSignal(int fd) {
  int last = 0;
  unsigned char byte;
  ssize_t count;
  while ((count = ::read(fd, &byte, 1)) == 1 || (count < 0 && errno == EINTR)) {
    if (count == 1) last = byte;
  }
  return last;
}

void ReleaseStopSignals() {
  for (const int signal_number : kStopSignals) signal(signal_number, SIG_DFL);
}

}  // namespace murva
