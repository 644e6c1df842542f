// The resident mode for real: "murva32 -E --watch" on the virtual X server,
// a private bus standing in for the system bus with a stand-in logind on it,
// and a faked date that libfaketime reads from a file at every call. A wake
// on the same day builds nothing; a wake after the date has moved on builds
// the new day's wallpaper, with the new today mark.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QImage>
#include <chrono>
#include <functional>
#include <thread>

#include "calendar/calendar_ex1.h"
#include "calendar/clock.h"
#include "calendar/random_source.h"
#include "platform/private_session_bus.h"
#include "program_runner.h"
#include "render/calendar_drawing.h"
#include "render/qt_canvas.h"
#include "render/today_fields.h"
#include "settings/settings_store.h"
#include "shared_display.h"
#include "support/faked_clock.h"
#include "support/temp_folder.h"
#include "support/wait_for.h"

namespace murva {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

using testing::WaitFor;

// logind on the stand-in system bus: it owns its name and sends the signal.
class FakeLogind {
 public:
  explicit FakeLogind(const std::string& address)
      : bus_(QDBusConnection::connectToBus(QString::fromStdString(address), "e2e-logind")),
        owns_(bus_.registerService("org.freedesktop.login1")) {}
  ~FakeLogind() { QDBusConnection::disconnectFromBus("e2e-logind"); }
  bool Owns() const { return owns_; }
  void Resume() {
    QDBusMessage signal = QDBusMessage::createSignal(
        "/org/freedesktop/login1", "org.freedesktop.login1.Manager", "PrepareForSleep");
    signal << false;
    bus_.send(signal);
  }

 private:
  QDBusConnection bus_;
  bool owns_;
};

class ResidentModeTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server_->Running()) << "Xvfb did not start"; }
  void TearDown() override {
    for (const pid_t pid : launched_) {
      if (waitpid(pid, nullptr, WNOHANG) != 0) continue;  // ended and reaped
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  }

  // The faked wall clock, standing still at the given time until changed.
  void SetDate(const std::string& date) { WriteBytes(folder_ / "faketime", date + "\n"); }

  // Starts the program with its standard error going to a file.
  pid_t Launch(const std::vector<std::string>& arguments, const std::string& errors = "stderr.txt") {
    const std::string program = std::string(MURVA_TEST_BIN_DIR) + "/murva32";
    std::filesystem::create_directories(folder_ / "run");
    std::filesystem::permissions(folder_ / "run", std::filesystem::perms::owner_all);
    const pid_t pid = fork();
    if (pid == 0) {
      setenv("DISPLAY", server_->Display().c_str(), 1);
      setenv("MURVA32_HOME", folder_.Path().c_str(), 1);
      setenv("XDG_RUNTIME_DIR", (folder_ / "run").c_str(), 1);
      setenv("HOME", folder_.Path().c_str(), 1);
      setenv("QT_QPA_PLATFORM", "xcb", 1);
      // libfaketime reads the date from the file at every call; Qt's timers
      // keep the real monotonic clock.
      setenv("LD_PRELOAD", testing::kFakeTimeLibrary, 1);
      setenv("FAKETIME_TIMESTAMP_FILE", (folder_ / "faketime").c_str(), 1);
      setenv("FAKETIME_NO_CACHE", "1", 1);
      setenv("FAKETIME_DONT_FAKE_MONOTONIC", "1", 1);
      for (const char* name : {"FAKETIME", "FAKETIME_SHARED", "XDG_CURRENT_DESKTOP",
                               "XDG_SESSION_DESKTOP", "DESKTOP_SESSION", "GDMSESSION",
                               "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "TZ"}) {
        unsetenv(name);
      }
      testing::ExecProgram(program, arguments, folder_ / errors);
    }
    launched_.push_back(pid);
    return pid;
  }

  // A background of the screen's size and settings that build on it with
  // the box form; returns the output file.
  std::filesystem::path Prepare(QImage& background) {
    background = QImage(1024, 768, QImage::Format_RGB32);
    background.fill(QColor(30, 40, 70));
    const auto picture = folder_ / "pictures" / "back.bmp";
    std::filesystem::create_directories(picture.parent_path());
    background.save(QString::fromStdString(picture.string()), "BMP");
    testing::ProgramRunner(folder_.Path(), "", "").WriteSettings(
        {"EditPathW1=" + picture.string(), "CalenAlWay=0", "CalendStyl=1", "CalendWX11=120",
         "CalendWY11=200"});
    return picture.parent_path() / "MURVA00.BMP";
  }

  // Whether some process holds the program's single-instance lock.
  bool InstanceRunning() const {
    const int fd = open((folder_ / "run" / "Murva32").c_str(), O_RDWR);
    if (fd < 0) return false;
    const bool held = flock(fd, LOCK_EX | LOCK_NB) != 0;
    if (!held) flock(fd, LOCK_UN);
    close(fd);
    return held;
  }

  std::string Log() const { return ReadBytes(folder_ / "stderr.txt"); }
  bool Logged(const std::string& line) const { return Log().find("murva32: " + line + "\n") != std::string::npos; }
  std::string Ini() const { return ReadBytes(folder_ / "MURVA32.INI"); }

  // The wallpaper of a day as the build draws it, made in-process from the
  // same settings.
  QImage Expected(const QImage& background, int year, int month, int day) const {
    SettingsStore store(folder_ / "MURVA32.INI");
    WorkingCopy copy;
    SilentSettingsHost host;
    TodayFields today = TodayFields::Of(year, month, day);
    store.LoadSetChoice(copy);
    store.LoadGeneralSettings(copy, today.TodayText(), host);
    SettingsStore::InitControlState(copy, 1024, 768);
    store.LoadPageSettings(copy);
    FixedClock clock({year, month, day, 12, 0, 0});
    auto engine = MakeCalendarEx1(clock);
    engine->Today();
    SeededRandom random(1);
    QImage drawn = background.copy();
    QtCanvas canvas(drawn);
    DrawCalendars(canvas, *engine, copy, today, random, [](const std::string&) {});
    return drawn;
  }

  testing::XvfbServer* server_ = &testing::SharedDisplay();
  TempFolder folder_;
  std::vector<pid_t> launched_;
};

int DifferentPixels(const QImage& a, const QImage& b) {
  int different = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) different += (a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF);
  }
  return different;
}

TEST_F(ResidentModeTest, AWakeOnANewDayBuildsItsWallpaperAndOnTheSameDayNothing) {
  testing::PrivateSystemBus system_bus;
  ASSERT_TRUE(system_bus.Running());
  QImage background;
  const auto output = Prepare(background);

  // 1. The start: the automatic run of 2031-03-31 (a Monday, the last day
  //    of a month).
  SetDate("2031-03-31 12:00:00");
  const pid_t resident = Launch({"-E", "--watch"});
  ASSERT_TRUE(WaitFor([&] { return Logged("the automatic run for 2031/03/31 has ended"); })) << Log();
  EXPECT_TRUE(Logged("automatic run for 2031/03/31 (start)")) << Log();
  EXPECT_NE(Ini().find("CalMakeDay=2031/03/31\r\n"), std::string::npos);
  const QImage first(QString::fromStdString(output.string()));
  ASSERT_EQ(first.size(), QSize(1024, 768));
  EXPECT_EQ(DifferentPixels(first, Expected(background, 2031, 3, 31)), 0);
  std::filesystem::create_directories(MURVA_TEST_ARTEFACT_DIR);
  first.save(MURVA_TEST_ARTEFACT_DIR "/resident-2031-03-31.png");

  // 2. A wake on the same day: nothing is built or written.
  FakeLogind logind(system_bus.Address());
  ASSERT_TRUE(logind.Owns());
  const std::string settings_before = Ini();
  const std::string picture_before = ReadBytes(output);
  logind.Resume();
  ASSERT_TRUE(WaitFor([&] { return Logged("woke up; the wallpaper of 2031/03/31 is current"); }))
      << Log();
  EXPECT_EQ(Ini(), settings_before);
  EXPECT_EQ(ReadBytes(output), picture_before);

  // 3. The night passed in suspend: the date moves on, then the wake.
  SetDate("2031-04-01 07:00:00");
  logind.Resume();
  ASSERT_TRUE(WaitFor([&] { return Logged("the automatic run for 2031/04/01 has ended"); })) << Log();
  EXPECT_TRUE(Logged("automatic run for 2031/04/01 (wake from suspend)")) << Log();
  EXPECT_NE(Ini().find("CalMakeDay=2031/04/01\r\n"), std::string::npos);
  const QImage second(QString::fromStdString(output.string()));
  ASSERT_EQ(second.size(), QSize(1024, 768));
  EXPECT_GT(DifferentPixels(first, second), 0);
  EXPECT_EQ(DifferentPixels(second, Expected(background, 2031, 4, 1)), 0);
  second.save(MURVA_TEST_ARTEFACT_DIR "/resident-2031-04-01.png");

  // 4. SIGTERM ends it at once, leaving nothing half-written behind.
  kill(resident, SIGTERM);
  int status = 0;
  ASSERT_TRUE(WaitFor([&] { return waitpid(resident, &status, WNOHANG) == resident; },
                      std::chrono::seconds(10)));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << Log();
  EXPECT_TRUE(Logged("stopped (Terminated)")) << Log();
  for (const auto& entry : std::filesystem::directory_iterator(output.parent_path())) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "back.bmp" || name == "MURVA00.BMP") << name;
  }
}

// The control panel open when a run falls due: the resident process does not
// hold the panel back and makes no run while it is open; the run follows as
// soon as the panel closes.
TEST_F(ResidentModeTest, ARunDueWhileTheControlPanelIsOpenFollowsWhenItCloses) {
  QImage background;
  const auto output = Prepare(background);
  SetDate("2031-03-31 12:00:00");
  const pid_t panel = Launch({}, "panel.txt");
  ASSERT_TRUE(WaitFor([&] { return InstanceRunning(); })) << ReadBytes(folder_ / "panel.txt");

  Launch({"-E", "--watch"});
  ASSERT_TRUE(WaitFor([&] {
    return Logged("another MURVA32 is running; the automatic run for 2031/03/31 waits until it ends");
  })) << Log();
  EXPECT_FALSE(std::filesystem::exists(output));
  EXPECT_TRUE(InstanceRunning());  // the panel still runs, undisturbed

  kill(panel, SIGTERM);
  waitpid(panel, nullptr, 0);
  ASSERT_TRUE(WaitFor([&] { return Logged("the automatic run for 2031/03/31 has ended"); })) << Log();
  // The run that waited is the start's automatic run.
  EXPECT_TRUE(Logged("automatic run for 2031/03/31 (start)")) << Log();
  EXPECT_EQ(DifferentPixels(QImage(QString::fromStdString(output.string())),
                            Expected(background, 2031, 3, 31)),
            0);
}

}  // namespace
}  // namespace murva
