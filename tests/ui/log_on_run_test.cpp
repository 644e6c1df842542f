// The log-on run switch on the convenience page, and under it the switch
// that keeps the log-on run resident (--watch): stored with the page, and
// the autostart entry follows them when the page is saved.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <cstdlib>

#include "support/temp_folder.h"
#include "ui/form_main.h"
#include "ui/scripted_dialogs.h"

namespace murva {
namespace {

using testing::NoLauncher;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

class LogOnRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config) saved_config_ = config;
    had_config_ = config != nullptr;
    setenv("XDG_CONFIG_HOME", (folder_ / "config").c_str(), 1);
  }
  void TearDown() override {
    if (had_config_) {
      setenv("XDG_CONFIG_HOME", saved_config_.c_str(), 1);
    } else {
      unsetenv("XDG_CONFIG_HOME");
    }
  }

  void Open(const std::string& keys = "") {
    WriteBytes(folder_ / "settings" / "MURVA32.INI",
               "[MURVA32PRE]\r\nCalenSelBa=1\r\nCalenSelEx=0\r\n[Murva32V4]\r\nCalSetNumb=3\r\n" + keys);
    RunEnvironment environment;
    environment.program_folder = folder_ / "settings";
    environment.clock = &clock_;
    environment.launcher = &launcher_;
    form_ = std::make_unique<TFormMain>(environment);
    form_->Create();
    form_->show();
    form_->Cycle().FormActivate();
  }

  QCheckBox* Box() { return form_->findChild<QCheckBox*>("CheckBoxLogOn"); }
  QCheckBox* Watch() { return form_->findChild<QCheckBox*>("CheckBoxWatch"); }
  QPushButton* Save() { return form_->findChild<QPushButton*>("SpeedButtonSave"); }
  std::filesystem::path Entry() const { return folder_ / "config" / "autostart" / "murva32.desktop"; }
  std::string Ini() const { return ReadBytes(folder_ / "settings" / "MURVA32.INI"); }

  TempFolder folder_;
  FixedClock clock_{{2026, 12, 7, 10, 0, 0}};
  NoLauncher launcher_;
  std::unique_ptr<TFormMain> form_;
  std::string saved_config_;
  bool had_config_ = false;
};

TEST_F(LogOnRunTest, TheSwitchIsOffByDefaultAndShowsTheStoredKey) {
  Open();
  ASSERT_NE(Box(), nullptr);
  EXPECT_EQ(Box()->text(), "ログオン時に自動作成する");
  EXPECT_FALSE(Box()->isChecked());
  Open("CalAutoRun=1\r\n");
  EXPECT_TRUE(Box()->isChecked());
}

TEST_F(LogOnRunTest, SavingThePageWritesTheEntryAndTheKeyAndRemovesThemAgain) {
  Open();
  QTest::mouseClick(Box(), Qt::LeftButton);
  EXPECT_TRUE(Save()->isEnabled());
  // Nothing happens before the page is saved.
  EXPECT_FALSE(std::filesystem::exists(Entry()));
  Save()->click();
  EXPECT_FALSE(Save()->isEnabled());
  EXPECT_NE(Ini().find("CalAutoRun=1\r\n"), std::string::npos);
  const std::string entry = ReadBytes(Entry());
  EXPECT_NE(entry.find("\nExec="), std::string::npos) << entry;
  // The watch is on by default: the log-on run stays resident.
  EXPECT_NE(entry.find(" -E --watch\n"), std::string::npos) << entry;

  QTest::mouseClick(Box(), Qt::LeftButton);
  Save()->click();
  EXPECT_NE(Ini().find("CalAutoRun=0\r\n"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(Entry()));
}

TEST_F(LogOnRunTest, TheWatchSwitchSitsUnderTheLogOnRunAndAddsWatchToTheEntry) {
  Open("CalAutoRun=1\r\n");
  ASSERT_NE(Watch(), nullptr);
  EXPECT_EQ(Watch()->text(), "日付が変わったら壁紙を更新する");
  EXPECT_TRUE(Watch()->isChecked());  // on by default
  EXPECT_TRUE(Watch()->isEnabled());
  EXPECT_GT(Watch()->geometry().top(), Box()->geometry().top());

  QTest::mouseClick(Watch(), Qt::LeftButton);
  EXPECT_TRUE(Save()->isEnabled());
  Save()->click();
  EXPECT_NE(Ini().find("CalWatchOn=0\r\n"), std::string::npos);
  std::string entry = ReadBytes(Entry());
  EXPECT_NE(entry.find(" -E\n"), std::string::npos) << entry;

  QTest::mouseClick(Watch(), Qt::LeftButton);
  Save()->click();
  EXPECT_NE(Ini().find("CalWatchOn=1\r\n"), std::string::npos);
  entry = ReadBytes(Entry());
  EXPECT_NE(entry.find(" -E --watch\n"), std::string::npos) << entry;

  // Without the log-on run it has nothing to add to: greyed out.
  QTest::mouseClick(Box(), Qt::LeftButton);
  EXPECT_FALSE(Watch()->isEnabled());
  Open("CalAutoRun=0\r\nCalWatchOn=0\r\n");
  EXPECT_FALSE(Watch()->isChecked());
  EXPECT_FALSE(Watch()->isEnabled());
}

TEST_F(LogOnRunTest, SavingOtherSwitchesLeavesTheEntryAlone) {
  // An entry made from the command line while the key says off.
  WriteBytes(Entry(), "[Desktop Entry]\nType=Application\nName=MURVA32\nExec=murva32 -E\n");
  Open();
  QTest::mouseClick(form_->findChild<QCheckBox*>("CheckBoxHide"), Qt::LeftButton);
  Save()->click();
  EXPECT_TRUE(std::filesystem::exists(Entry()));
}

}  // namespace
}  // namespace murva
