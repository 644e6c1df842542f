// The decisions behind runs on several monitors and sessions: how a run
// shows itself, when the day is recorded, where positions land on a monitor
// of another size, which page each monitor shows and where the window opens.
#include <gtest/gtest.h>

#include "app/monitor_build.h"
#include "app/monitor_pages.h"
#include "app/position_mapping.h"
#include "app/run_presentation.h"
#include "app/window_placement.h"
#include "platform/monitor_test_support.h"

namespace murva {
namespace {

Monitor MonitorOf(std::string name, MonitorRect desktop, double scale = 1.0, bool primary = false) {
  return MakeMonitor(std::move(name), desktop, static_cast<int>(desktop.width * scale),
                     static_cast<int>(desktop.height * scale), scale, primary);
}

TEST(RunPresentation, WhichRunsShowAWindowAndHow) {
  struct Case {
    const char* what;
    RunRequest request;
    SessionAbilities session;
    bool window, minimise, floating, countdown, buttons, boxes;
  };
  const SessionAbilities x11{true, true, false, true, true};
  const SessionAbilities sway{true, false, true, true, true};
  const SessionAbilities weston{true, false, false, false, false};
  const SessionAbilities i3{true, false, true, true, false};
  const SessionAbilities none{};
  const Case cases[] = {
      {"panel", {false, false, false}, x11, true, false, false, false, false, true},
      {"panel on sway", {false, false, false}, sway, true, false, false, false, false, true},
      {"-E on X11", {true, false, false}, x11, true, false, false, false, false, true},
      {"-e on X11", {true, true, false}, x11, true, true, false, false, false, true},
      {"-E on sway floats", {true, false, false}, sway, true, false, true, false, false, true},
      {"-e on sway: a notification", {true, true, false}, sway, false, false, false, true, true, true},
      {"-e on i3: no buttons", {true, true, false}, i3, false, false, false, true, false, true},
      {"-e on weston: nothing to count on", {true, true, false}, weston, false, false, false, false,
       false, true},
      {"unattended on X11", {true, false, true}, x11, false, false, false, false, false, false},
      {"unattended -e on sway", {true, true, true}, sway, false, false, false, false, false, false},
      {"-E without a display", {true, false, false}, none, false, false, false, false, false, false},
  };
  for (const Case& c : cases) {
    const RunPresentation shown = DecidePresentation(c.request, c.session);
    EXPECT_EQ(shown.window, c.window) << c.what;
    EXPECT_EQ(shown.minimise, c.minimise) << c.what;
    EXPECT_EQ(shown.floating, c.floating) << c.what;
    EXPECT_EQ(shown.notification_countdown, c.countdown) << c.what;
    EXPECT_EQ(shown.notification_buttons, c.buttons) << c.what;
    EXPECT_EQ(shown.message_boxes, c.boxes) << c.what;
  }
}

TEST(RunPresentation, TheDayIsRecordedOnlyForAWallpaperMadeAndSet) {
  EXPECT_TRUE(RecordsBuildDay(true, true, false));
  EXPECT_TRUE(RecordsBuildDay(true, false, true));    // make only: nothing to set
  EXPECT_FALSE(RecordsBuildDay(true, false, false));  // the desktop did not take it
  EXPECT_FALSE(RecordsBuildDay(false, false, true));  // a missing background
}

// Positions placed on one screen, mapped onto monitors from 1024x768 to
// 7680x2160: near edges keep their distance, nothing is cut off.
TEST(PositionMapping, ItemsKeepTheirDistanceFromTheNearerEdgeAndStayWhole) {
  struct Case {
    const char* what;
    int position, from, to;
    double factor;
    std::optional<ItemSpan> span;
    int expected;
  };
  const ItemSpan calendar{0, 400};
  const Case cases[] = {
      {"left edge stays", 40, 1920, 1024, 1.0, calendar, 40},
      {"right edge keeps its margin", 1400, 1920, 1024, 1.0, calendar, 504},
      {"right edge on a wide screen", 1400, 1920, 7680, 1.0, calendar, 7160},
      {"top edge stays", 30, 1080, 768, 1.0, ItemSpan{0, 200}, 30},
      {"bottom edge keeps its margin", 800, 1080, 768, 1.0, ItemSpan{0, 200}, 488},
      {"bottom edge on 2160", 800, 1080, 2160, 1.0, ItemSpan{0, 200}, 1880},
      {"same screen: exactly as placed", 1700, 1920, 1920, 1.0, calendar, 1700},
      {"hanging over the right edge is pulled in whole", 2300, 2560, 1024, 1.0, calendar, 624},
      {"an item larger than the screen starts at the edge", 100, 1920, 300, 1.0, calendar, 0},
      {"an item drawn left of its position", 10, 1920, 1024, 1.0, ItemSpan{-8, 400}, 10},
      {"text at scale 2 doubles distances", 40, 1920, 3840, 2.0, ItemSpan{0, 800}, 80},
      {"right edge at scale 2", 1400, 1920, 3840, 2.0, ItemSpan{0, 800}, 2800},
      {"unknown item: kept on the screen", 1500, 1920, 1024, 1.0, std::nullopt, 604},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MapPosition(c.position, c.from, c.to, c.factor, c.span), c.expected) << c.what;
  }
}

TEST(PositionMapping, ALayoutMovesOntoTheMonitorAndRemembersIt) {
  PageLayout layout;
  layout.calendar_x = 1400;
  layout.calendar_y = 40;
  layout.schedule_x = 20;
  layout.schedule_y = 900;
  layout.screen = {1920, 1080, 100};
  ItemBoxes boxes;
  boxes.calendar_x = ItemSpan{0, 400};
  boxes.schedule_y = ItemSpan{0, 100};
  const PageLayout mapped = MapLayout(layout, {1280, 1024, 100}, false, boxes);
  EXPECT_EQ(mapped.calendar_x, 760);
  EXPECT_EQ(mapped.calendar_y, 40);
  EXPECT_EQ(mapped.schedule_x, 20);
  EXPECT_EQ(mapped.schedule_y, 844);
  EXPECT_EQ(mapped.screen, (ScreenReference{1280, 1024, 100}));
  // Returning to the screen it was placed on gives the positions back.
  EXPECT_EQ(MapLayout(layout, layout.screen, false).calendar_x, 1400);
}

TEST(PositionMapping, TextFollowsTheScaleWhenAsked) {
  WorkingCopy copy;
  copy.date_font.size = 11;
  copy.titles[0].size_text = " 20";
  copy.layout.month_spacing = 30;
  ScaleTextAndPitch(copy, 2.0);
  EXPECT_EQ(copy.date_font.size, 22);
  EXPECT_EQ(copy.titles[0].size_text, "40");
  EXPECT_EQ(copy.layout.month_spacing, 60);
  EXPECT_DOUBLE_EQ(DistanceFactor({1920, 1080, 100}, {3840, 2160, 200}, true), 2.0);
  EXPECT_DOUBLE_EQ(DistanceFactor({1920, 1080, 100}, {3840, 2160, 200}, false), 1.0);
}

// The page of each monitor: the day's page unless a choice names the
// monitor; a choice for a monitor away is kept for when it returns.
TEST(MonitorPages, EachMonitorShowsTheDaysPageOrItsOwn) {
  const MonitorLayout both = {MonitorOf("DP-1", {0, 0, 1920, 1080}, 1.0, true),
                              MonitorOf("eDP-1", {1920, 0, 1280, 800})};
  const MonitorLayout laptop_only = {MonitorOf("eDP-1", {0, 0, 1280, 800}, 1.0, true)};
  std::vector<MonitorPageChoice> choices = WithMonitorPage({}, "eDP-1", 2);
  EXPECT_EQ(PagesOfMonitors(both, choices, 5), (std::vector<int>{5, 2}));
  EXPECT_EQ(PagesOfMonitors(laptop_only, choices, 5), (std::vector<int>{2}));
  choices = WithMonitorPage(choices, "HDMI-A-1", 7);  // a monitor not connected now
  EXPECT_EQ(PagesOfMonitors(both, choices, 5), (std::vector<int>{5, 2}));
  EXPECT_EQ(choices.size(), 2u);
  choices = WithMonitorPage(choices, "eDP-1", 0);  // back to the day's page
  EXPECT_EQ(PagesOfMonitors(both, choices, 5), (std::vector<int>{5, 5}));
  EXPECT_EQ(choices, (std::vector<MonitorPageChoice>{{"HDMI-A-1", 7}}));
  // No monitor found: one of the screen's size.
  const MonitorLayout screen = MonitorsOrScreen({}, 1024, 768);
  ASSERT_EQ(screen.size(), 1u);
  EXPECT_TRUE(screen[0].primary);
  EXPECT_EQ(screen[0].pixel_width, 1024);
}

TEST(MonitorPages, PicturesOfOtherMonitorsLieBesideTheMainOne) {
  const std::filesystem::path main = "/pictures/MURVA00.BMP";
  EXPECT_EQ(MonitorOutputPath(main, MonitorOf("DP-1", {0, 0, 10, 10}, 1.0, true)), main);
  EXPECT_EQ(MonitorOutputPath(main, MonitorOf("HDMI-A-1", {0, 0, 10, 10})),
            "/pictures/MURVA00-HDMI-A-1.BMP");
  EXPECT_EQ(MonitorOutputPath(main, MonitorOf("../x y", {0, 0, 10, 10})),
            "/pictures/MURVA00-___x_y.BMP");
  EXPECT_EQ(MonitorOutputPath(main, MonitorOf("", {1920, 0, 10, 10})),
            "/pictures/MURVA00-at1920_0.BMP");
}

// The control panel opens at its stored place when that is on a connected
// monitor, wholly on it; elsewhere centred on the primary monitor.
TEST(WindowPlacement, ThePanelOpensWhollyOnAConnectedMonitor) {
  struct Case {
    const char* what;
    std::optional<WindowPlace> stored;
    MonitorLayout monitors;
    bool automatic;
    WindowPlace expected;
  };
  const ScreenSize window{800, 600};
  const MonitorLayout big = {MonitorOf("DP-1", {0, 0, 1920, 1080}, 1.0, true)};
  const MonitorLayout small = {MonitorOf("eDP-1", {0, 0, 1024, 768}, 1.0, true)};
  const MonitorLayout two = {MonitorOf("DP-1", {0, 0, 1920, 1080}, 1.0, true),
                             MonitorOf("HDMI-A-1", {1920, 0, 1280, 1024})};
  const Case cases[] = {
      {"stored place on the screen", WindowPlace{100, 80}, big, false, {100, 80}},
      {"automatic run: centred", WindowPlace{100, 80}, big, true, {560, 240}},
      {"never stored: centred", WindowPlace{0, 0}, big, false, {560, 240}},
      {"big screen's place on a small one: pulled in", WindowPlace{500, 300}, small, false,
       {224, 168}},
      {"place on the second monitor", WindowPlace{2000, 100}, two, false, {2000, 100}},
      {"second monitor gone: centred on the primary", WindowPlace{2000, 100}, big, false,
       {560, 240}},
      {"off every screen: centred", WindowPlace{-3000, 50}, two, false, {560, 240}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlaceWindow(c.stored, window, c.monitors, {1920, 1080}, c.automatic), c.expected)
        << c.what;
  }
}

}  // namespace
}  // namespace murva
