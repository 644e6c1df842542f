#include "app/schedule_editing.h"

#include <gtest/gtest.h>

#include "schedule/external_schedule.h"
#include "schedule/schedule_file.h"
#include "schedule/schedule_purge.h"
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

TEST_F(ScheduleEditingTest, DeleteNamesAMalformedEntryAndTheListIsTheFile) {
  Seed({"25/06/01 00 1 a", "25/06/02 00 1 b", "ab/06/15 00 1 壊れた予定"});
  const std::string report = editing_.Delete({0}, copy_);
  EXPECT_EQ(report, "'ab' は整数ではありません\r誤りのある予定：ab/06/15 00 1 壊れた予定");
  const std::string expected = FileOf({"25/06/02 00 1 b", "ab/06/15 00 1 壊れた予定"});
  EXPECT_EQ(ReadBytes(path_), expected);
  EXPECT_EQ(entries_.Lines(), (std::vector<std::string>{Sjis("25/06/02 00 1 b"),
                                                        Sjis("ab/06/15 00 1 壊れた予定")}));
  // Without it, all is well.
  EXPECT_EQ(editing_.Delete({1}, copy_), "");
}

TEST_F(ScheduleEditingTest, PurgeAsksFirstThenCountsAndChecks) {
  Seed({"25/06/14 00 1 past", "25/06/15 00 1 today", "@@/06/01 00 2 yearly",
        "97/01/01 00 1 nineties"});
  const std::string before = ReadBytes(path_);
  EXPECT_EQ(editing_.Purge(false, copy_),
            std::vector<std::string>{"過去日となった予定の一括削除を中止しました"});
  EXPECT_EQ(ReadBytes(path_), before);

  EXPECT_EQ(editing_.Purge(true, copy_),
            std::vector<std::string>{"1件の過去日となった予定を削除しました"});
  EXPECT_EQ(ReadBytes(path_),
            FileOf({"25/06/15 00 1 today", "97/01/01 00 1 nineties", "@@/06/01 00 2 yearly"}));
  EXPECT_EQ(editing_.Purge(true, copy_),
            std::vector<std::string>{"削除対象となる予定データはありませんでした"});
}

TEST_F(ScheduleEditingTest, PurgeReportsAMalformedExternalLineAfterItsCount) {
  Seed({"25/06/14 00 1 past", "25/06/20 00 1 later"});
  copy_.schedule_source = kSourceBoth;
  copy_.external_path = (folder_ / "SELBORI.DAT").string();
  WriteBytes(copy_.external_path, "Header\r\n");
  const std::vector<std::string> messages = editing_.Purge(true, copy_);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "1件の過去日となった予定を削除しました");
  EXPECT_EQ(messages[1], "'He' は整数ではありません\r誤りのある外部の予定（" +
                             copy_.external_path + "）：Header");
}

TEST_F(ScheduleEditingTest, AddAndChangeKeepTheFileInStep) {
  Seed({"25/06/01 00 1 a"});
  EXPECT_EQ(editing_.Add({"7", "7", "15", "札幌に行く", "Red"}), 0u);
  // The second entry ("25/06/01") gives way to one that sorts last.
  EXPECT_EQ(editing_.Change(1, {"@@", "@@", "20", "給料日です", ""}), 1u);
  EXPECT_EQ(ReadBytes(path_), FileOf({"07/07/15 00 1 札幌に行く%Red%", "@@/@@/20 00 3 給料日です"}));
  EXPECT_EQ(editing_.ResetFields(), (EntryFields{"25", "", "", "", ""}));
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
