// The pictures of several monitors: joined into one picture of the whole
// desktop for the desktops that take one, and copied for the desktops under
// names of their own.
#include <gtest/gtest.h>

#include <QImage>

#include "platform/wallpaper_installer.h"
#include "support/temp_folder.h"
#include "wallpaper_pictures.h"

namespace murva {
namespace {

using testing::MonitorPicture;

TEST(JoinedDesktopPicture, EachPictureLiesAtItsMonitorsPlaceInPhysicalPixels) {
  const QRgb red = qRgb(200, 30, 40), blue = qRgb(10, 120, 250), green = qRgb(20, 160, 60),
             yellow = qRgb(230, 210, 20);
  struct Case {
    const char* what;
    std::vector<MonitorWallpaper> monitors;
    QSize joined;
    std::vector<QPoint> places;  // of each picture in the joined one
    QPoint black;                // a point no monitor covers, or (-1, -1)
  };
  const Case cases[] = {
      {"side by side, different heights",
       {MonitorPicture("DP-1", 0, 0, 1920, 1080, red, blue),
        MonitorPicture("HDMI-A-1", 1920, 0, 1280, 1024, green, yellow)},
       {3200, 1080}, {{0, 0}, {1920, 0}}, {3000, 1050}},
      {"a gap between them",
       {MonitorPicture("DP-1", 0, 0, 800, 600, red, blue),
        MonitorPicture("DP-2", 1000, 100, 640, 480, green, yellow)},
       {1640, 600}, {{0, 0}, {1000, 100}}, {900, 10}},
      {"left of and above the origin",
       {MonitorPicture("eDP-1", 0, 0, 1024, 768, red, blue),
        MonitorPicture("DP-1", -1280, -200, 1280, 1024, green, yellow)},
       {2304, 1024}, {{1280, 200}, {0, 0}}, {1300, 100}},
      {"scaled 1.5: layout units times the scale",
       {MonitorPicture("eDP-1", 0, 0, 2880, 1800, red, blue, 1.5),
        MonitorPicture("DP-1", 1920, 0, 1920, 1080, green, yellow, 1.5)},
       {4800, 1800}, {{0, 0}, {2880, 0}}, {4000, 1500}},
      {"one monitor", {MonitorPicture("DP-1", 100, 50, 640, 480, red, blue)},
       {640, 480}, {{0, 0}}, {-1, -1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QImage joined = JoinedDesktopPicture(c.monitors);
    EXPECT_EQ(joined.size(), c.joined);
    for (std::size_t i = 0; i < c.monitors.size(); ++i) {
      EXPECT_TRUE(testing::ShowsAt(joined, c.monitors[i], c.places[i])) << c.monitors[i].monitor.name;
    }
    if (c.black.x() >= 0) {
      EXPECT_EQ(joined.pixel(c.black), qRgb(0, 0, 0));
    }
  }
  EXPECT_TRUE(JoinedDesktopPicture({}).isNull());
}

TEST(WallpaperCopies, OneCopyPerMonitorAndOnlyThoseOfTheLastInstallationKept) {
  testing::TempFolder folder;
  const auto copies_folder = folder / "copies";
  const std::vector<MonitorWallpaper> monitors = testing::TwoMonitors();
  std::string error;
  const auto first = MakeWallpaperCopies(monitors, copies_folder, error);
  ASSERT_EQ(first.size(), 2u) << error;
  const auto second = MakeWallpaperCopies(monitors, copies_folder, error);
  ASSERT_EQ(second.size(), 2u) << error;
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_NE(second[i], first[i]);
    EXPECT_FALSE(std::filesystem::exists(first[i]));
    EXPECT_EQ(second[i], testing::CopyLabelled(copies_folder, monitors[i].monitor.name));
    const QImage copy(QString::fromStdString(second[i].string()));
    EXPECT_EQ(copy.size(), monitors[i].pixels.size());
    EXPECT_TRUE(testing::ShowsAt(copy, monitors[i], {0, 0}));
  }
  // A monitor with an odd name still gets a plain file name.
  MonitorWallpaper odd = monitors[0];
  odd.monitor.name = "HDMI 2/α";
  const auto odd_copy = MakeWallpaperCopies({odd}, copies_folder, error);
  ASSERT_EQ(odd_copy.size(), 1u) << error;
  EXPECT_EQ(odd_copy[0].parent_path(), copies_folder);
  EXPECT_NE(odd_copy[0].filename().string().find("-HDMI_2___.png"), std::string::npos)
      << odd_copy[0];
}

TEST(WallpaperOutputs, ASinglePictureWithoutANameGoesEverywhereSeveralNeedNames) {
  std::string error;
  MonitorWallpaper unnamed = testing::TwoMonitors()[0];
  unnamed.monitor.name.clear();
  EXPECT_EQ(WallpaperOutputs({unnamed}, "*", error), std::vector<std::string>{"*"});
  EXPECT_EQ(WallpaperOutputs(testing::TwoMonitors(), "*", error),
            (std::vector<std::string>{"DP-1", "HDMI-A-1"}));
  EXPECT_TRUE(WallpaperOutputs({unnamed, testing::TwoMonitors()[1]}, "*", error).empty());
  EXPECT_NE(error.find("name"), std::string::npos) << error;
}

}  // namespace
}  // namespace murva
