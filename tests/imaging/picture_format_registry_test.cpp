// The picture-format registry: its first entries and its lookup rules.

#include "imaging/picture_format_registry.h"

#include <gtest/gtest.h>

#include "imaging/bitmap.h"
#include "imaging/platform_graphics.h"
#include "imaging/spi_bitmap.h"

namespace murva {
namespace {

TEST(PictureFormatRegistry, StartsWithTheFormatsReadWithoutPlugins) {
  TPictureFormatRegistry registry;
  ASSERT_EQ(registry.Formats().size(), 4u);
  EXPECT_EQ(registry.Formats()[0].extension, "wmf");
  EXPECT_EQ(registry.Formats()[1].extension, "emf");
  EXPECT_EQ(registry.Formats()[2].extension, "ico");
  EXPECT_EQ(registry.Formats()[3].extension, "bmp");
  EXPECT_EQ(registry.Find("bmp")->graphic_class, &TBitmap::Class());
  EXPECT_EQ(registry.Find("ico")->graphic_class, &TIcon::Class());
  EXPECT_EQ(registry.Find("wmf")->graphic_class, &TMetafile::Class());
  EXPECT_FALSE(registry.Find("png"));
}

TEST(PictureFormatRegistry, StoresExtensionsInLowerCaseAndFindsThemInAnyCase) {
  TPictureFormatRegistry registry;
  registry.Register("JPG", "JPEG", TSPIBitmap::Class());
  EXPECT_EQ(registry.Formats().back().extension, "jpg");
  ASSERT_TRUE(registry.Find("jPg"));
  EXPECT_EQ(registry.Find("jpg")->description, "JPEG");
}

TEST(PictureFormatRegistry, TheNewestEntryWinsBmpIncluded) {
  TPictureFormatRegistry registry;
  registry.Register("png", "first", TBitmap::Class());
  registry.Register("png", "second", TSPIBitmap::Class());
  EXPECT_EQ(registry.Find("png")->description, "second");
  registry.Register("bmp", "plug-in bitmap", TSPIBitmap::Class());
  EXPECT_EQ(registry.Find("BMP")->graphic_class, &TSPIBitmap::Class());
}

TEST(PictureFormatRegistry, UnregisteringAClassRemovesAllItsEntries) {
  TPictureFormatRegistry registry;
  registry.Register("png", "PNG", TSPIBitmap::Class());
  registry.Register("bmp", "BMP by plug-in", TSPIBitmap::Class());
  registry.Register("gif", "GIF", TSPIBitmap::Class());
  registry.Unregister(TSPIBitmap::Class());
  EXPECT_EQ(registry.Formats().size(), 4u);
  EXPECT_FALSE(registry.Find("png"));
  EXPECT_EQ(registry.Find("bmp")->graphic_class, &TBitmap::Class());
}

TEST(PictureFormatRegistry, ExtensionsWithOtherBytesAreKeptAsTheyAre) {
  TPictureFormatRegistry registry;
  registry.Register("ÄBC", "non-ASCII", TBitmap::Class());
  EXPECT_EQ(registry.Formats().back().extension, "Äbc");
  EXPECT_TRUE(registry.Find("ÄBC"));
  EXPECT_FALSE(registry.Find("äbc"));
}

TEST(PictureFormatRegistry, TheProcessRegistryIsOneObject) {
  EXPECT_EQ(&PictureFormatRegistry(), &PictureFormatRegistry());
  EXPECT_TRUE(PictureFormatRegistry().Find("bmp"));
}

}  // namespace
}  // namespace murva
