// A helper program run as a child process and spoken to through a socket,
// for work that must not take the program down with it: if the child
// crashes, aborts or stops answering, only the child ends.
//
// The child gets one end of a socket pair as a descriptor of its own (its
// arguments tell it which); the other end stays here. It runs in a session
// (and so a process group) of its own, with no descriptor of this process
// but the socket, an empty standard input, and its standard output and
// error going to a pipe that is read here whenever this side waits for it:
// what it prints is handed on line by line, filtered and bounded, and
// nothing it leaves running holds this program's own output open.
//
// Every exchange has a deadline, and the child is ended when one passes.
// Its end is seen at once, also when something it started still holds the
// socket. Ending it ends its whole process group, and the child is always
// collected (no zombie is left). Writing to a child that is gone is an
// error, not a signal.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
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
  // One line of the child's output: control characters replaced by "?",
  // cut to kMostOutputLine bytes. After kMostOutput bytes in all, one more
  // line says that the rest is left out, and the rest is read and dropped.
  using OutputHandler = std::function<void(const std::string& line)>;
  static constexpr std::size_t kMostOutputLine = 512;
  static constexpr std::size_t kMostOutput = 4096;

  // Starts program with the arguments; the child's end of the socket is its
  // descriptor child_fd (3 or above). Returns nullptr and sets error when
  // the program cannot be started.
  static std::unique_ptr<ChildProcess> Start(const std::filesystem::path& program,
                                             const std::vector<std::string>& arguments,
                                             int child_fd, OutputHandler output,
                                             std::string& error);

  // Ends the child if it still runs (see Stop) and collects it.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t Pid() const { return pid_; }

  // Sends all bytes, or receives exactly size bytes, before the deadline.
  // kClosed: the child closed its end, or has ended.
  IoResult Send(const void* data, std::size_t size, Clock::time_point deadline);
  IoResult Receive(void* data, std::size_t size, Clock::time_point deadline);

  // Waits until the deadline for the child to end by itself, then asks it to
  // end (SIGTERM, which a supervising child answers by ending everything it
  // started) and kills its whole process group when it does not end at
  // once. Whatever is left in the group once it has ended is killed too,
  // and its output is read to the end. Returns how it ended; later calls
  // give the same answer.
  ChildEnd Stop(Clock::time_point deadline = Clock::now());

 private:
  ChildProcess(pid_t pid, int socket, int output, int pidfd, OutputHandler handler);

  enum class Ready { kReady, kEnded, kTimedOut };
  // Waits until the socket is ready for events (reading the child's output
  // meanwhile), the child has ended, or the deadline has passed.
  Ready WaitReady(short events, Clock::time_point deadline);
  // Whether the child has ended (it is left to be collected).
  bool Ended();
  void ReadOutput();
  void TakeLine(const std::string& text);
  void CloseOutput();

  pid_t pid_;
  int socket_;
  int output_;  // the read end of the child's output; -1 once at its end
  int pidfd_;   // readable once the child has ended; -1 without pidfd_open
  OutputHandler handler_;
  std::string partial_;  // the start of a line not yet ended
  bool skipping_line_ = false;  // the rest of a line that was cut
  std::size_t relayed_ = 0;
  std::optional<ChildEnd> end_;
};

}  // namespace murva
