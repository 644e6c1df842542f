#include "platform/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

extern char** environ;

namespace murva {
namespace {

using Clock = ChildProcess::Clock;

// How long a child that was asked to end may take before its group is
// killed: a plug-in host ends what its plug-in started first.
constexpr std::chrono::milliseconds kTermGrace{1000};
// How long the output is read once the child has ended and its group is
// killed (what is in the pipe is there at once).
constexpr std::chrono::milliseconds kOutputGrace{200};
// Without pidfd_open, how often the child's end is looked for.
constexpr std::chrono::milliseconds kEndCheck{2};

int MillisecondsUntil(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  if (left.count() <= 0) return 0;
  if (left.count() > 60 * 60 * 1000) return 60 * 60 * 1000;
  return static_cast<int>(left.count()) + 1;
}

ChildEnd EndOf(int status) {
  ChildEnd end;
  if (WIFSIGNALED(status)) {
    end.signaled = true;
    end.number = WTERMSIG(status);
  } else if (WIFEXITED(status)) {
    end.number = WEXITSTATUS(status);
  }
  return end;
}

// A descriptor moved to above `above`, close-on-exec, so that dup2 onto a
// low number never meets it (dup2 onto itself would keep the flag).
int MovedAbove(int fd, int above) {
  const int moved = fcntl(fd, F_DUPFD_CLOEXEC, above + 1);
  close(fd);
  return moved;
}

// The text of one line as it is handed on: no control characters, at most
// `most` bytes, cut between two characters.
std::string Printable(std::string line, std::size_t most) {
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
  for (char& c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = byte == '\t' ? ' ' : '?';
  }
  if (line.size() > most) {
    std::size_t cut = most;
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    line.resize(cut);
  }
  return line;
}

}  // namespace

std::string ChildEnd::Describe() const {
  if (!signaled) return "終了コード " + std::to_string(number);
  const char* name = sigabbrev_np(number);
  return name != nullptr ? std::string("SIG") + name : "シグナル " + std::to_string(number);
}

ChildProcess::ChildProcess(pid_t pid, int socket, int output, int pidfd, OutputHandler handler)
    : pid_(pid), socket_(socket), output_(output), pidfd_(pidfd), handler_(std::move(handler)) {}

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::filesystem::path& program,
                                                  const std::vector<std::string>& arguments,
                                                  int child_fd, OutputHandler output,
                                                  std::string& error) {
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
    error = std::string("socketpair: ") + strerror(errno);
    return nullptr;
  }
  int pipe_ends[2];
  if (pipe2(pipe_ends, O_CLOEXEC) != 0) {
    error = std::string("pipe: ") + strerror(errno);
    close(ends[0]);
    close(ends[1]);
    return nullptr;
  }
  const int child_end = MovedAbove(ends[1], child_fd);
  const int output_end = MovedAbove(pipe_ends[1], child_fd);
  fcntl(pipe_ends[0], F_SETFL, O_NONBLOCK);
  auto close_all = [&] {
    for (const int fd : {ends[0], child_end, pipe_ends[0], output_end}) {
      if (fd >= 0) close(fd);
    }
  };
  if (child_end < 0 || output_end < 0) {
    error = std::string("fcntl: ") + strerror(errno);
    close_all();
    return nullptr;
  }

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, child_end, child_fd);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, output_end, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, output_end, STDERR_FILENO);
  // Nothing else of this process, whatever its close-on-exec flag says.
  posix_spawn_file_actions_addclosefrom_np(&actions, child_fd + 1);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none;
  sigemptyset(&none);
  // Every signal as a new program has it: one this process ignores (SIGPIPE
  // in the resident mode) must still reach the child.
  sigset_t defaults;
  sigfillset(&defaults);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  std::vector<std::string> words;
  words.push_back(program.string());
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  pid_t pid = 0;
  const int result =
      posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  close(child_end);
  close(output_end);
  if (result != 0) {
    error = program.string() + ": " + strerror(result);
    close(ends[0]);
    close(pipe_ends[0]);
    return nullptr;
  }
  const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
  return std::unique_ptr<ChildProcess>(
      new ChildProcess(pid, ends[0], pipe_ends[0], pidfd, std::move(output)));
}

ChildProcess::~ChildProcess() {
  Stop();
  close(socket_);
  CloseOutput();
  if (pidfd_ >= 0) close(pidfd_);
}

ChildProcess::Ready ChildProcess::WaitReady(short events, Clock::time_point deadline) {
  for (;;) {
    pollfd entries[3] = {{socket_, events, 0}, {output_, POLLIN, 0}, {pidfd_, POLLIN, 0}};
    // A negative descriptor is left out by poll.
    const int ready = poll(entries, 3, MillisecondsUntil(deadline));
    if (ready == 0) return Ready::kTimedOut;
    if (ready < 0) {
      if (errno == EINTR) continue;
      return Ready::kReady;  // let the read or write report it
    }
    if (entries[1].revents != 0) ReadOutput();
    if (entries[0].revents != 0) return Ready::kReady;
    if (entries[2].revents != 0) return Ready::kEnded;
  }
}

bool ChildProcess::Ended() {
  if (end_) return true;
  siginfo_t info{};
  return waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
         info.si_pid == pid_;
}

ChildProcess::IoResult ChildProcess::Send(const void* data, std::size_t size,
                                          Clock::time_point deadline) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    switch (WaitReady(POLLOUT, deadline)) {
      case Ready::kTimedOut: return IoResult::kTimedOut;
      case Ready::kEnded: return IoResult::kClosed;
      case Ready::kReady: break;
    }
    const ssize_t sent = send(socket_, bytes, size, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent < 0) {
      if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) continue;
      return (errno == EPIPE || errno == ECONNRESET) ? IoResult::kClosed : IoResult::kFailed;
    }
    bytes += sent;
    size -= static_cast<std::size_t>(sent);
  }
  return IoResult::kDone;
}

ChildProcess::IoResult ChildProcess::Receive(void* data, std::size_t size,
                                             Clock::time_point deadline) {
  auto* bytes = static_cast<char*>(data);
  while (size > 0) {
    // What the child sent before it ended is still read.
    switch (WaitReady(POLLIN, deadline)) {
      case Ready::kTimedOut: return IoResult::kTimedOut;
      case Ready::kEnded: return IoResult::kClosed;
      case Ready::kReady: break;
    }
    const ssize_t received = recv(socket_, bytes, size, MSG_DONTWAIT);
    if (received == 0) return IoResult::kClosed;
    if (received < 0) {
      if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) continue;
      return errno == ECONNRESET ? IoResult::kClosed : IoResult::kFailed;
    }
    bytes += received;
    size -= static_cast<std::size_t>(received);
  }
  return IoResult::kDone;
}

ChildEnd ChildProcess::Stop(Clock::time_point deadline) {
  if (end_) return *end_;
  // Waits until the child has ended or the time is up, reading its output.
  auto wait_end = [this](Clock::time_point until) {
    while (!Ended()) {
      if (Clock::now() >= until) return false;
      pollfd entries[2] = {{output_, POLLIN, 0}, {pidfd_, POLLIN, 0}};
      const int wait = pidfd_ >= 0 ? MillisecondsUntil(until)
                                   : std::min<int>(MillisecondsUntil(until), kEndCheck.count());
      if (poll(entries, 2, wait) > 0 && entries[0].revents != 0) ReadOutput();
    }
    return true;
  };
  if (!wait_end(deadline)) {
    kill(pid_, SIGTERM);
    if (!wait_end(Clock::now() + kTermGrace)) kill(-pid_, SIGKILL);
  }
  siginfo_t info{};
  while (waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
  }
  // Whatever is left of its group goes too: until the child is collected,
  // its id cannot stand for another group.
  kill(-pid_, SIGKILL);
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  end_ = EndOf(status);
  // The rest of its output: everything that wrote it has ended.
  const Clock::time_point output_end = Clock::now() + kOutputGrace;
  while (output_ >= 0 && Clock::now() < output_end) {
    pollfd entry{output_, POLLIN, 0};
    if (poll(&entry, 1, MillisecondsUntil(output_end)) <= 0) break;
    ReadOutput();
  }
  CloseOutput();
  return *end_;
}

void ChildProcess::ReadOutput() {
  char buffer[4096];
  // A bounded amount at a time, so that a child that writes without end
  // does not hold this side in here.
  for (int round = 0; output_ >= 0 && round < 16; ++round) {
    const ssize_t count = read(output_, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    if (count <= 0) {
      CloseOutput();
      return;
    }
    for (ssize_t i = 0; i < count; ++i) {
      const char c = buffer[i];
      if (c == '\n') {
        if (!skipping_line_) TakeLine(partial_);
        partial_.clear();
        skipping_line_ = false;
      } else if (!skipping_line_) {
        partial_ += c;
        if (partial_.size() > kMostOutputLine) {
          TakeLine(partial_);
          partial_.clear();
          skipping_line_ = true;
        }
      }
    }
  }
}

void ChildProcess::TakeLine(const std::string& text) {
  if (relayed_ > kMostOutput) return;
  std::string line = Printable(text, kMostOutputLine);
  if (line.empty()) return;
  relayed_ += line.size() + 1;
  if (relayed_ > kMostOutput) line = "（これより後の出力は省きます）";
  if (handler_) handler_(line);
}

void ChildProcess::CloseOutput() {
  if (output_ < 0) return;
  close(output_);
  output_ = -1;
  if (!partial_.empty() && !skipping_line_) TakeLine(partial_);
  partial_.clear();
}

}  // namespace murva
