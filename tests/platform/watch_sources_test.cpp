// The event sources of the resident mode, for real: the real-time alarm, the
// time-zone file watch, the watch on the single-instance lock, the display
// connection and the stop signals.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>

#include "platform/display_connection_watch.h"
#include "platform/instance_lock.h"
#include "platform/instance_release_watch.h"
#include "platform/real_time_alarm.h"
#include "platform/stop_signals.h"
#include "platform/time_zone_watch.h"
#include "scoped_environment.h"
#include "support/temp_folder.h"
#include "support/xvfb_server.h"

namespace murva {
namespace {

using testing::Environment;
using testing::TempFolder;

// Whether the descriptor becomes readable within the time (milliseconds).
bool Readable(int fd, int milliseconds) {
  pollfd entry{fd, POLLIN, 0};
  int result;
  do {
    result = ::poll(&entry, 1, milliseconds);
  } while (result < 0 && errno == EINTR);
  return result == 1 && (entry.revents & (POLLIN | POLLHUP | POLLERR));
}

std::int64_t WallClockNow() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return now.tv_sec;
}

TEST(RealTimeAlarm, AnAlarmASecondAheadFiresAndAPastOneFiresAtOnce) {
  RealTimeAlarm alarm;
  ASSERT_TRUE(alarm.Valid());
  const std::int64_t instant = WallClockNow() + 1;
  ASSERT_TRUE(alarm.Arm(instant));
  EXPECT_EQ(alarm.ArmedFor(), instant);
  EXPECT_EQ(alarm.Take(), RealTimeAlarm::Event::kNone);
  ASSERT_TRUE(Readable(alarm.Fd(), 5000));
  EXPECT_GE(WallClockNow(), instant);
  EXPECT_EQ(alarm.Take(), RealTimeAlarm::Event::kFired);
  EXPECT_FALSE(alarm.ArmedFor().has_value());
  EXPECT_FALSE(Readable(alarm.Fd(), 0));

  ASSERT_TRUE(alarm.Arm(WallClockNow() - 3600));
  ASSERT_TRUE(Readable(alarm.Fd(), 1000));
  EXPECT_EQ(alarm.Take(), RealTimeAlarm::Event::kFired);

  alarm.Arm(WallClockNow() + 3600);
  alarm.Disarm();
  EXPECT_FALSE(alarm.ArmedFor().has_value());
}

// The clock of the machine is not the test's to set: the kernel's record of
// the timer shows it armed absolute and cancelled by a clock change, and a
// read failing with ECANCELED (what the kernel answers after a change) is
// taken as one.
TEST(RealTimeAlarm, IsCancelledWhenTheClockIsSet) {
  RealTimeAlarm alarm;
  ASSERT_TRUE(alarm.Arm(WallClockNow() + 86400));
  std::ifstream info("/proc/self/fdinfo/" + std::to_string(alarm.Fd()));
  std::stringstream text;
  text << info.rdbuf();
  // TFD_TIMER_ABSTIME (1) | TFD_TIMER_CANCEL_ON_SET (2), printed in octal.
  EXPECT_NE(text.str().find("settime flags: 03"), std::string::npos) << text.str();
  EXPECT_NE(text.str().find("clockid: 0"), std::string::npos) << text.str();  // CLOCK_REALTIME

  EXPECT_EQ(RealTimeAlarm::EventOfRead(-1, ECANCELED), RealTimeAlarm::Event::kClockSet);
  EXPECT_EQ(RealTimeAlarm::EventOfRead(8, 0), RealTimeAlarm::Event::kFired);
  EXPECT_EQ(RealTimeAlarm::EventOfRead(-1, EAGAIN), RealTimeAlarm::Event::kNone);
}

TEST(TimeZoneWatch, TheZoneFilesFollowTz) {
  using Files = std::vector<std::filesystem::path>;
  EXPECT_EQ(ZoneFiles(Environment({})), (Files{"/etc/localtime", "/etc/timezone"}));
  EXPECT_EQ(ZoneFiles(Environment({{"TZ", ":/srv/zone"}})), (Files{"/srv/zone"}));
  EXPECT_EQ(ZoneFiles(Environment({{"TZ", "/srv/zone"}})), (Files{"/srv/zone"}));
  EXPECT_EQ(ZoneFiles(Environment({{"TZ", "Asia/Tokyo"}})),
            (Files{"/usr/share/zoneinfo/Asia/Tokyo"}));
  EXPECT_EQ(ZoneFiles(Environment({{"TZ", ":Asia/Tokyo"}, {"TZDIR", "/usr/share/zoneinfo"}})),
            (Files{"/usr/share/zoneinfo/Asia/Tokyo"}));
  EXPECT_EQ(ZoneFiles(Environment({{"TZ", "JST-9"}})), Files{});
  EXPECT_EQ(ZoneFiles(Environment({{"TZ", "../../etc/passwd"}})), Files{});
}

long UtcOffsetNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_gmtoff;
}

// A zone file replaced as timedatectl replaces /etc/localtime: a new file
// renamed over the old one. The watch sees it, an unrelated file beside it
// is no change, and the C library then reads the new zone.
TEST(TimeZoneWatch, AReplacedZoneFileIsNoticedAndReadAgain) {
  TempFolder folder;
  const auto zone = folder / "localtime";
  std::filesystem::copy_file("/usr/share/zoneinfo/Asia/Tokyo", zone);
  testing::ScopedEnvironment environment;
  environment.Set("TZ", ":" + zone.string());
  ReloadTimeZone();
  EXPECT_EQ(UtcOffsetNow(), 9 * 3600);

  TimeZoneWatch watch(ZoneFiles(ProcessEnvironment()));
  ASSERT_TRUE(watch.Valid());
  testing::WriteBytes(folder / "unrelated", "x");
  ASSERT_TRUE(Readable(watch.Fd(), 1000));
  EXPECT_FALSE(watch.TakeChanged());

  std::filesystem::copy_file("/usr/share/zoneinfo/Etc/GMT+5", folder / "localtime.new");
  std::filesystem::rename(folder / "localtime.new", zone);
  ASSERT_TRUE(Readable(watch.Fd(), 1000));
  EXPECT_TRUE(watch.TakeChanged());
  EXPECT_FALSE(Readable(watch.Fd(), 0));
  // Without the reload the C library keeps the zone it read.
  tzset();
  EXPECT_EQ(UtcOffsetNow(), 9 * 3600);
  ReloadTimeZone();
  EXPECT_EQ(UtcOffsetNow(), -5 * 3600);

  // Rewritten in place.
  testing::WriteBytes(zone, testing::ReadBytes("/usr/share/zoneinfo/Asia/Kolkata"));
  ASSERT_TRUE(Readable(watch.Fd(), 1000));
  EXPECT_TRUE(watch.TakeChanged());
  ReloadTimeZone();
  EXPECT_EQ(UtcOffsetNow(), 5 * 3600 + 1800);
  environment.Unset("TZ");
  ReloadTimeZone();
}

TEST(InstanceReleaseWatch, TellsWhetherAnInstanceRunsAndWhenItEnds) {
  TempFolder folder;
  const auto lock_file = folder / "Murva32";
  InstanceReleaseWatch watch(lock_file);
  ASSERT_GE(watch.Fd(), 0);
  EXPECT_FALSE(watch.Busy());
  // The probe leaves the lock free and reports nothing of its own.
  EXPECT_FALSE(Readable(watch.Fd(), 0));

  std::optional<InstanceLock> control_panel = InstanceLock::Acquire(lock_file);
  ASSERT_TRUE(control_panel.has_value());
  EXPECT_TRUE(watch.Busy());
  // A second start is refused; its own close is reported too (the watcher
  // then finds the lock still held).
  EXPECT_FALSE(InstanceLock::Acquire(lock_file).has_value());
  ASSERT_TRUE(Readable(watch.Fd(), 1000));
  EXPECT_TRUE(watch.TakeReleased());
  EXPECT_TRUE(watch.Busy());

  control_panel.reset();
  ASSERT_TRUE(Readable(watch.Fd(), 1000));
  EXPECT_TRUE(watch.TakeReleased());
  EXPECT_FALSE(watch.Busy());
  EXPECT_TRUE(InstanceLock::Acquire(lock_file).has_value());
}

TEST(InstanceLock, OtherLocksLiveBesideTheInstanceLock) {
  testing::ScopedEnvironment environment;
  TempFolder folder;
  environment.Set("XDG_RUNTIME_DIR", folder.Path().string());
  EXPECT_EQ(InstanceLock::DefaultLockFile(), folder / "Murva32");
  EXPECT_EQ(InstanceLock::LockFileNamed("Murva32-watch"), folder / "Murva32-watch");
  environment.Unset("XDG_RUNTIME_DIR");
  EXPECT_EQ(InstanceLock::LockFileNamed("Murva32-watch"),
            "/tmp/Murva32-watch-" + std::to_string(getuid()));
}

TEST(DisplayConnectionWatch, TheEndOfTheXServerEndsTheWatch) {
  auto server = std::make_unique<testing::XvfbServer>();
  ASSERT_TRUE(server->Running());
  DisplayConnectionWatch watch(Environment({{"DISPLAY", server->Display()}}));
  ASSERT_TRUE(watch.Valid());
  EXPECT_EQ(watch.Name(), server->Display());
  EXPECT_FALSE(watch.Ended());
  server.reset();
  ASSERT_TRUE(Readable(watch.Fd(), 10000));
  EXPECT_TRUE(watch.Ended());
}

TEST(DisplayConnectionWatch, TheEndOfTheWaylandCompositorEndsTheWatch) {
  TempFolder folder;
  // A compositor's socket that accepts and stays silent, as one does until
  // its client speaks.
  const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string path = (folder / "wayland-7").string();
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 4), 0);

  // Wayland is preferred over an X server that may come and go with it.
  DisplayConnectionWatch watch(Environment(
      {{"WAYLAND_DISPLAY", "wayland-7"}, {"XDG_RUNTIME_DIR", folder.Path().string()}, {"DISPLAY", ":99"}}));
  ASSERT_TRUE(watch.Valid());
  EXPECT_EQ(watch.Name(), "wayland-7");
  const int client = ::accept(listener, nullptr, nullptr);
  ASSERT_GE(client, 0);
  EXPECT_FALSE(Readable(watch.Fd(), 0));
  EXPECT_FALSE(watch.Ended());
  ::close(client);
  ::close(listener);
  ASSERT_TRUE(Readable(watch.Fd(), 1000));
  EXPECT_TRUE(watch.Ended());

  EXPECT_FALSE(DisplayConnectionWatch(Environment({})).Valid());
  EXPECT_FALSE(DisplayConnectionWatch(Environment({{"WAYLAND_DISPLAY", "wayland-none"},
                                                   {"XDG_RUNTIME_DIR", folder.Path().string()}}))
                   .Valid());
}

TEST(StopSignals, ASignalBecomesAReadableDescriptor) {
  const int fd = CatchStopSignals();
  ASSERT_GE(fd, 0);
  EXPECT_EQ(TakeStopSignal(fd), 0);
  ::raise(SIGHUP);
  ASSERT_TRUE(Readable(fd, 1000));
  EXPECT_EQ(TakeStopSignal(fd), SIGHUP);
  ::raise(SIGTERM);
  ::raise(SIGINT);
  EXPECT_EQ(TakeStopSignal(fd), SIGINT);
  EXPECT_FALSE(Readable(fd, 0));
  ReleaseStopSignals();
  struct sigaction action {};
  sigaction(SIGTERM, nullptr, &action);
  EXPECT_EQ(action.sa_handler, SIG_DFL);
}

}  // namespace
}  // namespace murva
