// A private virtual X server for tests: started on a free display with
// -noreset (so a root-window background survives the last client), stopped
// at the end of the test.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace murva::testing {

class XvfbServer {
 public:
  // extra: more server options, e.g. {"-extension", "MIT-SHM"} to run
  // without shared memory.
  explicit XvfbServer(const std::string& geometry = "1024x768x24",
                      const std::vector<std::string>& extra = {}) {
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0) return;
    const std::string fd = std::to_string(pipe_fds[1]);
    std::vector<std::string> words = {"Xvfb", "-displayfd", fd, "-noreset", "-nolisten", "tcp",
                                      "-screen", "0", geometry};
    words.insert(words.end(), extra.begin(), extra.end());
    std::vector<char*> arguments;
    for (std::string& word : words) arguments.push_back(word.data());
    arguments.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
      close(pipe_fds[0]);
      execvp("Xvfb", arguments.data());
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
