#include "platform/child_process_tree.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace murva {
namespace {

// The parent of a process, from /proc/<pid>/stat; -1 when it cannot be read.
// The command name (field 2) is in parentheses and may hold anything, so the
// fields are counted from the last ")".
pid_t ParentOf(const char* pid_text) {
  char path[64];
  std::snprintf(path, sizeof path, "/proc/%s/stat", pid_text);
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  char stat[512];
  const ssize_t count = read(fd, stat, sizeof stat - 1);
  close(fd);
  if (count <= 0) return -1;
  stat[count] = '\0';
  const char* close_paren = std::strrchr(stat, ')');
  // ") S <ppid>"
  if (close_paren == nullptr || std::strlen(close_paren) < 5) return -1;
  return static_cast<pid_t>(std::strtol(close_paren + 4, nullptr, 10));
}

void WaitAll(int flags, pid_t worker, int& worker_status, bool& worker_ended) {
  int status = 0;
  pid_t done;
  while ((done = waitpid(-1, &status, flags)) > 0) {
    if (done == worker) {
      worker_status = status;
      worker_ended = true;
    }
  }
}

}  // namespace

std::vector<pid_t> ChildrenOf(pid_t pid) {
  std::vector<pid_t> children;
  DIR* proc = opendir("/proc");
  if (proc == nullptr) return children;
  while (const dirent* entry = readdir(proc)) {
    if (entry->d_name[0] < '1' || entry->d_name[0] > '9') continue;
    if (ParentOf(entry->d_name) == pid) {
      children.push_back(static_cast<pid_t>(std::strtol(entry->d_name, nullptr, 10)));
    }
  }
  closedir(proc);
  return children;
}

void KillDescendants() {
  const pid_t self = getpid();
  for (;;) {
    // What has ended is collected; with no child left (an orphan below
    // counts as one), nothing is left below at all, and /proc is not read.
    int status = 0;
    pid_t done;
    while ((done = waitpid(-1, &status, WNOHANG)) > 0) {
    }
    if (done < 0 && errno == EINTR) continue;
    if (done < 0) return;  // ECHILD
    // Killing a child hands its own children to this process: the rounds go
    // on until no process is left below it. What a child forks before it is
    // killed comes back the same way.
    const std::vector<pid_t> children = ChildrenOf(self);
    for (const pid_t child : children) kill(child, SIGKILL);
    if (children.empty()) {
      usleep(1000);  // one on its way here, not yet listed
    } else {
      waitpid(-1, &status, 0);
    }
  }
}

int RunSupervised(const SupervisedWork& supervised) {
  const pid_t program = supervised.program != 0 ? supervised.program : getppid();
  prctl(PR_SET_CHILD_SUBREAPER, 1);
  sigset_t waited;
  sigemptyset(&waited);
  for (const int signal_number : {SIGCHLD, SIGTERM, SIGHUP, SIGINT}) {
    sigaddset(&waited, signal_number);
  }
  sigset_t before;
  sigprocmask(SIG_BLOCK, &waited, &before);
  const pid_t supervisor = getpid();
  const pid_t worker = fork();
  if (worker < 0) {
    std::fprintf(stderr, "murva32-spi-host: fork: %s\n", std::strerror(errno));
    return 1;
  }
  if (worker == 0) {
    // The worker never outlives its supervisor (a single thread, so the
    // signal comes when the process ends).
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != supervisor) _exit(1);
    sigprocmask(SIG_SETMASK, &before, nullptr);
    if (supervised.address_space != 0) {
      const rlimit limit{supervised.address_space, supervised.address_space};
      setrlimit(RLIMIT_AS, &limit);
    }
    const int code = supervised.work();
    std::fflush(nullptr);
    _exit(code);
  }
  for (const int fd : supervised.worker_only) close(fd);

  int worker_status = 0;
  bool worker_ended = false;
  for (;;) {
    const timespec check{0, 500 * 1000 * 1000};
    const int caught = sigtimedwait(&waited, nullptr, &check);
    if (caught == SIGCHLD || caught < 0) {
      WaitAll(WNOHANG, worker, worker_status, worker_ended);
      if (worker_ended) break;
      // The program is gone: nobody waits for the work any more.
      if (getppid() != program) break;
      continue;
    }
    break;  // told to end
  }
  if (!worker_ended) kill(worker, SIGKILL);
  KillDescendants();
  if (!worker_ended) return 1;
  if (WIFSIGNALED(worker_status)) {
    // Ends as the worker did, so the program names the signal.
    const int signal_number = WTERMSIG(worker_status);
    signal(signal_number, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal_number);
    sigprocmask(SIG_UNBLOCK, &only, nullptr);
    raise(signal_number);
    _exit(128 + signal_number);
  }
  return WIFEXITED(worker_status) ? WEXITSTATUS(worker_status) : 1;
}

}  // namespace murva
