// What every test desktop session (SwaySession, WestonSession) has: a
// compositor run as the session's user in a folder of its own, a log, the
// names of its sockets, and programs run inside it as that user.
#pragma once

#include <memory>

#include "platform/program_folder.h"
#include "support/session_process.h"
#include "support/temp_folder.h"

namespace murva::testing {

class DesktopSession {
 public:
  DesktopSession() : user_(TestSessionUser()), folder_(user_) {
    log_ = folder_.Path() / "session.log";
    log_fd_ = ::open(log_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  }
  virtual ~DesktopSession() {
    compositor_.reset();
    if (log_fd_ >= 0) ::close(log_fd_);
  }
  DesktopSession(const DesktopSession&) = delete;
  DesktopSession& operator=(const DesktopSession&) = delete;

  bool Running() const { return compositor_ && !wayland_display_.empty(); }
  // Why it is not running, with the compositor's log.
  const std::string& Problem() const { return problem_; }

  const SessionUser& User() const { return user_; }
  // The session's folder, which its user may read and write.
  const std::filesystem::path& Folder() const { return folder_.Path(); }
  std::filesystem::path RuntimeFolder() const { return folder_.Runtime(); }
  std::filesystem::path Home() const { return folder_.Home(); }
  // The compositor's log, where the programs' standard error goes too.
  std::string Log() const { return ReadBytes(log_); }
  // The socket's name in RuntimeFolder(), and its whole path.
  const std::string& WaylandDisplay() const { return wayland_display_; }
  std::filesystem::path WaylandSocket() const { return folder_.Runtime() / wayland_display_; }
  // Xwayland's display (":N") when the session has one, else "".
  const std::string& X11Display() const { return x11_display_; }

  // The environment of a program inside the session.
  virtual std::map<std::string, std::string> Variables() const {
    std::map<std::string, std::string> variables = BaseVariables(folder_.Home(), folder_.Runtime());
    variables["WAYLAND_DISPLAY"] = wayland_display_;
    variables["XDG_SESSION_TYPE"] = "wayland";
    if (!x11_display_.empty()) variables["DISPLAY"] = x11_display_;
    return variables;
  }
  // The same, for the program's own lookups in the test process.
  EnvironmentLookup Environment() const {
    return [variables = Variables()](const std::string& name) {
      const auto found = variables.find(name);
      return found == variables.end() ? std::string() : found->second;
    };
  }

  // Runs a program in the session as its user, to its end: the exit code
  // (-1 when it did not end within a minute), and its standard output in
  // *output when asked. The program must be readable by the session's user
  // (see Share).
  int Run(const std::vector<std::string>& command, std::string* output = nullptr,
          const std::map<std::string, std::string>& more = {}) const {
    return RunSessionCommand(user_, Setup(command, more), output);
  }
  // Starts a program in the session without waiting for it; its standard
  // output goes to output_fd (-1: nowhere).
  std::unique_ptr<SessionProcess> Start(const std::vector<std::string>& command,
                                        const std::map<std::string, std::string>& more = {},
                                        int output_fd = -1) const {
    ProcessSetup setup = Setup(command, more);
    setup.output_fd = output_fd;
    return std::make_unique<SessionProcess>(user_, setup);
  }

  // Copies a file or folder into the session's folder ("shared/NAME"), for
  // programs that the session's user could not read where they are (a
  // build folder in a private home).
  std::filesystem::path Share(const std::filesystem::path& source) const {
    const std::filesystem::path target = folder_.Path() / "shared" / source.filename();
    std::filesystem::create_directories(target.parent_path());
    std::filesystem::copy(source, target,
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    ::chmod(target.parent_path().c_str(), 0755);
    GiveTo(target.parent_path(), user_);
    return target;
  }

 protected:
  // Starts the compositor with these variables (besides the base ones) and
  // waits for the line its first program writes on descriptor 9:
  // WAYLAND_DISPLAY, then DISPLAY.
  void StartCompositor(const std::vector<std::string>& command,
                       const std::map<std::string, std::string>& more, int lines) {
    if (folder_.Path().empty() || log_fd_ < 0) {
      problem_ = "no session folder";
      return;
    }
    std::map<std::string, std::string> variables = BaseVariables(folder_.Home(), folder_.Runtime());
    for (const auto& [name, value] : more) variables[name] = value;
    int ready[2];
    if (::pipe2(ready, O_CLOEXEC) != 0) {
      problem_ = "no pipe";
      return;
    }
    compositor_ = std::make_unique<SessionProcess>(
        user_, ProcessSetup{command, variables, folder_.Home(), log_fd_, log_fd_, ready[1]});
    ::close(ready[1]);
    // Everything holding the pipe's other end ends when the compositor
    // fails, so a failed start is seen at once.
    std::vector<std::string> answers;
    for (int i = 0; i < lines; ++i) {
      const auto line = ReadLine(ready[0], std::chrono::seconds(30));
      if (!line) break;
      answers.push_back(*line);
    }
    ::close(ready[0]);
    if (answers.empty() || answers.front().empty()) {
      problem_ = command.front() + " did not start: " + Log();
      compositor_.reset();
      return;
    }
    wayland_display_ = answers[0];
    answers_ = answers;
  }
  // The lines after WAYLAND_DISPLAY.
  std::string Answer(std::size_t index) const {
    return index < answers_.size() ? answers_[index] : std::string();
  }
  void SetX11Display(const std::string& display) { x11_display_ = display; }

 private:
  ProcessSetup Setup(const std::vector<std::string>& command,
                     const std::map<std::string, std::string>& more) const {
    std::map<std::string, std::string> variables = Variables();
    for (const auto& [name, value] : more) variables[name] = value;
    return ProcessSetup{command, variables, folder_.Home(), -1, log_fd_, -1};
  }

  SessionUser user_;
  SessionFolder folder_;
  std::filesystem::path log_;
  int log_fd_ = -1;
  std::unique_ptr<SessionProcess> compositor_;
  std::string wayland_display_, x11_display_, problem_;
  std::vector<std::string> answers_;
};

}  // namespace murva::testing
