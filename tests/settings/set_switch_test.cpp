#include <gtest/gtest.h>

#include "settings/settings_store.h"
#include "settings/settings_test_support.h"

namespace murva {
namespace {

using testing::FileSizeLimit;
using testing::ReadBytes;
using testing::TempFolder;
using testing::ValueMap;
using testing::WriteBytes;

const std::string kBasicWarning =
    "★注意★ＭＵＲＶＡ３２の設定保存に「基本」部が選択されました．一度終了し、ＭＵＲＶＡ３２を再起動してください．"
    "次回から「基本」の設定が使用されるようになります．\r"
    "★警告★ 「基本」「拡張」を切り替えた時は必ず一度終了し、再起動してからお使いください．"
    "そうしないと「基本」「拡張」の設定が混在した状態で保存されることがあります．"
    "もし、このままＭＵＲＶＡ３２の使用を継続するのであればボタンを元の状態に戻してください。";

const std::string kExtendedWarning =
    "★注意★ＭＵＲＶＡ３２の設定保存に「拡張」部が選択されました．一度終了し、ＭＵＲＶＡ３２を再起動してください．"
    "次回から「拡張」の設定が使用されるようになります．\r"
    "★警告★ 「基本」「拡張」を切り替えた時は必ず一度終了し、再起動してからお使いください．"
    "そうしないと「基本」「拡張」の設定が混在した状態で保存されることがあります．"
    "もし、このままＭＵＲＶＡ３２の使用を継続するのであればボタンを元の状態に戻してください。";

class SetSwitchTest : public ::testing::Test {
 protected:
  std::filesystem::path Ini() const { return folder_.File("MURVA32.INI"); }
  std::string Bytes() const { return ReadBytes(Ini()); }

  TempFolder folder_;
};

TEST_F(SetSwitchTest, ChoosingTheBasicSetWarnsAndRecordsTheChoice) {
  WriteBytes(Ini(), "[MURVA32PRE]\r\nCalenSelBa=0\r\nCalenSelEx=1\r\n");
  SettingsStore store(Ini());
  WorkingCopy copy;
  store.LoadSetChoice(copy);
  ASSERT_EQ(copy.shown_set, SettingsSet::kExtended);

  EXPECT_EQ(store.SwitchSet(copy, SettingsSet::kBasic), kBasicWarning);
  EXPECT_EQ(copy.chosen_set, SettingsSet::kBasic);
  EXPECT_EQ(copy.shown_set, SettingsSet::kBasic);
  EXPECT_EQ(Bytes(), "[MURVA32PRE]\r\nCalenSelBa=1\r\nCalenSelEx=0\r\n");

  // The next start loads the basic set.
  WorkingCopy next;
  next.chosen_set = SettingsSet::kExtended;
  store.LoadSetChoice(next);
  EXPECT_EQ(SettingsStore::SectionOf(next), "Murva32V4");
}

TEST_F(SetSwitchTest, ChoosingTheExtendedSet) {
  SettingsStore store(Ini());
  WorkingCopy copy;
  EXPECT_EQ(store.SwitchSet(copy, SettingsSet::kExtended), kExtendedWarning);
  EXPECT_EQ(Bytes(), "[MURVA32PRE]\r\nCalenSelBa=0\r\nCalenSelEx=1\r\n");
  WorkingCopy next;
  store.LoadSetChoice(next);
  EXPECT_EQ(SettingsStore::SectionOf(next), "Murva32V4Ext");
}

TEST_F(SetSwitchTest, ClickingTheSetInUseDoesNothing) {
  SettingsStore store(Ini());
  WorkingCopy copy;
  EXPECT_EQ(store.SwitchSet(copy, SettingsSet::kBasic), "");
  EXPECT_FALSE(std::filesystem::exists(Ini()));

  WriteBytes(Ini(), "[MURVA32PRE]\nCalenSelEx=1\n");
  store.LoadSetChoice(copy);
  EXPECT_EQ(store.SwitchSet(copy, SettingsSet::kExtended), "");
  EXPECT_EQ(Bytes(), "[MURVA32PRE]\nCalenSelEx=1\n");
}

TEST_F(SetSwitchTest, NothingIsReloadedAndLaterSavesGoToTheNewSet) {
  WriteBytes(Ini(), "[Murva32V4]\r\nCalendDely=7\r\n[Murva32V4Ext]\r\nCalendDely=9\r\n");
  SettingsStore store(Ini());
  WorkingCopy copy;
  copy.delay_seconds = 7;  // on screen from the basic set
  store.SwitchSet(copy, SettingsSet::kExtended);
  EXPECT_EQ(copy.delay_seconds, 7);
  store.SaveConveniencePage(copy);
  EXPECT_EQ(ValueMap(Bytes(), "Murva32V4Ext")["CalendDely"], "7");
  EXPECT_EQ(ValueMap(Bytes(), "Murva32V4")["CalendDely"], "7");
}

TEST_F(SetSwitchTest, SwitchingBackAndForthWarnsEachTime) {
  SettingsStore store(Ini());
  WorkingCopy copy;
  EXPECT_EQ(store.SwitchSet(copy, SettingsSet::kExtended), kExtendedWarning);
  EXPECT_EQ(store.SwitchSet(copy, SettingsSet::kExtended), "");
  EXPECT_EQ(store.SwitchSet(copy, SettingsSet::kBasic), kBasicWarning);
  EXPECT_EQ(Bytes(), "[MURVA32PRE]\r\nCalenSelBa=1\r\nCalenSelEx=0\r\n");
}

TEST_F(SetSwitchTest, FailedWriteKeepsTheShownSetSoTheClickCanBeRepeated) {
  const std::string before = "[MURVA32PRE]\r\nCalenSelBa=1\r\n";
  WriteBytes(Ini(), before);
  SettingsStore store(Ini());
  WorkingCopy copy;
  {
    FileSizeLimit limit(before.size());
    EXPECT_THROW(store.SwitchSet(copy, SettingsSet::kExtended), SettingsWriteError);
  }
  EXPECT_EQ(Bytes(), before);
  EXPECT_EQ(copy.shown_set, SettingsSet::kBasic);
  EXPECT_EQ(store.SwitchSet(copy, SettingsSet::kExtended), kExtendedWarning);
}

}  // namespace
}  // namespace murva
