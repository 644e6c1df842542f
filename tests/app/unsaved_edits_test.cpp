#include "app/unsaved_edits.h"

#include <gtest/gtest.h>

#include "settings/profile_file.h"
#include "support/temp_folder.h"

namespace murva {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

TEST(UnsavedEdits, APageKeepsItsLayoutWhileAnotherIsShown) {
  UnsavedEdits edits;
  PageLayout edited;
  edited.month_spacing = 99;
  edits.LeavePage(1, edited);  // not edited: nothing is kept
  EXPECT_FALSE(edits.KeptLayout(1));
  edits.MarkPage(1);
  edits.LeavePage(1, edited);
  ASSERT_TRUE(edits.KeptLayout(1));
  EXPECT_EQ(edits.KeptLayout(1)->month_spacing, 99);
  EXPECT_FALSE(edits.KeptLayout(2));
  edits.PageSaved(1);
  EXPECT_FALSE(edits.PageUnsaved(1));
  EXPECT_FALSE(edits.KeptLayout(1));
  edits.MarkPage(0);  // no such page
  edits.MarkPage(9);
  EXPECT_TRUE(edits.UnsavedParts(WorkingCopy()).empty());
}

TEST(UnsavedEdits, PartsAreNamedAsThePanelNamesThem) {
  WorkingCopy copy;
  UnsavedEdits edits;
  edits.BasicSaved(copy);
  EXPECT_TRUE(edits.UnsavedParts(copy).empty());
  edits.MarkPage(3);
  copy.calendar_style = 2;
  copy.convenience_save_enabled = true;
  copy.holiday_save_enabled = true;
  copy.special_save_enabled = true;
  copy.schedule_save_enabled = true;
  EXPECT_EQ(edits.UnsavedParts(copy),
            (std::vector<std::string>{"壁紙 ３", "基本の設定・タイトル入力", "便利な設定",
                                      "休日の設定", "特別な設定",
                                      "スケジュール機能パネルの表示の設定"}));
  const std::string question = UnsavedEdits::CloseQuestion(edits.UnsavedParts(copy));
  EXPECT_NE(question.find("\r・壁紙 ３\r"), std::string::npos);
}

// Title values count only while titles are on: they are not written then.
TEST(UnsavedEdits, BasicValuesCompareAsABuildWritesThem) {
  WorkingCopy copy;
  UnsavedEdits edits;
  edits.BasicSaved(copy);
  copy.titles[1].text = "x";
  EXPECT_FALSE(edits.BasicUnsaved(copy));
  copy.titles_on = true;
  EXPECT_TRUE(edits.BasicUnsaved(copy));
  copy.titles_on = false;
  copy.schedule_font.size = 10;
  EXPECT_TRUE(edits.BasicUnsaved(copy));
  edits.BasicSaved(copy);
  EXPECT_FALSE(edits.BasicUnsaved(copy));
}

// The save writes each unsaved page with its own layout, the basic values
// without recording a build.
TEST(UnsavedEdits, SaveWritesEveryUnsavedPageWithItsOwnLayout) {
  TempFolder folder;
  const auto ini = folder / "MURVA32.INI";
  WriteBytes(ini, "[Murva32V4]\r\nCalenBlok4=44\r\nCalMakeDay=2026/12/01\r\n");
  const SettingsStore store(ini);
  WorkingCopy copy;
  UnsavedEdits edits;
  edits.BasicSaved(copy);
  copy.wallpaper_page = 2;
  copy.layout.month_spacing = 22;
  edits.MarkPage(2);
  PageLayout kept;
  kept.month_spacing = 33;
  edits.MarkPage(3);
  edits.LeavePage(3, kept);
  copy.pages[2].path = "/p3.bmp";
  copy.period = 4;
  edits.SaveBasicAndPages(copy, store);
  const ProfileFile file(ini);
  EXPECT_EQ(file.Find("Murva32V4", "CalenBlok2"), "22");
  EXPECT_EQ(file.Find("Murva32V4", "CalenBlok3"), "33");
  EXPECT_EQ(file.Find("Murva32V4", "EditPathW3"), "/p3.bmp");
  EXPECT_EQ(file.Find("Murva32V4", "CalenBlok4"), "44");
  EXPECT_EQ(file.Find("Murva32V4", "CalendPerd"), "4");
  EXPECT_EQ(file.Find("Murva32V4", "CalMakeDay"), "2026/12/01");
  EXPECT_TRUE(edits.UnsavedParts(copy).empty());
}

}  // namespace
}  // namespace murva
