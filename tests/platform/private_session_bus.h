// A private D-Bus session bus for one test, with the user folders in a
// temporary home: the desktop settings stores (dconf, xfconfd) it starts
// keep their values there, as they would in a user's session. And a private
// bus standing in for the system bus.
#pragma once

#include <QProcess>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/run_command.h"
#include "scoped_environment.h"

namespace murva::testing {

// A bus daemon of the test's own (with the session bus's open policy), run
// as this process's child so that it is reaped when it ends.
class PrivateBusDaemon {
 public:
  PrivateBusDaemon() {
    daemon_.setStandardErrorFile(QProcess::nullDevice());
    daemon_.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    if (!daemon_.waitForStarted(10000)) return;
    while (!daemon_.canReadLine() && daemon_.state() == QProcess::Running) {
      daemon_.waitForReadyRead(1000);
    }
    address_ = daemon_.readLine().trimmed().toStdString();
  }
  ~PrivateBusDaemon() { Stop(); }
  PrivateBusDaemon(const PrivateBusDaemon&) = delete;
  PrivateBusDaemon& operator=(const PrivateBusDaemon&) = delete;

  const std::string& Address() const { return address_; }
  void Stop() {
    if (daemon_.state() == QProcess::NotRunning) return;
    daemon_.terminate();
    if (!daemon_.waitForFinished(10000)) {
      daemon_.kill();
      daemon_.waitForFinished(1000);
    }
  }

 private:
  QProcess daemon_;
  std::string address_;
};

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
    daemon_ = std::make_unique<PrivateBusDaemon>();
    if (!daemon_->Address().empty()) {
      environment_.Set("DBUS_SESSION_BUS_ADDRESS", daemon_->Address());
    }
  }
  ~PrivateSessionBus() { Stop(); }
  PrivateSessionBus(const PrivateSessionBus&) = delete;
  PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

  bool Running() const { return !daemon_->Address().empty(); }

  // Ends the session: the bus goes away, and the services it started end
  // with it, writing what they keep.
  void Stop() {
    daemon_->Stop();
    environment_.Unset("DBUS_SESSION_BUS_ADDRESS");
  }

 private:
  ScopedEnvironment environment_;
  std::unique_ptr<PrivateBusDaemon> daemon_;
};

// A bus standing in for the system bus ($DBUS_SYSTEM_BUS_ADDRESS), on which
// a test may own the names of system services (org.freedesktop.login1).
class PrivateSystemBus {
 public:
  PrivateSystemBus() {
    if (!daemon_.Address().empty()) environment_.Set("DBUS_SYSTEM_BUS_ADDRESS", daemon_.Address());
  }
  bool Running() const { return !daemon_.Address().empty(); }
  const std::string& Address() const { return daemon_.Address(); }

 private:
  PrivateBusDaemon daemon_;
  ScopedEnvironment environment_;
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
