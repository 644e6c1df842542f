// Starts the real murva32 binary for end-to-end tests: in a program folder of
// the test's own, on a given X display, on a chosen date through libfaketime,
// with its standard error kept.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "settings/cp932.h"
#include "support/faked_clock.h"
#include "support/temp_folder.h"

namespace murva::testing {

struct RunResult {
  int exit_code = -1;
  bool timed_out = false;
  std::string errors;
};

// In a forked child: standard error into the file (or, with an output
// descriptor, standard output and error into it), then the program with its
// arguments; never returns.
[[noreturn]] inline void ExecProgram(const std::string& program,
                                     const std::vector<std::string>& arguments,
                                     const std::filesystem::path& errors, int output = -1) {
  if (output >= 0) {
    dup2(output, STDOUT_FILENO);
    dup2(output, STDERR_FILENO);
  } else {
    const int fd = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(fd, STDERR_FILENO);
  }
  std::vector<std::string> words = {program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  execv(program.c_str(), argv.data());
  _exit(127);
}

class ProgramRunner {
 public:
  ProgramRunner(std::filesystem::path folder, std::string display, std::string date)
      : folder_(std::move(folder)), display_(std::move(display)), date_(std::move(date)) {
    std::filesystem::create_directories(folder_ / "run");
    std::filesystem::permissions(folder_ / "run", std::filesystem::perms::owner_all);
  }

  // Starts the program in a process group of its own; returns its id (a
  // signal to the group also reaches what the program started). With an
  // output descriptor, its standard output and error go there.
  pid_t Launch(const std::vector<std::string>& arguments, int output = -1) {
    const std::string program = std::string(MURVA_TEST_BIN_DIR) + "/murva32";
    last_errors_ = folder_ / ("stderr-" + std::to_string(++launches_) + ".txt");
    const pid_t pid = fork();
    if (pid == 0) {
      setpgid(0, 0);
      setenv("DISPLAY", display_.c_str(), 1);
      setenv("MURVA32_HOME", folder_.c_str(), 1);
      setenv("XDG_RUNTIME_DIR", (folder_ / "run").c_str(), 1);
      setenv("HOME", folder_.c_str(), 1);
      setenv("QT_QPA_PLATFORM", "xcb", 1);
      if (!date_.empty()) FakeClockFrom(date_);  // none: the real clock
      for (const char* name : {"XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP", "DESKTOP_SESSION",
                               "GDMSESSION", "WAYLAND_DISPLAY"}) {
        unsetenv(name);
      }
      ExecProgram(program, arguments, last_errors_, output);
    }
    setpgid(pid, pid);  // also here, so a signal sent right away reaches the group
    return pid;
  }

  RunResult Wait(pid_t pid, std::chrono::seconds limit = std::chrono::seconds(60)) {
    RunResult run;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        kill(-pid, SIGKILL);
        waitpid(pid, &status, 0);
        run.timed_out = true;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!run.timed_out && WIFEXITED(status)) run.exit_code = WEXITSTATUS(status);
    run.errors = ReadBytes(last_errors_);
    return run;
  }

  RunResult Run(const std::vector<std::string>& arguments) { return Wait(Launch(arguments)); }

  // The standard error of the last launch, as far as it is written.
  std::string Errors() const { return ReadBytes(last_errors_); }

  // A settings file holding the basic set with the given keys, in CP932
  // with CR LF as the Windows program wrote it.
  void WriteSettings(const std::vector<std::string>& keys) const {
    std::string text = "[MURVA32PRE]\r\nCalenSelBa=1\r\nCalenSelEx=0\r\n[Murva32V4]\r\n";
    for (const auto& key : keys) text += key + "\r\n";
    WriteBytes(folder_ / "MURVA32.INI", EncodeCp932(text).value());
  }

 private:
  std::filesystem::path folder_;
  std::string display_;
  std::string date_;
  int launches_ = 0;
  std::filesystem::path last_errors_;
};

}  // namespace murva::testing
