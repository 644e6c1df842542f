// The resident mode and the signals it may meet, for real ("murva32 -E
// --watch" on the virtual X server, on a faked date): SIGPIPE leaves it
// running, SIGUSR1 builds at once though the day's wallpaper is built,
// SIGUSR2 stops it as SIGTERM does, with its message; and a named pipe where
// the zone file should be, from the start or put there while it runs, never
// holds it: SIGTERM still ends it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "program_runner.h"
#include "shared_display.h"
#include "support/temp_folder.h"
#include "support/wait_for.h"

namespace murva {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;

using testing::WaitFor;

class ResidentSignals : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_->Running()) << "Xvfb did not start";
    QImage background(1024, 768, QImage::Format_RGB32);
    background.fill(QColor(30, 40, 70));
    const fs::path picture = folder_ / "pictures" / "back.bmp";
    fs::create_directories(picture.parent_path());
    background.save(QString::fromStdString(picture.string()), "BMP");
    runner_.WriteSettings({"EditPathW1=" + picture.string(), "CalenAlWay=0", "CalendStyl=1"});
    output_ = picture.parent_path() / "MURVA00.BMP";
  }
  void TearDown() override {
    unsetenv("TZ");
    if (resident_ > 0 && waitpid(resident_, nullptr, WNOHANG) == 0) {
      kill(resident_, SIGKILL);
      waitpid(resident_, nullptr, 0);
    }
  }

  // "murva32 -E --watch" on the faked date or the real one, TZ as given
  // ("": unset).
  void Launch(const std::string& zone = "", bool fake_clock = true) {
    zone.empty() ? unsetenv("TZ") : setenv("TZ", zone.c_str(), 1);
    launcher_ = std::make_unique<testing::ProgramRunner>(
        folder_.Path(), server_->Display(), fake_clock ? "2031-03-31 12:00:00" : "");
    resident_ = launcher_->Launch({"-E", "--watch"});
  }

  std::string Log() const { return launcher_->Errors(); }
  int Logged(const std::string& line) const {
    const std::string log = Log();
    int count = 0;
    for (std::size_t at = 0; (at = log.find("murva32: " + line + "\n", at)) != std::string::npos; ++at) {
      ++count;
    }
    return count;
  }
  // Waits for the resident to end; its exit code, or -1.
  int Ended() {
    int status = 0;
    if (!WaitFor([&] { return waitpid(resident_, &status, WNOHANG) == resident_; })) return -1;
    resident_ = 0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  testing::XvfbServer* server_ = &testing::SharedDisplay();
  TempFolder folder_;
  testing::ProgramRunner runner_{folder_.Path(), "", ""};
  std::unique_ptr<testing::ProgramRunner> launcher_;
  fs::path output_;
  pid_t resident_ = 0;
};

TEST_F(ResidentSignals, SigpipeLeavesItRunningSigusr1BuildsNowSigusr2StopsIt) {
  Launch();
  const std::string ended = "the automatic run for 2031/03/31 has ended";
  ASSERT_TRUE(WaitFor([&] { return Logged(ended) == 1; })) << Log();
  ASSERT_TRUE(fs::exists(output_));
  fs::remove(output_);

  // The day's wallpaper is built; asked for, it is built again.
  kill(resident_, SIGPIPE);
  kill(resident_, SIGUSR1);
  ASSERT_TRUE(WaitFor([&] { return Logged(ended) == 2; })) << Log();
  EXPECT_EQ(Logged("automatic run for 2031/03/31 (asked for)"), 1) << Log();
  EXPECT_TRUE(fs::exists(output_));
  EXPECT_EQ(waitpid(resident_, nullptr, WNOHANG), 0);

  kill(resident_, SIGUSR2);
  EXPECT_EQ(Ended(), 0) << Log();
  EXPECT_EQ(Logged("stopped (User defined signal 2)"), 1) << Log();
}

// TZ names the zone file; a named pipe stands there from the start, or is
// put there while the resident runs.
struct ZonePipe {
  std::string when;
  bool from_the_start;
};

class ResidentZonePipe : public ResidentSignals, public ::testing::WithParamInterface<ZonePipe> {};

TEST_P(ResidentZonePipe, NeverHoldsItAndSigtermEndsIt) {
  const fs::path zone = folder_ / "zone";
  if (GetParam().from_the_start) {
    ASSERT_EQ(mkfifo(zone.c_str(), 0600), 0);
  } else {
    fs::copy_file("/usr/share/zoneinfo/Asia/Tokyo", zone);
  }
  // libfaketime converts its date with mktime, which reads the zone, as
  // soon as a library calls for the time at load: a pipe there from the
  // start would hold it before the program runs at all.
  Launch(":" + zone.string(), !GetParam().from_the_start);
  ASSERT_TRUE(WaitFor([&] { return Log().find("murva32: keeping the wallpaper current") != std::string::npos; }))
      << Log();
  if (!GetParam().from_the_start) {
    ASSERT_EQ(mkfifo((folder_ / "zone.new").c_str(), 0600), 0);
    fs::rename(folder_ / "zone.new", zone);
  }
  ASSERT_TRUE(WaitFor([&] {
    return Logged("the time-zone file is not a regular file: UTC stands in until it is one again") == 1;
  })) << Log();
  kill(resident_, SIGTERM);
  EXPECT_EQ(Ended(), 0) << Log();
  EXPECT_EQ(Logged("stopped (Terminated)"), 1) << Log();
}

INSTANTIATE_TEST_SUITE_P(FromTheStartOrLater, ResidentZonePipe,
                         ::testing::Values(ZonePipe{"from_the_start", true},
                                           ZonePipe{"while_it_runs", false}),
                         [](const auto& info) { return info.param.when; });

}  // namespace
}  // namespace murva
