// The page sizes kept between starts: they come back only as stored, only
// under the key they were stored under, and only when every size fits the
// area the window is fitted into.
#include "app/page_sizes.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/temp_folder.h"

namespace murva {
namespace {

constexpr ScreenSize kArea{1024, 768};

PageSizes Sample(const std::string& key) {
  PageSizes sizes(key);
  sizes.Put("settings.4", {840, 277, 596, 277});
  sizes.Put("wallpaper.1", {794, 163, 794, 163});
  return sizes;
}

TEST(PageSizes, ComeBackFromTheirFileUnderTheSameKeyOnly) {
  testing::TempFolder folder;
  const std::filesystem::path file = folder / "cache" / "page-sizes";
  const PageSizes stored = Sample("/usr/bin/murva32 123 Qt 6.4.2 fusion 96");
  stored.Write(file);
  const std::optional<PageSizes> read = PageSizes::Read(file, stored.Key(), kArea);
  ASSERT_TRUE(read);
  EXPECT_EQ(*read, stored);
  EXPECT_EQ(read->Find("settings.4"), (PageSize{840, 277, 596, 277}));
  EXPECT_FALSE(read->Find("settings.9"));
  EXPECT_FALSE(PageSizes::Read(file, "/usr/bin/murva32 124 Qt 6.4.2 fusion 96", kArea));
  EXPECT_FALSE(PageSizes::Read(folder / "none", stored.Key(), kArea));
  // A key of several lines is stored on one and still matches itself.
  const PageSizes broken_key = Sample("font\nwidth 300");
  broken_key.Write(file);
  EXPECT_TRUE(PageSizes::Read(file, "font\nwidth 300", kArea));
}

TEST(PageSizes, ADamagedFileHoldsNoSizes) {
  const std::string key = "k";
  const std::string good = Sample(key).Encode();
  ASSERT_TRUE(PageSizes::Decode(good, key));
  for (const std::string& text : {
           std::string(),
           std::string("murva32 page sizes 2\nk\n"),     // another format
           good.substr(0, good.size() - 1),              // cut in the last line
           good + "main.schedule 603 322 603\n",         // a number missing
           good + "main.schedule 603 322 603 205 1\n",   // one too many
           good + "main.schedule 603 -322 603 205\n",    // negative
           good + "main.schedule 603 32x 603 205\n",     // not a number
           good + " 603 322 603 205\n",                  // no name
           good + "main.schedule 99999999999 1 1 1\n",   // out of range
       }) {
    EXPECT_FALSE(PageSizes::Decode(text, key)) << text;
  }
}

// A damaged file may hold any number: one that the window could not have
// asked for on this screen means the file is not believed.
TEST(PageSizes, ASizeLargerThanTheAreaMakesTheFileCountAsAbsent) {
  testing::TempFolder folder;
  const std::filesystem::path file = folder / "cache" / "page-sizes";
  const std::string key = "k";
  const std::string good = Sample(key).Encode();
  testing::WriteBytes(file, good);
  ASSERT_TRUE(PageSizes::Read(file, key, kArea));
  ASSERT_TRUE(PageSizes::Read(file, key, {840, 277}));  // exactly the largest page
  for (const std::string& line : {
           std::string("main.schedule 30000 322 603 205\n"),
           std::string("main.schedule 603 30000 603 205\n"),
           std::string("main.schedule 603 322 2147483647 205\n"),
           std::string("main.schedule 603 322 603 1000000\n"),
           std::string("main.schedule 1025 322 603 205\n"),
           std::string("main.schedule 603 769 603 205\n"),
       }) {
    testing::WriteBytes(file, good + line);
    EXPECT_TRUE(PageSizes::Decode(good + line, key)) << line;
    EXPECT_FALSE(PageSizes::Read(file, key, kArea)) << line;
  }
  EXPECT_FALSE(PageSizes::Read(file, key, {839, 768}));
}

}  // namespace
}  // namespace murva
