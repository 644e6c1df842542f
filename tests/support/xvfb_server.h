// A private virtual X server for tests: started on a free display with
// -noreset (so a root-window background survives the last client), stopped
// at the end of the test.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace murva::testing {

class XvfbServer {
 public:
  explicit XvfbServer(const std::string& geometry = "1024x768x24") {
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(pipe_fds[0]);
      const std::string fd = std::to_string(pipe_fds[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-noreset", "-nolisten", "tcp",
             "-screen", "0", geometry.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    close(pipe_fds[1]);
    // Xvfb writes the display number once it accepts connections.
    char buffer[32] = {};
    std::string number;
    ssize_t count;
    while ((count = read(pipe_fds[0], buffer, sizeof buffer - 1)) > 0) {
      number.append(buffer, static_cast<size_t>(count));
      if (number.find('\n') != std::string::npos) break;
    }
    close(pipe_fds[0]);
    while (!number.empty() && (number.back() == '\n' || number.back() == ' ')) number.pop_back();
    if (!number.empty()) display_ = ":" + number;
  }

  ~XvfbServer() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      int status = 0;
      waitpid(pid_, &status, 0);
    }
  }

  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  bool Running() const { return !display_.empty(); }
  const std::string& Display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

}  // namespace murva::testing
