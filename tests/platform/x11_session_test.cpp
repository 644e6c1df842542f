// Monitors, session facts and monitor changes on real X servers: Xorg with
// the dummy driver and several RandR outputs, Xvfb with and without a
// window manager; and the notification server on a private session bus.
// Each test starts its server once and goes through its cases on it.
#include <gtest/gtest.h>

#include "monitor_test_support.h"
#include "platform/monitor_change_watch.h"
#include "platform/monitor_layout.h"
#include "platform/session_facts.h"
#include "scoped_environment.h"
#include "support/multi_monitor_x_server.h"
#include "support/x11_desktop.h"
#include "support/xvfb_server.h"

namespace murva {
namespace {

using testing::Environment;
using testing::MultiMonitorXServer;
using testing::XMonitorSpec;

// A monitor whose pixels are its desktop's, as on X11.
Monitor MakeMonitor(std::string name, MonitorRect desktop, double scale, bool primary) {
  return murva::MakeMonitor(std::move(name), desktop, desktop.width, desktop.height, scale, primary);
}

// The X resource manager's text on the server, as a desktop sets it.
void SetResources(const std::string& display_name, const std::string& resources) {
  Display* display = XOpenDisplay(display_name.c_str());
  ASSERT_NE(display, nullptr);
  XChangeProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER, XA_STRING, 8,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(resources.data()),
                  static_cast<int>(resources.size()));
  XCloseDisplay(display);
}

TEST(MultiMonitorX11, RandROutputsAreTheMonitors) {
  if (geteuid() != 0) GTEST_SKIP() << "Xorg with the dummy driver needs the superuser";
  // DUMMY0 and DUMMY1 side by side, DUMMY2 below DUMMY0; DUMMY1 is primary.
  MultiMonitorXServer server({{1920, 1080}, {1280, 1024}, {1024, 768, 0, 1080}}, 1);
  ASSERT_TRUE(server.Running()) << server.Problem();
  const std::string display = server.Display();
  const auto layout = [](double dummy0, double dummy1, double dummy2) {
    return MonitorLayout{MakeMonitor("DUMMY1", {1920, 0, 1280, 1024}, dummy1, true),
                         MakeMonitor("DUMMY0", {0, 0, 1920, 1080}, dummy0, false),
                         MakeMonitor("DUMMY2", {0, 1080, 1024, 768}, dummy2, false)};
  };
  struct Case {
    std::string resources;
    std::map<std::string, std::string> environment;
    MonitorLayout expected;
  };
  const Case cases[] = {
      {"", {}, layout(1, 1, 1)},
      {"", {{"QT_SCREEN_SCALE_FACTORS", "DUMMY1=2;DUMMY0=1.25"}}, layout(1.25, 2, 1)},
      {"", {{"QT_SCREEN_SCALE_FACTORS", "1;1.5;2"}}, layout(1, 1.5, 2)},  // in RandR's order
      {"", {{"GDK_SCALE", "2"}}, layout(2, 2, 2)},
      {"Xft.dpi:\t144\n", {{"GDK_SCALE", "2"}}, layout(1.5, 1.5, 1.5)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.resources + (c.environment.empty() ? "" : c.environment.begin()->second));
    SetResources(display, c.resources);
    const MonitorLayout found = X11Monitors(display, Environment(c.environment));
    EXPECT_EQ(found, c.expected);
    auto variables = c.environment;
    variables["DISPLAY"] = display;
    EXPECT_EQ(DiscoverMonitors(Environment(variables)), c.expected);
  }
  SetResources(display, "");

  // A change of mode, an output switched off and on again, a new primary.
  MonitorChangeWatch watch(Environment({{"DISPLAY", display}}));
  ASSERT_TRUE(watch.Valid());
  EXPECT_FALSE(watch.TakeChange());
  ASSERT_TRUE(server.Light(2, "1280x1024", 0, 1080));
  EXPECT_TRUE(WaitForChange(watch)) << "mode changed";
  EXPECT_EQ(X11Monitors(display, Environment({}))[2],
            MakeMonitor("DUMMY2", {0, 1080, 1280, 1024}, 1, false));
  ASSERT_EQ(server.Xrandr({"--output", "DUMMY0", "--off"}), 0);
  EXPECT_TRUE(WaitForChange(watch)) << "output off";
  EXPECT_EQ(X11Monitors(display, Environment({})).size(), 2u);
  ASSERT_TRUE(server.Light(0, "1024x768", 0, 0));
  ASSERT_EQ(server.Xrandr({"--output", "DUMMY0", "--primary"}), 0);
  EXPECT_TRUE(WaitForChange(watch)) << "output on";
  const MonitorLayout found = X11Monitors(display, Environment({}));
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[0], MakeMonitor("DUMMY0", {0, 0, 1024, 768}, 1, true));
}

TEST(X11Session, AWindowManagerThatStacksMayMinimise) {
  testing::XvfbServer xvfb("1280x800x24");
  ASSERT_TRUE(xvfb.Running());
  const auto environment = Environment({{"DISPLAY", xvfb.Display()}});
  // The bare server: one monitor, no window manager.
  EXPECT_EQ(X11Monitors(xvfb.Display(), Environment({})),
            MonitorLayout{MakeMonitor("screen", {0, 0, 1280, 800}, 1, true)});
  SessionFacts facts = DiscoverSession(environment);
  EXPECT_EQ(facts.display, DisplayKind::kX11);
  EXPECT_EQ(facts.compositor, "");
  EXPECT_FALSE(facts.can_minimise);  // nothing to minimise to
  EXPECT_TRUE(facts.window_placement);
  EXPECT_FALSE(facts.tiling);
  EXPECT_FALSE(facts.layer_shell);
  EXPECT_FALSE(facts.xwayland);

  testing::WindowManager openbox(xvfb.Display());
  testing::X11Desktop desktop(xvfb.Display());
  ASSERT_TRUE(testing::WaitFor([&] { return desktop.ManagerRunning(); }));
  facts = DiscoverSession(environment);
  EXPECT_EQ(facts.compositor, "openbox");
  EXPECT_TRUE(facts.can_minimise);
  EXPECT_TRUE(facts.window_placement);
  EXPECT_FALSE(facts.tiling);
  EXPECT_EQ(DescribeSession(facts),
            "X11 (openbox), not tiling, minimise, window placement, no notifications");
  // The running window manager's own name counts before the session's
  // variables.
  EXPECT_EQ(DiscoverSession(Environment({{"DISPLAY", xvfb.Display()}, {"XDG_CURRENT_DESKTOP", "i3"}}))
                .compositor,
            "openbox");
}

// A program of the test's, started as the test's own user; its first line
// of output once it is ready.
std::unique_ptr<testing::SessionProcess> StartWithReadyLine(const std::vector<std::string>& command,
                                                            const std::string& bus_address,
                                                            std::string& line) {
  int output[2];
  if (::pipe2(output, O_CLOEXEC) != 0) return nullptr;
  const char* path = std::getenv("PATH");
  std::map<std::string, std::string> variables = {{"PATH", path ? path : "/usr/bin:/bin"}};
  if (!bus_address.empty()) variables["DBUS_SESSION_BUS_ADDRESS"] = bus_address;
  auto process = std::make_unique<testing::SessionProcess>(
      testing::SessionUser{geteuid(), getegid()},
      testing::ProcessSetup{command, variables, std::filesystem::temp_directory_path(), output[1]});
  ::close(output[1]);
  line = testing::ReadLine(output[0], std::chrono::seconds(20)).value_or("");
  ::close(output[0]);
  return process;
}

TEST(NotificationServer, ItsPresenceAndActionsAreSessionFacts) {
  // A private bus; no Qt event loop in this process, as in a run of the
  // program's own that asks before it has an application object.
  std::string address;
  const auto bus = StartWithReadyLine(
      {"dbus-daemon", "--session", "--nofork", "--print-address=1"}, "", address);
  ASSERT_FALSE(address.empty());
  const auto environment = Environment({{"DBUS_SESSION_BUS_ADDRESS", address}});
  struct Case {
    std::vector<std::string> capabilities;  // empty: no server
    bool notifications, actions;
  };
  const Case cases[] = {
      {{}, false, false},
      {{"body"}, true, false},
      {{"actions", "body", "persistence"}, true, true},
  };
  testing::TempFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.capabilities.size());
    std::unique_ptr<testing::SessionProcess> server;
    if (!c.capabilities.empty()) {
      std::vector<std::string> command = {MURVA_FAKE_NOTIFICATIONS, (folder / "notices").string()};
      command.insert(command.end(), c.capabilities.begin(), c.capabilities.end());
      std::string ready;
      server = StartWithReadyLine(command, address, ready);
      ASSERT_EQ(ready, "ready");
    }
    const SessionFacts facts = DiscoverSession(environment);
    EXPECT_EQ(facts.display, DisplayKind::kNone);
    EXPECT_EQ(facts.notifications, c.notifications);
    EXPECT_EQ(facts.notification_actions, c.actions);
  }
}

}  // namespace
}  // namespace murva
