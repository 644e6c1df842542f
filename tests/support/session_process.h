// Processes of a test's desktop session: the compositor and the programs
// run inside it, started as the session's user. Compositors such as sway
// refuse to run as the superuser, so a test that runs as root gives its
// sessions to nobody (65534), in folders handed to that user; any other
// user runs its sessions itself.
#pragma once

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/prctl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace murva::testing {

struct SessionUser {
  uid_t uid = 0;
  gid_t gid = 0;
  bool switches() const { return uid != geteuid(); }
};

inline SessionUser TestSessionUser() {
  constexpr uid_t kNobody = 65534;
  if (geteuid() == 0) return {kNobody, kNobody};
  return {geteuid(), getegid()};
}

// Gives a file or a folder with everything in it to the user.
inline void GiveTo(const std::filesystem::path& path, const SessionUser& user) {
  if (!user.switches()) return;
  if (::lchown(path.c_str(), user.uid, user.gid) != 0) return;
  std::error_code error;
  if (!std::filesystem::is_directory(path, error) || std::filesystem::is_symlink(path, error)) return;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(path, error)) {
    [[maybe_unused]] const int ignored = ::lchown(entry.path().c_str(), user.uid, user.gid);
  }
}

// A folder for a session, removed with everything in it at the end:
// readable by its user, with a private runtime folder ("run", 0700) and a
// home ("home").
class SessionFolder {
 public:
  explicit SessionFolder(const SessionUser& user) {
    std::string pattern = (std::filesystem::temp_directory_path() / "murva-session-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return;
    path_ = pattern;
    ::chmod(path_.c_str(), 0755);
    std::filesystem::create_directories(path_ / "run");
    std::filesystem::create_directories(path_ / "home");
    ::chmod((path_ / "run").c_str(), 0700);
    GiveTo(path_, user);
  }
  ~SessionFolder() {
    std::error_code error;
    if (!path_.empty()) std::filesystem::remove_all(path_, error);
  }
  SessionFolder(const SessionFolder&) = delete;
  SessionFolder& operator=(const SessionFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path Runtime() const { return path_ / "run"; }
  std::filesystem::path Home() const { return path_ / "home"; }

 private:
  std::filesystem::path path_;
};

// The program file a command word names, searched in PATH.
inline std::string ProgramPath(const std::string& word) {
  if (word.find('/') != std::string::npos) return word;
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= folders.size()) {
    const std::size_t end = std::min(folders.find(':', start), folders.size());
    const std::filesystem::path candidate = std::filesystem::path(folders.substr(start, end - start)) / word;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
    start = end + 1;
  }
  return word;
}

// The least a program of a session needs besides the session's own
// variables.
inline std::map<std::string, std::string> BaseVariables(const std::filesystem::path& home,
                                                         const std::filesystem::path& runtime) {
  const char* path = std::getenv("PATH");
  return {{"PATH", path ? path : "/usr/local/bin:/usr/bin:/bin"},
          {"HOME", home.string()},
          {"XDG_RUNTIME_DIR", runtime.string()},
          {"XDG_CONFIG_HOME", (home / ".config").string()},
          {"XDG_CACHE_HOME", (home / ".cache").string()},
          {"XDG_DATA_HOME", (home / ".local/share").string()},
          {"LANG", "C.UTF-8"}};
}

struct ProcessSetup {
  std::vector<std::string> command;
  std::map<std::string, std::string> environment;  // exactly these variables
  std::filesystem::path folder;                    // the current folder
  int output_fd = -1;  // standard output; -1: /dev/null
  int error_fd = -1;   // standard error; -1: /dev/null
  int ready_fd = -1;   // handed on as descriptor 9 (for a line when the program is ready)
};

// A process of the session, started in a process group of its own and
// ended (with whatever it started in that group) with the object.
class SessionProcess {
 public:
  SessionProcess(const SessionUser& user, const ProcessSetup& setup) {
    // What the process leaves behind when it ends comes to this process, so
    // that Stop can end and reap it.
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    // Everything the child needs is prepared before fork: a test process has
    // threads, so the child calls nothing but system calls until exec.
    std::vector<std::string> words = setup.command;
    if (words.empty()) return;
    const std::string program = ProgramPath(words.front());
    std::vector<char*> arguments;
    for (std::string& word : words) arguments.push_back(word.data());
    arguments.push_back(nullptr);
    std::vector<std::string> pairs;
    for (const auto& [name, value] : setup.environment) pairs.push_back(name + "=" + value);
    std::vector<char*> variables;
    for (std::string& pair : pairs) variables.push_back(pair.data());
    variables.push_back(nullptr);
    const int null_fd = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    const int output_fd = setup.output_fd >= 0 ? setup.output_fd : null_fd;
    const int error_fd = setup.error_fd >= 0 ? setup.error_fd : null_fd;
    const std::string folder = setup.folder.string();
    pid_ = ::fork();
    if (pid_ == 0) {
      ::setpgid(0, 0);
      if (user.switches() &&
          (::setgroups(0, nullptr) != 0 || ::setgid(user.gid) != 0 || ::setuid(user.uid) != 0)) {
        ::_exit(126);
      }
      if (!folder.empty() && ::chdir(folder.c_str()) != 0) ::_exit(126);
      // A descriptor that already has its number keeps it, without its
      // close-on-exec flag (dup2 onto itself would leave the flag set).
      const auto inherit = [](int from, int to) {
        if (from == to) {
          ::fcntl(to, F_SETFD, 0);
        } else {
          ::dup2(from, to);
        }
      };
      inherit(null_fd, 0);
      inherit(output_fd, 1);
      inherit(error_fd, 2);
      if (setup.ready_fd >= 0) inherit(setup.ready_fd, 9);
      ::execve(program.c_str(), arguments.data(), variables.data());
      ::_exit(127);
    }
    if (null_fd >= 0) ::close(null_fd);
  }
  ~SessionProcess() { Stop(); }
  SessionProcess(const SessionProcess&) = delete;
  SessionProcess& operator=(const SessionProcess&) = delete;

  pid_t Pid() const { return pid_; }
  bool Started() const { return pid_ > 0; }

  // Waits for the end; the exit code (-signal when a signal ended it), or
  // nullopt when it has not ended in time.
  std::optional<int> Wait(std::chrono::milliseconds limit = std::chrono::seconds(30)) {
    if (pid_ <= 0) return status_;
    // A process descriptor becomes readable when the process ends.
    const int process_fd = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
    if (process_fd >= 0) {
      pollfd ended{process_fd, POLLIN, 0};
      const int polled = ::poll(&ended, 1, static_cast<int>(limit.count()));
      ::close(process_fd);
      if (polled <= 0) return std::nullopt;
    }
    int status = 0;
    if (::waitpid(pid_, &status, 0) != pid_) return std::nullopt;
    pid_ = -1;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    return status_;
  }

  // Asks it to end (SIGTERM), then forces it; then the rest of its group:
  // programs it started and left behind (Xwayland, which a compositor may
  // be starting just as it is asked to end), which come to this process
  // when their parent ends and are reaped here.
  void Stop() {
    if (pid_ <= 0) return;
    const pid_t group = pid_;
    ::kill(pid_, SIGTERM);
    if (!Wait(std::chrono::seconds(10))) {
      ::kill(pid_, SIGKILL);
      Wait(std::chrono::seconds(10));
    }
    const auto start = std::chrono::steady_clock::now();
    for (int signal = SIGTERM;;) {
      if (::kill(-group, signal) != 0 && errno == ESRCH) break;
      int status = 0;
      while (::waitpid(-group, &status, WNOHANG) > 0) {
      }
      const auto spent = std::chrono::steady_clock::now() - start;
      if (spent > std::chrono::seconds(10)) break;
      if (spent > std::chrono::seconds(3)) signal = SIGKILL;
      // Members whose parent has not ended yet are no children of ours,
      // whose end no descriptor shows: look again shortly.
      ::usleep(10000);
    }
  }

 private:
  pid_t pid_ = -1;
  std::optional<int> status_;
};

// Runs a command to its end; its exit code (-1 when it did not end in
// time), with its standard output in *output when asked.
inline int RunSessionCommand(const SessionUser& user, ProcessSetup setup,
                             std::string* output = nullptr,
                             std::chrono::milliseconds limit = std::chrono::seconds(60)) {
  int pipe_fds[2] = {-1, -1};
  if (output && ::pipe2(pipe_fds, O_CLOEXEC) != 0) return -1;
  if (output) setup.output_fd = pipe_fds[1];
  SessionProcess process(user, setup);
  if (output) {
    ::close(pipe_fds[1]);
    const auto deadline = std::chrono::steady_clock::now() + limit;
    char buffer[4096];
    for (;;) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      pollfd ready{pipe_fds[0], POLLIN, 0};
      if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) <= 0) break;
      const ssize_t count = ::read(pipe_fds[0], buffer, sizeof buffer);
      if (count <= 0) break;
      output->append(buffer, static_cast<std::size_t>(count));
    }
    ::close(pipe_fds[0]);
  }
  const std::optional<int> code = process.Wait(limit);
  return code.value_or(-1);
}

// Reads one line from a descriptor, waiting at most `limit`; nullopt when
// the writers closed it first or the time ran out.
inline std::optional<std::string> ReadLine(int fd, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  std::string line;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd ready{fd, POLLIN, 0};
    if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) <= 0) {
      return std::nullopt;
    }
    char c = 0;
    if (::read(fd, &c, 1) != 1) return std::nullopt;
    if (c == '\n') return line;
    line += c;
  }
}

}  // namespace murva::testing
