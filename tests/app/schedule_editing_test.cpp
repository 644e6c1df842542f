#include "app/schedule_editing.h"

#include <gtest/gtest.h>

#include "schedule/external_schedule.h"
#include "schedule/schedule_file.h"
#include "settings/cp932.h"
#include "support/temp_folder.h"

namespace murva {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

std::string Sjis(const std::string& utf8) { return EncodeCp932(utf8).value(); }

std::string FileOf(const std::vector<std::string>& utf8_lines) {
  std::string bytes;
  for (const std::string& line : utf8_lines) bytes += Sjis(line) + "\r\n";
  return bytes;
}

class ScheduleEditingTest : public ::testing::Test {
 protected:
  // The file holds the lines; the list is loaded from it, as at start-up.
  void Seed(const std::vector<std::string>& utf8_lines) {
    WriteBytes(path_, FileOf(utf8_lines));
    LoadScheduleFile(path_, entries_);
  }

  TempFolder folder_;
  std::filesystem::path path_ = folder_ / "MURVA32.SCH";
  ScheduleList entries_;
  TodayFields today_ = TodayFields::Of(2025, 6, 15);
  FixedClock clock_{{2025, 6, 15, 9, 0, 0}};
  WorkingCopy copy_;
  ScheduleEditing editing_{entries_, path_, today_, clock_};
};

TEST_F(ScheduleEditingTest, PurgeReportsAMalformedExternalLineAfterItsCount) {
  Seed({"25/06/14 00 1 past", "25/06/20 00 1 later"});
  copy_.schedule_source = kSourceBoth;
  copy_.external_path = (folder_ / "SELBORI.DAT").string();
  WriteBytes(copy_.external_path, "Header\r\n");
  const std::vector<std::string> messages = editing_.Purge(true, copy_);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "1件の過去日となった予定を削除しました");
  EXPECT_EQ(messages[1], "'He' は整数ではありません\r誤りのある外部の予定（" + copy_.external_path +
                             " の 1 行目）：Header");
}

TEST(SchedulePageRules, SwatchAndSourceShades) {
  WorkingCopy copy;
  copy.wallpaper_page = 3;
  copy.pages[2].schedule = 0x123456;
  EXPECT_EQ(SwatchColorOf("Red", copy), 0x0000FFu);
  EXPECT_EQ(SwatchColorOf("LtGray", copy), 0xC0C0C0u);
  EXPECT_EQ(SwatchColorOf("", copy), 0x123456u);

  using S = SourceShade;
  EXPECT_EQ(SourceShadesOf(kSourceOwn), (SourceShades{S::kButtonFace, S::kInfoBackground}));
  EXPECT_EQ(SourceShadesOf(kSourceExternal), (SourceShades{S::kWindow, S::kButtonFace}));
  EXPECT_EQ(SourceShadesOf(kSourceBoth), (SourceShades{S::kWindow, S::kInfoBackground}));
}

}  // namespace
}  // namespace murva
