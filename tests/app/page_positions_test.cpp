// The arithmetic of the wallpaper pages at its edges (the window tests walk
// the ordinary cases), and the background dialog's filter.
#include <gtest/gtest.h>

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

// The cycle and the reset are checked on the widgets; here what they leave.
TEST(PageColorsTest, WhatTheColourButtonsLeaveAlone) {
  EXPECT_EQ(NextShadowColor(0x123456), 0x123456u);  // a colour outside the cycle
  PageValues values;
  values.path = "/p.bmp";
  values.orientation = kHorizontalCaption;
  values.shadow = 0xC0C0C0;
  values.sunday = values.title = 0x010203;
  ResetTextColors(values);
  EXPECT_EQ(values.sunday, kDefaultSundayColor);
  EXPECT_EQ(values.title, kDefaultTitleColor);
  EXPECT_EQ(values.shadow, 0xC0C0C0u);
  EXPECT_EQ(values.path, "/p.bmp");
  EXPECT_EQ(values.orientation, kHorizontalCaption);
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
            "画像ファイル (*.bmp *.BMP *.ico *.ICO *.png *.PNG *.jpg *.JPG *.jpeg *.JPEG "
            "*.wmf *.WMF *.webp *.WEBP *.mag *.MAG)"
            ";;BMP ファイル (*.bmp *.BMP)"
            ";;Icons (*.ico *.ICO)"
            ";;PNG (*.png *.PNG)"
            ";;JPEG (*.jpg *.JPG *.jpeg *.JPEG)"
            ";;Metafile plug-in (*.wmf *.WMF)"
            ";;WebP evil (*.webp *.WEBP)"
            ";;ＭＡＧ (*.mag *.MAG)"
            ";;すべてのファイル (*)");
}

TEST(BackgroundFilterTest, WithoutPlugInsOnlyBitmapsAndIcons) {
  const std::string filter = BackgroundFileFilter(TPictureFormatRegistry());
  EXPECT_EQ(filter,
            "画像ファイル (*.bmp *.BMP *.ico *.ICO);;BMP ファイル (*.bmp *.BMP);;Icons (*.ico *.ICO)"
            ";;すべてのファイル (*)");
}

TEST(BackgroundFilterTest, FolderOfTheChosenFile) {
  EXPECT_EQ(FolderOfChosenFile("/home/u/pictures/sea.jpg"), "/home/u/pictures");
  EXPECT_EQ(FolderOfChosenFile("/sea.jpg"), "/");
  EXPECT_EQ(FolderOfChosenFile("/home/u//sea.jpg"), "/home/u");
}

}  // namespace
}  // namespace murva
