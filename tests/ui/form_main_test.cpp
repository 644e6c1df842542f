#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "support/temp_folder.h"
#include "ui/calendar_widget.h"
#include "ui/form_main.h"
#include "ui/scripted_dialogs.h"

namespace murva {
namespace {

using testing::NoLauncher;
using testing::ReadBytes;
using testing::TempFolder;

class FormMainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteBytes(folder_ / "MURVA32.INI",
                        "[MURVA32PRE]\r\nCalenSelBa=1\r\nCalenSelEx=0\r\n[Murva32V4]\r\n"
                        "CalWallUse=1\r\nCalendDely=7\r\nCalWalNumb=2\r\nCalSetNumb=3\r\n"
                        "EditPathW2=/pictures/two.png\r\nCalenBlok2=66\r\n");
  }

  TFormMain& Open(const std::string& argument = "") {
    RunEnvironment environment;
    environment.program_folder = folder_.Path();
    environment.first_argument = argument;
    environment.clock = &clock_;
    environment.launcher = &launcher_;
    form_ = std::make_unique<TFormMain>(environment);
    form_->Create();
    form_->show();
    form_->Cycle().FormActivate();
    return *form_;
  }

  template <typename Widget>
  Widget* Find(const char* name) {
    auto* widget = form_->findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  // Answers the next message box and returns its text.
  std::string AcceptNextMessage(const std::function<void()>& action) {
    std::string text;
    QTimer::singleShot(0, [&text] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        text = box->text().toStdString();
        box->accept();
      }
    });
    action();
    return text;
  }

  std::string Ini() const { return ReadBytes(folder_ / "MURVA32.INI"); }

  TempFolder folder_;
  FixedClock clock_{{2026, 12, 7, 10, 0, 0}};  // a Monday
  NoLauncher launcher_;
  std::unique_ptr<TFormMain> form_;
};

TEST_F(FormMainTest, ControlsCarryTheSystemNamesAndCaptions) {
  Open();
  for (int page = 1; page <= 8; ++page) {
    const std::string n = std::to_string(page);
    EXPECT_NE(form_->findChild<QWidget*>(QString::fromStdString("TabSheetW" + n)), nullptr);
    EXPECT_NE(form_->findChild<QLineEdit*>(QString::fromStdString("EditWal" + n)), nullptr);
    auto* browse = form_->findChild<QPushButton*>(QString::fromStdString("SpeedButtonPathW" + n));
    ASSERT_NE(browse, nullptr);
    EXPECT_EQ(browse->text(), "壁紙(&R)");
  }
  auto* pages = Find<QTabWidget>("PageControl1");
  EXPECT_EQ(pages->tabText(0), "壁紙 １");
  EXPECT_EQ(pages->tabText(7), "壁紙 ８");
  auto* settings = Find<QTabWidget>("PageControl2");
  EXPECT_EQ(settings->tabText(2), "便利な設定");
  EXPECT_EQ(Find<QPushButton>("SpeedButtonMake")->text(), "作成(&M)");
  EXPECT_EQ(Find<QPushButton>("ButtonClose")->text(), "×");
  EXPECT_EQ(Find<QCheckBox>("CheckBoxAlWay")->text(), "常時作成モード");
  EXPECT_EQ(Find<QCheckBox>("CheckBoxMakeOnly")->text(), "壁紙作成するが更新しない");
  EXPECT_EQ(Find<QComboBox>("ComboBoxWalUseDsp")->itemText(3), "初回起動のみランダム");
  for (const char* name : {"PanelInfo", "LabelInfo", "PanelWait", "PanelModeDsp", "TimerDelay",
                           "SpinEditDelay", "ComboBox256", "ComboBoxWeek7", "CheckBoxHide",
                           "CheckBoxMonStart", "CheckBoxTile", "CheckBoxTodaySch", "CheckBox3D",
                           "SpeedButtonSave", "SpeedButtonBas", "SpeedButtonExt", "PanelSelB",
                           "CalendarEx1"}) {
    EXPECT_NE(form_->findChild<QObject*>(name), nullptr) << name;
  }
}

TEST_F(FormMainTest, InteractiveStartShowsTheStoredTabsAndValues) {
  Open();
  EXPECT_EQ(form_->windowTitle(), "MURVA32  mode WEEK");
  EXPECT_EQ(Find<QTabWidget>("PageControl1")->currentIndex(), 1);
  EXPECT_EQ(Find<QTabWidget>("PageControl2")->currentIndex(), 2);
  EXPECT_EQ(Find<QLineEdit>("EditWal2")->text(), "/pictures/two.png");
  EXPECT_EQ(Find<QScrollBar>("ScrollBarMonth")->value(), 66);
  EXPECT_EQ(Find<QSpinBox>("SpinEditDelay")->value(), 7);
  EXPECT_EQ(Find<QLabel>("PanelModeDsp")->text(), "曜日と連動で壁紙変更");
  EXPECT_FALSE(Find<QPushButton>("SpeedButtonSave")->isEnabled());
  EXPECT_FALSE(Find<QWidget>("PanelInfo")->isVisible());
  // The drawing code's engine is the one the calendar control shows.
  EXPECT_EQ(Find<TCalendarWidget>("CalendarEx1")->Calendar(), &form_->Cycle().Engine());
  // Today is a Monday: its weekday selector is yellow.
  EXPECT_TRUE(Find<QComboBox>("ComboBoxWeek2")->styleSheet().contains("#ffff00"));
}

TEST_F(FormMainTest, ConvenienceEditsEnableSaveAndTheSaveWritesTheKeys) {
  Open();
  auto* mode = Find<QComboBox>("ComboBoxWalUseDsp");
  mode->setCurrentIndex(2);
  EXPECT_EQ(form_->windowTitle(), "MURVA32  mode RANDOM");
  auto* save = Find<QPushButton>("SpeedButtonSave");
  EXPECT_TRUE(save->isEnabled());
  auto* delay = Find<QSpinBox>("SpinEditDelay");
  delay->setValue(0);
  EXPECT_NE(delay->palette().color(QPalette::Text), QColor(Qt::red));
  delay->setValue(12);
  EXPECT_EQ(delay->palette().color(QPalette::Text), QColor(Qt::red));
  // On the box itself: a check box takes clicks on its box and caption only.
  QTest::mouseClick(Find<QCheckBox>("CheckBoxHide"), Qt::LeftButton, {}, QPoint(8, 8));
  save->click();
  EXPECT_FALSE(save->isEnabled());
  const std::string ini = Ini();
  EXPECT_NE(ini.find("CalWallUse=2"), std::string::npos);
  EXPECT_NE(ini.find("CalendDely=12"), std::string::npos);
  EXPECT_NE(ini.find("CalendHide=0"), std::string::npos);
}

TEST_F(FormMainTest, TileSwitchExplainsItsNewState) {
  Open();
  const std::string text =
      AcceptNextMessage([this] {
        QTest::mouseClick(Find<QCheckBox>("CheckBoxTile"), Qt::LeftButton, {}, QPoint(8, 8));
      });
  EXPECT_EQ(text.rfind("画面サイズより小さな壁紙でもタイルパターン表示にしません。", 0), 0u);
  EXPECT_TRUE(Find<QPushButton>("SpeedButtonSave")->isEnabled());
}

// An unsaved edit of "便利な設定" is still there, and can still be saved,
// after another tab was shown.
TEST_F(FormMainTest, TheConvenienceTabKeepsItsUnsavedEditAndItsSaveButton) {
  Open();
  Find<QComboBox>("ComboBoxWalUseDsp")->setCurrentIndex(0);
  auto* settings = Find<QTabWidget>("PageControl2");
  settings->setCurrentIndex(0);
  settings->setCurrentIndex(2);
  EXPECT_EQ(Find<QComboBox>("ComboBoxWalUseDsp")->currentIndex(), 0);
  auto* save = Find<QPushButton>("SpeedButtonSave");
  ASSERT_TRUE(save->isEnabled());
  save->click();
  EXPECT_NE(Ini().find("CalWallUse=0"), std::string::npos);
  EXPECT_FALSE(save->isEnabled());
}

// Bars moved and not saved stay with their page while another page is
// shown; a page without edits is shown as the file has it.
TEST_F(FormMainTest, ShowingAnotherPageKeepsTheUnsavedBarsOfThePageLeft) {
  Open();
  Find<QScrollBar>("ScrollBarMonth")->setValue(120);
  Find<QScrollBar>("ScrollBarCalTop")->setValue(33);
  auto* pages = Find<QTabWidget>("PageControl1");
  pages->setCurrentIndex(0);
  EXPECT_EQ(Find<QScrollBar>("ScrollBarMonth")->value(), 30);
  EXPECT_EQ(Find<QScrollBar>("ScrollBarCalTop")->value(), 0);
  pages->setCurrentIndex(1);
  EXPECT_EQ(Find<QScrollBar>("ScrollBarMonth")->value(), 120);
  EXPECT_EQ(Find<QScrollBar>("ScrollBarCalTop")->value(), 33);
  EXPECT_TRUE(form_->Cycle().Edits().PageUnsaved(2));
  EXPECT_FALSE(form_->Cycle().Edits().PageUnsaved(1));
  // The file still has the page as it was saved.
  EXPECT_NE(Ini().find("CalenBlok2=66"), std::string::npos);
}

TEST_F(FormMainTest, SetSwitchWarnsOnceAndRecordsTheChoice) {
  Open();
  const std::string warning =
      AcceptNextMessage([this] { Find<QPushButton>("SpeedButtonExt")->click(); });
  EXPECT_EQ(warning.rfind("★注意★ＭＵＲＶＡ３２の設定保存に「拡張」部が選択されました．", 0), 0u);
  EXPECT_NE(Ini().find("CalenSelEx=1"), std::string::npos);
  EXPECT_TRUE(Find<QLabel>("PanelSelB")->styleSheet().contains("#ffff00"));
  // The same button again: no message, no write.
  const std::string before = Ini();
  EXPECT_EQ(AcceptNextMessage([this] { Find<QPushButton>("SpeedButtonExt")->click(); }), "");
  EXPECT_EQ(Ini(), before);
}

TEST_F(FormMainTest, ManualBuildInStealthModeShrinksAndEscapeRestores) {
  const auto picture = folder_ / "back.bmp";
  QImage image(1024, 768, QImage::Format_RGB32);
  image.fill(Qt::darkBlue);
  image.save(QString::fromStdString(picture.string()), "BMP");
  Open();
  Find<QLineEdit>("EditWal2")->setText(QString::fromStdString(picture.string()));
  emit Find<QLineEdit>("EditWal2")->textEdited(QString::fromStdString(picture.string()));
  Find<QPushButton>("SpeedButtonMake")->click();
  EXPECT_TRUE(std::filesystem::exists(folder_ / "MURVA00.BMP"));
  auto* close = Find<QPushButton>("ButtonClose");
  EXPECT_EQ(close->text(), "▼");
  EXPECT_FALSE(Find<QWidget>("PageControlMain")->isVisible());
  EXPECT_TRUE(Find<QLabel>("PanelCX")->isVisible());
  form_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  QTest::keyClick(form_.get(), Qt::Key_Escape);
  EXPECT_EQ(close->text(), "×");
  EXPECT_TRUE(Find<QWidget>("PageControlMain")->isVisible());
  EXPECT_TRUE(form_->isVisible());
  // The path typed into the field was saved with the page.
  EXPECT_NE(Ini().find("EditPathW2=" + picture.string()), std::string::npos);
}

TEST_F(FormMainTest, AutomaticRunCountsDownInTheInformationPanel) {
  Open("-E");
  EXPECT_TRUE(Find<QWidget>("PanelInfo")->isVisible());
  EXPECT_EQ(Find<QLabel>("LabelInfo")->text(), "ただいま待機中です");
  EXPECT_EQ(Find<QLabel>("PanelWait")->text(), "7");
  EXPECT_TRUE(Find<QTimer>("TimerDelay")->isActive());
  EXPECT_EQ(form_->windowTitle(), "MURVA32    待機中：7 (秒)   壁紙：1");
  // Closing during the countdown ends without a build.
  form_->close();
  EXPECT_FALSE(Find<QTimer>("TimerDelay")->isActive());
  EXPECT_FALSE(std::filesystem::exists(folder_ / "MURVA00.BMP"));
}

TEST_F(FormMainTest, HelpButtonShowsTheMacroList) {
  Open();
  const std::string help =
      AcceptNextMessage([this] { Find<QPushButton>("SpeedButtonHint2")->click(); });
  EXPECT_NE(help.find("■置き換え文字マクロの一覧■"), std::string::npos);
  EXPECT_NE(help.find("\n\n■置き換え"), std::string::npos);
}

TEST_F(FormMainTest, ClosingStoresTheWindowPosition) {
  Open();
  form_->move(150, 90);
  form_->close();
  EXPECT_NE(Ini().find("FormPositX="), std::string::npos);
}

}  // namespace
}  // namespace murva
