// A helper program run as a child process and spoken to through a socket,
// for work that must not take the program down with it: if the child
// crashes, aborts or stops answering, only the child ends.
//
// The child gets one end of a socket pair as a descriptor of its own (its
// arguments tell it which); the other end stays here. Every exchange has a
// deadline, the child is killed when one passes, and it is always collected
// (no zombie is left). Writing to a child that is gone is an error, not a
// signal.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace murva {

// How a child ended.
struct ChildEnd {
  bool signaled = false;  // killed by a signal (a crash, an abort, our kill)
  int number = 0;         // the signal, or the exit code
  // "SIGSEGV", "SIGABRT", or "終了コード 3".
  std::string Describe() const;
};

class ChildProcess {
 public:
  using Clock = std::chrono::steady_clock;
  enum class IoResult { kDone, kClosed, kTimedOut, kFailed };

  // Starts program with the arguments; the child's end of the socket is its
  // descriptor child_fd (3 or above), its standard input is empty and its
  // standard output goes where its standard error goes. Returns nullptr and
  // sets error when the program cannot be started.
  static std::unique_ptr<ChildProcess> Start(const std::filesystem::path& program,
                                             const std::vector<std::string>& arguments,
                                             int child_fd, std::string& error);

  // Kills the child if it still runs and collects it.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t Pid() const { return pid_; }

  // Sends all bytes, or receives exactly size bytes, before the deadline.
  // kClosed: the child closed its end (it has ended, most likely).
  IoResult Send(const void* data, std::size_t size, Clock::time_point deadline);
  IoResult Receive(void* data, std::size_t size, Clock::time_point deadline);

  // Waits until the deadline for the child to end by itself, then kills it;
  // returns how it ended. Later calls give the same answer.
  ChildEnd Stop(Clock::time_point deadline = Clock::now());

 private:
  ChildProcess(pid_t pid, int socket) : pid_(pid), socket_(socket) {}

  pid_t pid_;
  int socket_;
  std::optional<ChildEnd> end_;
};

}  // namespace murva
