// Terminating signals become a readable descriptor (SIGUSR1 a request, the
// rest a stop; SIGPIPE is ignored); a stop that comes while the program is
// blocked ends it from the handler with the same message. And the zone file
// is looked at before the C library reads it: a named pipe there never
// holds the program.
#include "platform/stop_signals.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>

#include "platform/time_zone_watch.h"
#include "support/process_survivors.h"
#include "support/temp_folder.h"

namespace murva {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;

bool Readable(int fd, int milliseconds) {
  pollfd entry{fd, POLLIN, 0};
  return poll(&entry, 1, milliseconds) == 1;
}

class StopSignal : public ::testing::TestWithParam<int> {
 protected:
  void TearDown() override { ReleaseStopSignals(); }
};

TEST_P(StopSignal, BecomesReadableAndIsNoRequest) {
  const int fd = CatchStopSignals();
  ASSERT_GE(fd, 0);
  TakeStopSignal(fd);
  ASSERT_EQ(::raise(GetParam()), 0);
  ASSERT_TRUE(Readable(fd, 1000));
  EXPECT_EQ(TakeStopSignal(fd), GetParam());
  EXPECT_FALSE(IsRequestSignal(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(EveryTerminatingSignal, StopSignal,
                         ::testing::Values(SIGTERM, SIGINT, SIGHUP, SIGUSR2, SIGALRM, SIGVTALRM,
                                           SIGPROF, SIGIO, SIGPWR, SIGSTKFLT, SIGRTMIN,
                                           SIGRTMIN + 5, SIGRTMAX),
                         [](const auto& info) {
                           return "signal_" + std::to_string(info.param);
                         });

TEST(StopSignals, SigpipeDoesNothingAndARequestGivesWayToAStop) {
  const int fd = CatchStopSignals();
  TakeStopSignal(fd);
  ASSERT_EQ(::raise(SIGPIPE), 0);  // still here
  EXPECT_FALSE(Readable(fd, 0));
  // A program started from here has the default again.
  const pid_t child = fork();
  if (child == 0) {
    execl("/bin/sh", "sh", "-c", "kill -PIPE $$; exit 0", nullptr);
    _exit(127);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGPIPE) << status;
  ::raise(SIGUSR1);
  EXPECT_TRUE(IsRequestSignal(SIGUSR1));
  EXPECT_EQ(TakeStopSignal(fd), SIGUSR1);
  ::raise(SIGUSR1);
  ::raise(SIGTERM);
  ::raise(SIGUSR1);
  EXPECT_EQ(TakeStopSignal(fd), SIGTERM);
  EXPECT_EQ(StopSignalText(SIGTERM), "Terminated");
  EXPECT_EQ(StopSignalText(SIGUSR2), "User defined signal 2");
  EXPECT_EQ(StopSignalText(SIGRTMIN + 3), "Real-time signal 3");
  ReleaseStopSignals();
  struct sigaction action {};
  sigaction(SIGPIPE, nullptr, &action);
  EXPECT_EQ(action.sa_handler, SIG_DFL);
}

// A child that blocks for good opening a named pipe nobody writes, inside a
// BlockingCall, with a process of its own to hand the stop on to.
TEST(StopSignals, AStopWhileBlockedEndsTheProgramFromTheHandler) {
  TempFolder folder;
  const fs::path pipe_path = folder / "pipe";
  ASSERT_EQ(mkfifo(pipe_path.c_str(), 0600), 0);
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  if (child == 0) {
    const int errors = open((folder / "errors").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(errors, STDERR_FILENO);
    CatchStopSignals();
    BlockingCall blocking;
    // No stop before the helper is known and has the default action.
    sigset_t term;
    sigemptyset(&term);
    sigaddset(&term, SIGTERM);
    sigprocmask(SIG_BLOCK, &term, nullptr);
    const pid_t helper = fork();
    if (helper == 0) {
      ReleaseStopSignals();
      sigprocmask(SIG_UNBLOCK, &term, nullptr);
      for (int fd = 0; fd < 3; ++fd) close(fd);
      for (;;) pause();
    }
    ForwardStopTo(helper);
    const std::string text = std::to_string(helper) + "\n";
    (void)!write(ready[1], text.data(), text.size());
    sigprocmask(SIG_UNBLOCK, &term, nullptr);
    open(pipe_path.c_str(), O_RDONLY);  // blocks: no writer
    _exit(3);
  }
  close(ready[1]);
  char buffer[32] = {};
  ASSERT_GT(read(ready[0], buffer, sizeof buffer - 1), 0);
  close(ready[0]);
  const pid_t helper = static_cast<pid_t>(std::atol(buffer));
  kill(child, SIGTERM);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(ReadBytes(folder / "errors"), "murva32: stopped (Terminated)\n");
  // The helper was handed the stop (it is nobody's child to wait for now).
  EXPECT_TRUE(testing::Ends(helper));
}

// TZ names a named pipe, then a zone file at the same place: UTC stands in
// until the file is a regular one, and TZ is as it was again.
TEST(TimeZoneFile, ANamedPipeInItsPlaceIsNeverReadAndUtcStandsIn) {
  TempFolder folder;
  const fs::path zone = folder / "zone";
  ASSERT_EQ(mkfifo(zone.c_str(), 0600), 0);
  const char* before = std::getenv("TZ");
  const std::string kept = before ? before : "";
  const std::string setting = ":" + zone.string();
  setenv("TZ", setting.c_str(), 1);
  EXPECT_FALSE(LoadTimeZone());
  EXPECT_STREQ(std::getenv("TZ"), "UTC0");
  // The watch still looks at the file TZ named.
  EXPECT_EQ(ZoneFiles([](const std::string& name) {
              const char* value = std::getenv(name.c_str());
              return std::string(value ? value : "");
            }),
            std::vector<fs::path>{zone});
  fs::remove(zone);
  fs::copy_file("/usr/share/zoneinfo/Etc/GMT+5", zone);
  EXPECT_TRUE(ReloadTimeZone());
  EXPECT_EQ(std::getenv("TZ"), setting);
  const std::time_t noon = 12 * 3600;
  std::tm local{};
  localtime_r(&noon, &local);
  EXPECT_EQ(local.tm_hour, 7);
  if (before) {
    setenv("TZ", kept.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

}  // namespace
}  // namespace murva
