// A private D-Bus session bus for one test, with the user folders in a
// temporary home: the desktop settings stores (dconf, xfconfd) it starts
// keep their values there, as they would in a user's session.
#pragma once

#include <QProcess>
#include <filesystem>
#include <string>

#include "platform/run_command.h"
#include "scoped_environment.h"

namespace murva::testing {

class PrivateSessionBus {
 public:
  explicit PrivateSessionBus(const std::filesystem::path& home) {
    environment_.Set("HOME", home.string());
    environment_.Set("XDG_CONFIG_HOME", (home / "config").string());
    environment_.Set("XDG_DATA_HOME", (home / "data").string());
    environment_.Set("XDG_CACHE_HOME", (home / "cache").string());
    environment_.Set("XDG_RUNTIME_DIR", (home / "run").string());
    environment_.Set("GSETTINGS_BACKEND", "dconf");
    std::filesystem::create_directories(home / "run");
    std::filesystem::permissions(home / "run", std::filesystem::perms::owner_all);
    // The bus daemon runs as this process's child, so that it is reaped
    // when it ends.
    daemon_.setStandardErrorFile(QProcess::nullDevice());
    daemon_.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    if (!daemon_.waitForStarted(10000)) return;
    while (!daemon_.canReadLine() && daemon_.state() == QProcess::Running) {
      daemon_.waitForReadyRead(1000);
    }
    address_ = daemon_.readLine().trimmed().toStdString();
    if (!address_.empty()) environment_.Set("DBUS_SESSION_BUS_ADDRESS", address_);
  }
  ~PrivateSessionBus() { Stop(); }
  PrivateSessionBus(const PrivateSessionBus&) = delete;
  PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

  bool Running() const { return !address_.empty(); }

  // Ends the session: the bus goes away, and the services it started end
  // with it, writing what they keep.
  void Stop() {
    if (daemon_.state() != QProcess::NotRunning) {
      daemon_.terminate();
      if (!daemon_.waitForFinished(10000)) {
        daemon_.kill();
        daemon_.waitForFinished(1000);
      }
    }
    environment_.Unset("DBUS_SESSION_BUS_ADDRESS");
  }

 private:
  ScopedEnvironment environment_;
  QProcess daemon_;
  std::string address_;
};

// What the next log-on would see: the output of a command run in a new
// session of its own (with the same home).
inline std::string RunInNewSession(const std::vector<std::string>& command) {
  std::vector<std::string> arguments = {"--"};
  arguments.insert(arguments.end(), command.begin(), command.end());
  std::string output;
  RunCommand("dbus-run-session", arguments, &output);
  return TrimmedOutput(output);
}

}  // namespace murva::testing
