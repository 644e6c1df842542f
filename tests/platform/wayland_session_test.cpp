// Monitors, session facts and monitor changes on real Wayland compositors:
// sway headless (as an unprivileged user), a sway session nested in another
// (whose outputs can be unplugged), and weston headless. Each test starts
// its session once and goes through its cases on it.
#include <gtest/gtest.h>

#include <functional>

#include "monitor_test_support.h"
#include "platform/monitor_change_watch.h"
#include "platform/monitor_layout.h"
#include "platform/session_facts.h"
#include "scoped_environment.h"
#include "support/sway_session.h"
#include "support/weston_session.h"

namespace murva {
namespace {

using testing::SwayOptions;
using testing::SwaySession;
using testing::WestonOptions;
using testing::WestonSession;

// Only what a session's own programs find: the socket, not the variables
// that name the desktop.
EnvironmentLookup SocketOnly(const testing::DesktopSession& session) {
  return testing::Environment({{"WAYLAND_DISPLAY", session.WaylandDisplay()},
                               {"XDG_RUNTIME_DIR", session.RuntimeFolder().string()}});
}

// The layout as sway itself reports it (swaymsg -t get_outputs).
MonitorLayout AsSwayReports(const QJsonArray& outputs) {
  MonitorLayout layout;
  for (const auto& value : outputs) {
    const QJsonObject output = value.toObject();
    if (!output.value("active").toBool()) continue;
    const QJsonObject rect = output.value("rect").toObject();
    const QJsonObject mode = output.value("current_mode").toObject();
    int width = mode.value("width").toInt(), height = mode.value("height").toInt();
    const QString transform = output.value("transform").toString();
    if (transform.endsWith("90") || transform.endsWith("270")) std::swap(width, height);
    layout.push_back(MakeMonitor(output.value("name").toString().toStdString(),
                                 {rect.value("x").toInt(), rect.value("y").toInt(),
                                  rect.value("width").toInt(), rect.value("height").toInt()},
                                 width, height, output.value("scale").toDouble(), false));
  }
  ArrangeMonitorLayout(layout, -1);
  return layout;
}

TEST(SwayHeadless, EachOutputGivesItsPhysicalSizeAndScale) {
  SwaySession sway;
  ASSERT_TRUE(sway.Running()) << sway.Problem();
  ASSERT_EQ(sway.CreateOutput(), "HEADLESS-2");
  struct Case {
    const char* what;
    std::vector<std::string> commands;
    MonitorLayout expected;
  };
  const Case cases[] = {
      {"two sizes",
       {"output HEADLESS-1 mode 1920x1080 scale 1 pos 0 0",
        "output HEADLESS-2 mode 1280x1024 scale 1 pos 1920 0"},
       {MakeMonitor("HEADLESS-1", {0, 0, 1920, 1080}, 1920, 1080, 1.0, true),
        MakeMonitor("HEADLESS-2", {1920, 0, 1280, 1024}, 1280, 1024, 1.0, false)}},
      {"scale 1.5 and 2",
       {"output HEADLESS-1 mode 1920x1080 scale 1.5 pos 0 0",
        "output HEADLESS-2 mode 2560x1440 scale 2 pos 1280 0"},
       {MakeMonitor("HEADLESS-1", {0, 0, 1280, 720}, 1920, 1080, 1.5, true),
        MakeMonitor("HEADLESS-2", {1280, 0, 1280, 720}, 2560, 1440, 2.0, false)}},
      {"fractional 1.25, turned a quarter, the other to the left",
       {"output HEADLESS-1 mode 1366x768 scale 1.25 pos 0 0",
        "output HEADLESS-2 mode 1280x1024 scale 1 transform 90 pos -1024 0"},
       {MakeMonitor("HEADLESS-1", {0, 0, 1092, 614}, 1366, 768, 1.25, true),
        MakeMonitor("HEADLESS-2", {-1024, 0, 1024, 1280}, 1024, 1280, 1.0, false)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const std::string& command : c.commands) ASSERT_TRUE(sway.Command(command)) << command;
    const MonitorLayout found = DiscoverMonitors(sway.Environment());
    EXPECT_EQ(found, c.expected);
    EXPECT_EQ(found, AsSwayReports(sway.Outputs()));
    // The same through the socket alone, without the session's variables.
    EXPECT_EQ(WaylandMonitors(sway.WaylandSocket().string()), c.expected);
  }
}

TEST(SwayHeadless, TheSessionTilesAndLetsAWallpaperProgramDraw) {
  // Without and with Xwayland: the compositor is known by its process.
  for (const bool xwayland : {false, true}) {
    SCOPED_TRACE(xwayland ? "with Xwayland" : "without Xwayland");
    SwaySession sway(SwayOptions{.xwayland = xwayland});
    ASSERT_TRUE(sway.Running()) << sway.Problem();
    ASSERT_EQ(sway.X11Display().empty(), !xwayland);
    SessionFacts facts = DiscoverSession(SocketOnly(sway));
    EXPECT_EQ(facts.display, DisplayKind::kWayland);
    EXPECT_EQ(facts.compositor, "sway");
    EXPECT_TRUE(facts.layer_shell);
    EXPECT_TRUE(facts.tiling);
    EXPECT_FALSE(facts.can_minimise);
    EXPECT_FALSE(facts.window_placement);
    EXPECT_FALSE(facts.xwayland);  // no DISPLAY given
    EXPECT_FALSE(facts.notifications);
    facts = DiscoverSession(sway.Environment());
    EXPECT_EQ(facts.xwayland, xwayland);
    EXPECT_EQ(DescribeSession(facts),
              std::string("Wayland (sway), ") + (xwayland ? "Xwayland" : "no Xwayland") +
                  ", layer-shell, tiling, no minimise, no window placement, no notifications");
  }
}

TEST(SwayNested, TheWatchSeesOutputsComeAndGoAndChangeScale) {
  SwaySession parent;
  ASSERT_TRUE(parent.Running()) << parent.Problem();
  SwaySession sway(SwayOptions{.parent = &parent});
  ASSERT_TRUE(sway.Running()) << sway.Problem();
  MonitorChangeWatch watch(sway.Environment());
  ASSERT_TRUE(watch.Valid());
  // Each step starts from a watch that has told all it had to tell.
  const auto step = [&](const std::string& what, const std::function<bool()>& action) {
    SCOPED_TRACE(what);
    watch.TakeChange();
    ASSERT_TRUE(action());
    EXPECT_TRUE(WaitForChange(watch));
    EXPECT_EQ(DiscoverMonitors(sway.Environment()), AsSwayReports(sway.Outputs()));
  };
  std::string added;
  step("output added", [&] { return !(added = sway.CreateOutput()).empty(); });
  EXPECT_EQ(sway.OutputNames(), (std::set<std::string>{"WL-1", added}));
  step("whole scale", [&] { return sway.Command("output WL-1 scale 2"); });
  // 1.5 leaves the whole factor that wl_output tells at 2.
  step("fractional scale", [&] { return sway.Command("output WL-1 scale 1.5"); });
  EXPECT_EQ(DiscoverMonitors(sway.Environment()).front().scale, 1.5);
  step("output removed", [&] { return sway.UnplugOutput(added, parent); });
  const MonitorLayout left = DiscoverMonitors(sway.Environment());
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].name, "WL-1");
  EXPECT_TRUE(watch.Valid());
}

TEST(WestonHeadless, OneOutputAtAWholeScaleAndNoLayerShell) {
  WestonSession weston(WestonOptions{.width = 1280, .height = 720, .scale = 2});
  ASSERT_TRUE(weston.Running()) << weston.Problem();
  const MonitorLayout found = DiscoverMonitors(SocketOnly(weston));
  ASSERT_EQ(found.size(), 1u);
  // weston 10 names its headless output in wl_output (version 4).
  EXPECT_EQ(found[0], MakeMonitor("headless", {0, 0, 1280, 720}, 2560, 1440, 2.0, true));
  const SessionFacts facts = DiscoverSession(SocketOnly(weston));
  EXPECT_EQ(facts.display, DisplayKind::kWayland);
  EXPECT_EQ(facts.compositor, "weston");
  EXPECT_FALSE(facts.layer_shell);
  EXPECT_FALSE(facts.tiling);
  EXPECT_FALSE(facts.can_minimise);
  EXPECT_FALSE(facts.window_placement);
}

TEST(WaylandMonitors, NoCompositorGivesNothing) {
  EXPECT_TRUE(WaylandMonitors("/nonexistent/wayland-9").empty());
  EXPECT_TRUE(DiscoverMonitors(testing::Environment({})).empty());
  EXPECT_EQ(DiscoverSession(testing::Environment({})).display, DisplayKind::kNone);
  EXPECT_FALSE(MonitorChangeWatch(testing::Environment({})).Valid());
}

}  // namespace
}  // namespace murva
