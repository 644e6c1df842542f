// The real murva32 binary in a temporary program folder on a virtual X
// server of 1024x768, on a chosen date (libfaketime).
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <chrono>
#include <thread>

#include "program_runner.h"
#include "support/temp_folder.h"
#include "shared_display.h"
// Xlib after Qt: its macros clash with Qt's names.
#include "support/x11_desktop.h"
#include "support/x11_root_readback.h"

namespace murva {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

constexpr const char* kDate = "2026-05-03 08:00:00";  // a Sunday; the clock runs on from it
constexpr const char* kDateText = "2026/05/03";

class EndToEndTest : public ::testing::Test {
 protected:

  void SetUp() override { ASSERT_TRUE(server_->Running()) << "Xvfb did not start"; }

  testing::RunResult RunProgram(const std::vector<std::string>& arguments) {
    return runner_.Run(arguments);
  }
  void WriteSettings(const std::vector<std::string>& keys) { runner_.WriteSettings(keys); }

  std::filesystem::path MakeBackground(const std::string& name = "back.bmp",
                                       const char* format = "BMP") {
    QImage image(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) image.setPixel(x, y, qRgb(x < 320 ? 40 : 200, y < 240 ? 60 : 180, 90));
    }
    image.setPixel(0, 0, qRgb(255, 0, 255));
    const auto path = folder_ / "pictures" / name;
    std::filesystem::create_directories(path.parent_path());
    image.save(QString::fromStdString(path.string()), format);
    return path;
  }

  // Whether some process holds the program's single-instance lock.
  bool InstanceRunning() {
    const int fd = open((folder_ / "run" / "Murva32").c_str(), O_RDWR);
    if (fd < 0) return false;
    const bool held = flock(fd, LOCK_EX | LOCK_NB) != 0;
    if (!held) flock(fd, LOCK_UN);
    close(fd);
    return held;
  }

  testing::XvfbServer* server_ = &testing::SharedDisplay();
  TempFolder folder_;
  testing::ProgramRunner runner_{folder_.Path(), server_ ? server_->Display() : "", kDate};
};


TEST_F(EndToEndTest, AutomaticRunTilesWritesInstallsAndRecords) {
  const auto background = MakeBackground();
  WriteSettings({"EditPathW1=" + background.string(), "CalendTile=1", "CalenAlWay=0",
                 "CalendWX11=300", "CalendWY11=300"});
  const testing::RunResult run = RunProgram({"-E"});
  ASSERT_FALSE(run.timed_out) << run.errors;
  EXPECT_EQ(run.exit_code, 0) << run.errors;

  const auto output = background.parent_path() / "MURVA00.BMP";
  const QImage written(QString::fromStdString(output.string()));
  ASSERT_EQ(written.size(), QSize(1024, 768));
  const QRgb marker = qRgb(255, 0, 255);
  EXPECT_EQ(written.pixel(0, 0), marker);
  EXPECT_EQ(written.pixel(640, 0), marker);
  EXPECT_EQ(written.pixel(0, 480), marker);
  EXPECT_EQ(written.pixel(640, 480), marker);

  // The root window shows it, and keeps it after the program has ended.
  const testing::RootSample root =
      testing::SampleRoot(server_->Display(), {{0, 0}, {640, 480}, {1023, 767}, {10, 10}});
  ASSERT_TRUE(root.ok);
  EXPECT_NE(root.root_pmap, 0u);
  EXPECT_EQ(root.root_pmap, root.esetroot_pmap);
  EXPECT_EQ(root.pixel[0], 0xFF00FFUL);
  EXPECT_EQ(root.pixel[1], 0xFF00FFUL);
  EXPECT_EQ(root.pixel[2], 0xC8B45AUL);  // 200, 180, 90
  EXPECT_EQ(root.pixel[3], 0x283C5AUL);  // 40, 60, 90

  const std::string ini = ReadBytes(folder_ / "MURVA32.INI");
  EXPECT_NE(ini.find("CalWalUsed=1\r\n"), std::string::npos);
  EXPECT_NE(ini.find(std::string("CalMakeDay=") + kDateText + "\r\n"), std::string::npos);

  // A second automatic run the same day with always-build off writes nothing.
  const auto written_at = std::filesystem::last_write_time(output);
  const testing::RunResult second = RunProgram({"-E"});
  EXPECT_EQ(second.exit_code, 0) << second.errors;
  EXPECT_EQ(ReadBytes(folder_ / "MURVA32.INI"), ini);
  EXPECT_EQ(std::filesystem::last_write_time(output), written_at);
}

// Backgrounds other than BMP come through the shipped plug-ins.
TEST_F(EndToEndTest, PngAndJpegBackgroundsAreReadThroughThePlugIns) {
  for (const auto& [name, format] : {std::pair{"back.png", "PNG"}, std::pair{"back.jpg", "JPEG"}}) {
    SCOPED_TRACE(name);
    const auto background = MakeBackground(name, format);
    WriteSettings({"EditPathW1=" + background.string(), "CalendTile=1", "CalendWX11=300",
                   "CalendWY11=300"});
    const testing::RunResult run = RunProgram({"-E"});
    ASSERT_EQ(run.exit_code, 0) << run.errors;
    const auto output = background.parent_path() / "MURVA00.BMP";
    const QImage written(QString::fromStdString(output.string()));
    ASSERT_EQ(written.size(), QSize(1024, 768));
    // (360, 220) of the bottom-right tile: the top-right quarter's colour;
    // JPEG is lossy.
    const QRgb pixel = written.pixel(1000, 700);
    EXPECT_NEAR(qRed(pixel), 200, 6);
    EXPECT_NEAR(qGreen(pixel), 60, 6);
    EXPECT_NEAR(qBlue(pixel), 90, 6);
    std::filesystem::remove(output);
  }
}

TEST_F(EndToEndTest, SecondInstanceIsRefusedWhileOneRuns) {
  const auto background = MakeBackground();
  WriteSettings({"EditPathW1=" + background.string()});
  const pid_t first = runner_.Launch({});
  bool running = false;
  for (int i = 0; i < 400 && !running; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    running = InstanceRunning();
  }
  ASSERT_TRUE(running) << "the first instance did not come up";

  // The second start says so in a message box that waits for an answer (it
  // would close by itself after a while); the test answers it.
  const pid_t second_pid = runner_.Launch({"-E"});
  testing::X11Desktop desktop(server_->Display());
  Window notice = 0;
  EXPECT_TRUE(testing::WaitFor([&] { return (notice = desktop.FindDialog("MURVA32")) != 0; }))
      << desktop.Titles();
  if (notice) desktop.Close(notice);
  const testing::RunResult second = runner_.Wait(second_pid);
  EXPECT_FALSE(second.timed_out);
  EXPECT_EQ(second.exit_code, 0);
  EXPECT_NE(second.errors.find("ＭＵＲＶＡ３２は既に起動しています"), std::string::npos) << second.errors;
  EXPECT_FALSE(std::filesystem::exists(background.parent_path() / "MURVA00.BMP"));

  kill(-first, SIGTERM);
  runner_.Wait(first, std::chrono::seconds(10));
  // The lock goes with the last process of the group.
  bool released = false;
  for (int i = 0; i < 400 && !released; ++i) {
    released = !InstanceRunning();
    if (!released) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_TRUE(released);
}

TEST_F(EndToEndTest, SpecialProgramStartsOnASpecialDay) {
  const auto background = MakeBackground();
  const auto script = folder_ / "tools" / "celebrate.sh";
  WriteBytes(script, "#!/bin/sh\npwd > \"$1\"\n");
  chmod(script.c_str(), 0755);
  const auto marker = folder_ / "marker.txt";
  WriteSettings({"EditPathW1=" + background.string(), "UseSpclPro=1",
                 "SpecialPro=" + script.string() + " " + marker.string(), "CalenSpc05=3/"});
  const testing::RunResult run = RunProgram({"-E"});
  EXPECT_EQ(run.exit_code, 0) << run.errors;
  bool started = false;
  for (int i = 0; i < 400 && !started; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    started = !ReadBytes(marker).empty();
  }
  ASSERT_TRUE(started);
  EXPECT_EQ(ReadBytes(marker), (folder_ / "tools").string() + "\n");
}

TEST_F(EndToEndTest, NoSpecialProgramOnAnOrdinaryDay) {
  const auto background = MakeBackground();
  const auto script = folder_ / "tools" / "celebrate.sh";
  WriteBytes(script, "#!/bin/sh\ntouch \"$1\"\n");
  chmod(script.c_str(), 0755);
  const auto marker = folder_ / "marker.txt";
  WriteSettings({"EditPathW1=" + background.string(), "UseSpclPro=1",
                 "SpecialPro=" + script.string() + " " + marker.string(), "CalenSpc05=4/"});
  EXPECT_EQ(RunProgram({"-E"}).exit_code, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_FALSE(std::filesystem::exists(marker));
}

}  // namespace
}  // namespace murva
