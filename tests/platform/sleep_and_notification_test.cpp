// The resident mode's D-Bus services, for real on private buses: logind's
// sleep signal on a bus standing in for the system bus, and notices to a
// stand-in notification server on a private session bus.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <chrono>
#include <functional>
#include <thread>

#include "platform/desktop_notification.h"
#include "platform/sleep_signal.h"
#include "private_session_bus.h"
#include "support/core_application.h"
#include "support/temp_folder.h"

namespace murva {
namespace {

using testing::TempFolder;

// The signals of a bus connection arrive through an event loop.
QCoreApplication& Application() { return testing::CoreApplication(); }

bool WaitFor(const std::function<bool()>& done, int milliseconds = 10000) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  return true;
}

// A connection to the stand-in system bus that may own logind's name and
// sends its sleep signal.
class FakeLogind {
 public:
  FakeLogind(const std::string& address, bool own_name)
      : bus_(QDBusConnection::connectToBus(QString::fromStdString(address), "fake-logind")) {
    if (own_name) owns_ = bus_.registerService("org.freedesktop.login1");
  }
  ~FakeLogind() { QDBusConnection::disconnectFromBus("fake-logind"); }
  bool Owns() const { return owns_; }
  void PrepareForSleep(bool starting) {
    QDBusMessage signal = QDBusMessage::createSignal(
        "/org/freedesktop/login1", "org.freedesktop.login1.Manager", "PrepareForSleep");
    signal << starting;
    bus_.send(signal);
  }

 private:
  QDBusConnection bus_;
  bool owns_ = false;
};

TEST(SleepSignal, LogindsSignalTellsOfTheSleepAndTheWake) {
  Application();
  testing::PrivateSystemBus system_bus;
  ASSERT_TRUE(system_bus.Running());
  SleepSignal sleep;
  int resumed = 0;
  int suspending = 0;
  QObject::connect(&sleep, &SleepSignal::Resumed, [&] { ++resumed; });
  QObject::connect(&sleep, &SleepSignal::Suspending, [&] { ++suspending; });
  // Listening before logind has taken its name, as at an early start.
  ASSERT_TRUE(sleep.Listen()) << sleep.Problem().toStdString();
  EXPECT_TRUE(sleep.Listening());

  {
    // Anybody else's signal of the same name is not logind's.
    FakeLogind impostor(system_bus.Address(), false);
    impostor.PrepareForSleep(false);
  }
  FakeLogind logind(system_bus.Address(), true);
  ASSERT_TRUE(logind.Owns());
  logind.PrepareForSleep(true);
  ASSERT_TRUE(WaitFor([&] { return suspending == 1; }));
  EXPECT_EQ(resumed, 0);  // the impostor's came before and was not taken
  logind.PrepareForSleep(false);
  ASSERT_TRUE(WaitFor([&] { return resumed == 1; }));
  EXPECT_EQ(suspending, 1);
  // Still listening: nothing to do.
  EXPECT_TRUE(sleep.Listen());
}

TEST(SleepSignal, WithoutASystemBusItSaysWhy) {
  Application();
  TempFolder folder;
  testing::ScopedEnvironment environment;
  environment.Set("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + (folder / "no-bus").string());
  SleepSignal sleep;
  EXPECT_FALSE(sleep.Listen());
  EXPECT_FALSE(sleep.Listening());
  EXPECT_FALSE(sleep.Problem().isEmpty());
}

TEST(DesktopNotification, ANoticeReachesTheNotificationServer) {
  Application();
  TempFolder folder;
  testing::PrivateSessionBus session(folder.Path());
  ASSERT_TRUE(session.Running());
  std::string error;
  // No server yet: false, with the bus's reason.
  EXPECT_FALSE(ShowDesktopNotification("MURVA32", "text", error));
  EXPECT_NE(error.find("ServiceUnknown"), std::string::npos) << error;

  const auto record = folder / "notices";
  QProcess server;
  server.start(MURVA_FAKE_NOTIFICATIONS, {QString::fromStdString(record.string())});
  ASSERT_TRUE(server.waitForStarted(10000));
  while (!server.canReadLine() && server.state() == QProcess::Running) server.waitForReadyRead(1000);
  ASSERT_EQ(server.readLine().trimmed(), "ready");

  EXPECT_TRUE(ShowDesktopNotification("MURVA32", "指定された壁紙 [ /a<b>&c ] がありません\rもう一行", error))
      << error;
  EXPECT_EQ(testing::ReadBytes(record),
            "MURVA32\nMURVA32\n指定された壁紙 [ /a&lt;b&gt;&amp;c ] がありません\nもう一行\n\n--end--\n");
  server.terminate();
  server.waitForFinished(10000);
}

TEST(DesktopNotification, TheBodyKeepsItsLinesAndShowsMarkupCharacters) {
  EXPECT_EQ(NotificationBody("a\r\nb\rc\nd"), "a\nb\nc\nd");
  EXPECT_EQ(NotificationBody("<i>&"), "&lt;i&gt;&amp;");
}

}  // namespace
}  // namespace murva
