// The arithmetic of the monitor layout: physical size and scale from what
// the display servers tell, the order of a layout, and the names and kinds
// of compositors.
#include <gtest/gtest.h>

#include "platform/monitor_layout.h"
#include "platform/monitor_scale.h"
#include "platform/session_facts.h"
#include "scoped_environment.h"

namespace murva {
namespace {

TEST(MonitorScale, ComesFromThePhysicalAndTheLogicalSize) {
  struct Case {
    PixelSize physical, logical;
    double scale;
  };
  const Case cases[] = {
      {{1920, 1080}, {1920, 1080}, 1.0},
      {{1920, 1080}, {1280, 720}, 1.5},    // not rounded to 2
      {{3840, 2160}, {1920, 1080}, 2.0},
      {{1920, 1200}, {1536, 960}, 1.25},
      {{1366, 768}, {1092, 614}, 1.25},    // logical size truncated by the compositor
      {{2560, 1600}, {1706, 1066}, 1.5},   // and here 1706.67 x 1066.67
      {{1920, 1080}, {1440, 810}, 4.0 / 3.0},
      {{1920, 1080}, {1901, 1069}, 1920.0 / 1901.0},  // 1.01: no step of 1/120 explains it
      {{1920, 1080}, {0, 0}, 1.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.physical.width) + " on " + std::to_string(c.logical.width));
    EXPECT_DOUBLE_EQ(ScaleOfSizes(c.physical, c.logical), c.scale);
  }
}

TEST(MonitorScale, QuarterTurnsSwapTheSides) {
  for (int transform = 0; transform < 8; ++transform) {
    const PixelSize expected = transform % 2 ? PixelSize{1080, 1920} : PixelSize{1920, 1080};
    EXPECT_EQ(TransformedSize(1920, 1080, transform), expected) << transform;
  }
}

TEST(MonitorScale, X11TakesXftDpiThenQtThenGtk) {
  struct Case {
    std::string resources;
    std::map<std::string, std::string> environment;
    std::string name;
    int index;
    double scale;
  };
  const Case cases[] = {
      {"", {}, "DP-1", 0, 1.0},
      {"Xft.antialias:\t1\nXft.dpi:\t144\n", {}, "DP-1", 0, 1.5},
      {"Xft.dpi: 120", {{"QT_SCALE_FACTOR", "2"}}, "DP-1", 0, 1.25},  // the desktop's setting first
      {"Xft.dpi:\tlarge\n", {{"GDK_SCALE", "2"}}, "DP-1", 0, 2.0},     // unreadable dpi: ignored
      {"Xft.dpi:\t96000\n", {}, "DP-1", 0, 1.0},                         // absurd dpi: ignored
      {"", {{"QT_SCALE_FACTOR", "2"}}, "DP-1", 0, 2.0},
      {"", {{"QT_SCREEN_SCALE_FACTORS", "HDMI-1=2;DP-1=1.5"}}, "DP-1", 1, 1.5},
      {"", {{"QT_SCREEN_SCALE_FACTORS", "HDMI-1=2"}}, "DP-1", 0, 1.0},
      {"", {{"QT_SCREEN_SCALE_FACTORS", "1;1.75"}}, "DP-1", 1, 1.75},  // by position
      {"", {{"QT_SCREEN_SCALE_FACTORS", "DP-1=1.5"}, {"QT_SCALE_FACTOR", "2"}}, "DP-1", 0, 3.0},
      {"", {{"QT_SCALE_FACTOR", "-1"}, {"GDK_SCALE", "2"}}, "DP-1", 0, 2.0},
      {"", {{"GDK_SCALE", "3"}}, "DP-1", 0, 3.0},
      {"", {{"GDK_SCALE", "0"}}, "DP-1", 0, 1.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.resources + " / " + c.name);
    EXPECT_DOUBLE_EQ(X11MonitorScale(c.resources, testing::Environment(c.environment), c.name, c.index),
                     c.scale);
  }
}

TEST(MonitorScale, IsWrittenAsPeopleWriteIt) {
  EXPECT_EQ(ScaleText(1.0), "1");
  EXPECT_EQ(ScaleText(1.5), "1.5");
  EXPECT_EQ(ScaleText(1.25), "1.25");
  EXPECT_EQ(ScaleText(4.0 / 3.0), "1.333");
}

Monitor At(std::string name, int x, int y) {
  Monitor monitor;
  monitor.name = std::move(name);
  monitor.desktop = {x, y, 100, 100};
  return monitor;
}

std::vector<std::string> Names(const MonitorLayout& layout) {
  std::vector<std::string> names;
  for (const Monitor& monitor : layout) names.push_back(monitor.name + (monitor.primary ? "*" : ""));
  return names;
}

TEST(MonitorLayoutOrder, PrimaryFirstThenLeftToRightTopToBottom) {
  struct Case {
    MonitorLayout layout;
    int primary;
    std::vector<std::string> order;
  };
  const Case cases[] = {
      {{At("B", 1920, 0), At("A", 0, 0)}, 0, {"B*", "A"}},
      {{At("B", 1920, 0), At("A", 0, 0)}, -1, {"A*", "B"}},  // no primary named: the one at 0,0
      {{At("C", 0, 1080), At("B", 1920, 0), At("A", 0, 0)}, 1, {"B*", "A", "C"}},
      {{At("R", 500, 0), At("L", -1280, 200)}, -1, {"L*", "R"}},  // nothing at 0,0: leftmost
      {{At("X", 0, 0)}, 5, {"X*"}},
      {{}, -1, {}},
  };
  for (Case c : cases) {
    ArrangeMonitorLayout(c.layout, c.primary);
    EXPECT_EQ(Names(c.layout), c.order);
  }
}

TEST(CompositorNames, AreTheUsualOnesAndTellTiling) {
  struct Case {
    std::string given, name;
    bool tiling;
  };
  const Case cases[] = {
      {"sway", "sway", true},           {"Hyprland", "Hyprland", true},
      {"i3", "i3", true},               {"i3-gaps", "i3", true},
      {"bspwm", "bspwm", true},         {"awesome", "awesome", true},
      {"LG3D", "LG3D", true},           {"gnome-shell", "GNOME", false},
      {"GNOME Shell", "GNOME", false},  {"kwin_wayland", "KDE", false},
      {"KWin", "KDE", false},           {"Openbox", "openbox", false},
      {"weston", "weston", false},      {"Mutter (Muffin)", "Cinnamon", false},
      {"Xfwm4", "XFCE", false},         {"labwc", "labwc", false},
      {"my-own-wm", "my-own-wm", false}, {"", "", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompositorName(c.given), c.name) << c.given;
    EXPECT_EQ(IsTilingCompositor(CompositorName(c.given)), c.tiling) << c.given;
  }
}

}  // namespace
}  // namespace murva
