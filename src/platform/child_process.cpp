#include "platform/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace murva {
namespace {

int MillisecondsUntil(ChildProcess::Clock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - ChildProcess::Clock::now());
  if (left.count() <= 0) return 0;
  if (left.count() > 60 * 60 * 1000) return 60 * 60 * 1000;
  return static_cast<int>(left.count()) + 1;
}

// Waits for the socket to be ready for events; false when the deadline
// passed first.
bool WaitReady(int fd, short events, ChildProcess::Clock::time_point deadline) {
  for (;;) {
    pollfd entry{fd, events, 0};
    const int ready = poll(&entry, 1, MillisecondsUntil(deadline));
    if (ready > 0) return true;
    if (ready == 0) return false;
    if (errno != EINTR) return true;  // let the read or write report it
  }
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

}  // namespace

std::string ChildEnd::Describe() const {
  if (!signaled) return "終了コード " + std::to_string(number);
  const char* name = sigabbrev_np(number);
  return name != nullptr ? std::string("SIG") + name : "シグナル " + std::to_string(number);
}

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::filesystem::path& program,
                                                  const std::vector<std::string>& arguments,
                                                  int child_fd, std::string& error) {
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
    error = std::string("socketpair: ") + strerror(errno);
    return nullptr;
  }
  // The child's end must not already be child_fd: dup2 onto itself would
  // leave it closed on exec.
  int child_end = fcntl(ends[1], F_DUPFD_CLOEXEC, child_fd + 1);
  close(ends[1]);
  if (child_end < 0) {
    error = std::string("fcntl: ") + strerror(errno);
    close(ends[0]);
    return nullptr;
  }

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, child_end, child_fd);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, STDERR_FILENO, STDOUT_FILENO);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none;
  sigemptyset(&none);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  sigaddset(&defaults, SIGCHLD);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

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
  if (result != 0) {
    error = program.string() + ": " + strerror(result);
    close(ends[0]);
    return nullptr;
  }
  return std::unique_ptr<ChildProcess>(new ChildProcess(pid, ends[0]));
}

ChildProcess::~ChildProcess() {
  Stop();
  close(socket_);
}

ChildProcess::IoResult ChildProcess::Send(const void* data, std::size_t size,
                                          Clock::time_point deadline) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    if (!WaitReady(socket_, POLLOUT, deadline)) return IoResult::kTimedOut;
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
    if (!WaitReady(socket_, POLLIN, deadline)) return IoResult::kTimedOut;
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
  int status = 0;
  for (;;) {
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      end_ = EndOf(status);
      return *end_;
    }
    if (done < 0 && errno != EINTR) {
      end_ = ChildEnd{};
      return *end_;
    }
    if (Clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  kill(pid_, SIGKILL);
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  end_ = EndOf(status);
  return *end_;
}

}  // namespace murva
