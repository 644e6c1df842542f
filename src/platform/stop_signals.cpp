#include "platform/stop_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <vector>

namespace murva {
namespace {

constexpr int kNamedSignals[] = {SIGTERM,   SIGINT,  SIGHUP, SIGUSR1, SIGUSR2,  SIGALRM,
                                 SIGVTALRM, SIGPROF, SIGIO,  SIGPWR,  SIGSTKFLT};
int write_end = -1;
int read_end = -1;
// A stop signal the event loop has not taken for this long tells that it is
// stuck: the next one ends the program from the handler.
constexpr std::int64_t kStuckAfterNanoseconds = 2'000'000'000;
std::atomic<int> blocking_calls{0};
// When the oldest stop signal not yet taken came (monotonic, nanoseconds);
// 0 when none waits.
std::atomic<std::int64_t> stop_waiting_since{0};
std::atomic<pid_t> forward_to{0};

std::int64_t MonotonicNow() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec + 1;
}

// The line written when the handler ends the program, per signal; made
// before any handler is installed.
struct StopLine {
  char text[96];
  std::size_t length;
};
StopLine stop_lines[NSIG];

std::vector<int> CaughtSignals() {
  std::vector<int> numbers(std::begin(kNamedSignals), std::end(kNamedSignals));
  for (int number = SIGRTMIN; number <= SIGRTMAX; ++number) numbers.push_back(number);
  return numbers;
}

[[noreturn]] void EndNow(int signal_number) {
  const StopLine& line = stop_lines[signal_number];
  const ssize_t written = ::write(STDERR_FILENO, line.text, line.length);
  static_cast<void>(written);
  if (const pid_t pid = forward_to.load(); pid > 0) kill(pid, SIGTERM);
  _exit(0);
}

void OnStopSignal(int signal_number) {
  const int saved = errno;
  if (!IsRequestSignal(signal_number)) {
    // The event loop cannot take it: the program ends from here.
    const std::int64_t now = MonotonicNow();
    std::int64_t since = 0;
    if (!stop_waiting_since.compare_exchange_strong(since, now) &&
        now - since > kStuckAfterNanoseconds) {
      EndNow(signal_number);
    }
    if (blocking_calls.load() > 0) EndNow(signal_number);
  }
  const unsigned char byte = static_cast<unsigned char>(signal_number);
  if (write_end >= 0) {
    // A full pipe already holds a signal: nothing is lost by dropping one.
    const ssize_t written = ::write(write_end, &byte, 1);
    static_cast<void>(written);
  }
  errno = saved;
}

// A write to a closed pipe fails with EPIPE instead. Caught rather than
// ignored: a caught signal has its default again in a program this one
// starts, an ignored one would stay ignored there.
void OnBrokenPipe(int) {}

}  // namespace

bool IsRequestSignal(int signal_number) { return signal_number == SIGUSR1; }

std::string StopSignalText(int signal_number) {
  if (const char* text = sigdescr_np(signal_number)) return text;
  if (signal_number >= SIGRTMIN && signal_number <= SIGRTMAX) {
    return "Real-time signal " + std::to_string(signal_number - SIGRTMIN);
  }
  return "Signal " + std::to_string(signal_number);
}

int CatchStopSignals() {
  if (read_end < 0) {
    int fds[2];
    if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) return -1;
    read_end = fds[0];
    write_end = fds[1];
  }
  const std::vector<int> caught = CaughtSignals();
  for (const int signal_number : caught) {
    const std::string line = "murva32: stopped (" + StopSignalText(signal_number) + ")\n";
    StopLine& stop_line = stop_lines[signal_number];
    stop_line.length = std::min(line.size(), sizeof stop_line.text);
    memcpy(stop_line.text, line.data(), stop_line.length);
  }
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal_number : caught) sigaction(signal_number, &action, nullptr);
  action.sa_handler = OnBrokenPipe;
  sigaction(SIGPIPE, &action, nullptr);
  return read_end;
}

int TakeStopSignal(int fd) {
  int stop = 0;
  int request = 0;
  unsigned char byte;
  ssize_t count;
  while ((count = ::read(fd, &byte, 1)) == 1 || (count < 0 && errno == EINTR)) {
    if (count != 1) continue;
    (IsRequestSignal(byte) ? request : stop) = byte;
  }
  stop_waiting_since.store(0);
  // A stop outweighs a request that came with it.
  return stop != 0 ? stop : request;
}

void ReleaseStopSignals() {
  for (const int signal_number : CaughtSignals()) signal(signal_number, SIG_DFL);
  signal(SIGPIPE, SIG_DFL);
}

void ForwardStopTo(pid_t pid) { forward_to.store(pid); }

BlockingCall::BlockingCall() { blocking_calls.fetch_add(1); }
BlockingCall::~BlockingCall() { blocking_calls.fetch_sub(1); }

}  // namespace murva
