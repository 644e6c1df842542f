// The arithmetic of the wallpaper pages: markers, distances, the shadow
// colour's steps, the initial colours and the background dialog's filter.
#include <gtest/gtest.h>

#include <cmath>

#include "app/background_filter.h"
#include "app/page_colors.h"
#include "app/page_positions.h"
#include "imaging/bitmap.h"
#include "imaging/platform_graphics.h"

namespace murva {
namespace {

TEST(PagePositionsTest, MarkerOffsetScalesByScreenOverMiniatureTimesOnePointOne) {
  struct Case {
    int position, screen, miniature, expected;
  };
  const Case cases[] = {
      {0, 768, 81, 0},
      {100, 768, 81, 10},    // 100 / 10.43 = 9.59
      {384, 768, 81, 37},    // 36.8
      {768, 768, 81, 74},    // the far end: 73.6, the marker's edge stays inside
      {1024, 1024, 120, 109},
      {512, 1024, 120, 55},  // 54.5454
      {3840, 3840, 120, 109},
      {500, 0, 81, 0},       // no screen: no scale
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MarkerOffset(c.position, c.screen, c.miniature), c.expected)
        << c.position << " on " << c.screen;
  }
  // The formula itself, on every position of a 1024x768 screen.
  for (int p = 0; p <= 768; ++p) {
    ASSERT_EQ(MarkerOffset(p, 768, kMiniatureHeight), std::lround(p / (768.0 / 81 * 1.1))) << p;
  }
}

TEST(PagePositionsTest, DistancesAreFromBothEdges) {
  const EdgeDistances distances = DistancesFromEdges(300, 768);
  EXPECT_EQ(distances.near_edge, 300);
  EXPECT_EQ(distances.far_edge, 468);
  EXPECT_EQ(DistancesFromEdges(1024, 1024).far_edge, 0);
}

TEST(PagePositionsTest, OrientationSwitchDividesByRoundedRatiosWithoutTheFactor) {
  struct Case {
    int left, top, width, height, expected_left, expected_top;
  };
  const Case cases[] = {
      {700, 500, 1024, 768, 77, 55},     // ratios 9 (8.53) and 9 (9.48)
      {1919, 1079, 1920, 1080, 119, 83}, // 16 and 13 (13.3): past the miniature's edge
      {99, 99, 1600, 1200, 7, 6},        // 13 (13.3) and 15 (14.8)
      {30, 30, 40, 30, 30, 30},          // a ratio that rounds to 0 counts as 1
  };
  for (const Case& c : cases) {
    const MarkerPlace place = OrientationMarkerPlace(c.left, c.top, c.width, c.height);
    EXPECT_EQ(place.left, c.expected_left) << c.width << "x" << c.height;
    EXPECT_EQ(place.top, c.expected_top) << c.width << "x" << c.height;
  }
}

TEST(PagePositionsTest, BarsEditTheirOwnLayoutField) {
  PageLayout layout;
  int value = 1;
  for (int i = 0; i < kLayoutBarCount; ++i) layout.*LayoutField(static_cast<LayoutBar>(i)) = value++;
  EXPECT_EQ(layout.calendar_y, 1);
  EXPECT_EQ(layout.calendar_x, 2);
  EXPECT_EQ(layout.schedule_y, 3);
  EXPECT_EQ(layout.schedule_x, 4);
  EXPECT_EQ(layout.month_spacing, 5);
  EXPECT_EQ(layout.line_spacing, 6);
  EXPECT_EQ(layout.day_spacing, 7);
}

TEST(PageColorsTest, ShadowStepsThroughFourColoursAndLeavesOthers) {
  Color color = 0x000000;
  std::vector<Color> seen;
  for (int click = 0; click < 4; ++click) seen.push_back(color = NextShadowColor(color));
  EXPECT_EQ(seen, (std::vector<Color>{0xFFFFFF, 0xC0C0C0, 0x808080, 0x000000}));
  EXPECT_EQ(NextShadowColor(0x123456), 0x123456u);
}

TEST(PageColorsTest, InitialColoursLeaveTheShadowAndThePage) {
  PageValues values;
  values.path = "/p.bmp";
  values.orientation = kHorizontalCaption;
  values.shadow = 0xC0C0C0;
  for (int swatch = 0; swatch < kSwatchCount; ++swatch) SwatchColor(values, swatch) = 0x010203;
  ResetTextColors(values);
  const PageValues initial;
  for (int swatch = 0; swatch < kSwatchCount; ++swatch) {
    EXPECT_EQ(SwatchColor(values, swatch), SwatchColor(initial, swatch)) << swatch;
  }
  EXPECT_EQ(values.shadow, 0xC0C0C0u);
  EXPECT_EQ(values.path, "/p.bmp");
  EXPECT_EQ(values.orientation, kHorizontalCaption);
  EXPECT_EQ(SwatchColor(initial, kSwatchSun), kDefaultSundayColor);
  EXPECT_EQ(SwatchColor(initial, kSwatchStr), kDefaultTitleColor);
}

TEST(BackgroundFilterTest, ListsWhatCanBeReadWithAllFilesLast) {
  TPictureFormatRegistry registry;  // wmf, emf, ico, bmp
  const TGraphicClass& plugin = TBitmap::Class();
  registry.Register("png", "PNG", plugin);
  registry.Register("jpg", "JPEG", plugin);
  registry.Register("jpeg", "JPEG", plugin);
  registry.Register("wmf", "Metafile (plug-in)", plugin);  // a plug-in that reads it
  registry.Register("*", "Everything", plugin);             // not an extension
  registry.Register("x;y", "Broken", plugin);
  registry.Register("webp", "WebP;;evil (*)", plugin);
  registry.Register("mag", "\x82\x6c\x82\x60\x82\x66", plugin);  // "ＭＡＧ" in CP932
  EXPECT_EQ(BackgroundFileFilter(registry),
            "Graphic files (*.bmp *.BMP *.ico *.ICO *.png *.PNG *.jpg *.JPG *.jpeg *.JPEG "
            "*.wmf *.WMF *.webp *.WEBP *.mag *.MAG)"
            ";;BMP files (*.bmp *.BMP)"
            ";;Icons (*.ico *.ICO)"
            ";;PNG (*.png *.PNG)"
            ";;JPEG (*.jpg *.JPG *.jpeg *.JPEG)"
            ";;Metafile plug-in (*.wmf *.WMF)"
            ";;WebP evil (*.webp *.WEBP)"
            ";;ＭＡＧ (*.mag *.MAG)"
            ";;All files (*)");
}

TEST(BackgroundFilterTest, WithoutPlugInsOnlyBitmapsAndIcons) {
  const std::string filter = BackgroundFileFilter(TPictureFormatRegistry());
  EXPECT_EQ(filter,
            "Graphic files (*.bmp *.BMP *.ico *.ICO);;BMP files (*.bmp *.BMP);;Icons (*.ico *.ICO)"
            ";;All files (*)");
}

TEST(BackgroundFilterTest, FolderOfTheChosenFile) {
  EXPECT_EQ(FolderOfChosenFile("/home/u/pictures/sea.jpg"), "/home/u/pictures");
  EXPECT_EQ(FolderOfChosenFile("/sea.jpg"), "/");
  EXPECT_EQ(FolderOfChosenFile("/home/u//sea.jpg"), "/home/u");
}

}  // namespace
}  // namespace murva
