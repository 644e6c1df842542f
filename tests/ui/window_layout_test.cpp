// The control panel's layout on the screens it must serve: nothing clipped
// or overlapped in any tab and any state the window goes through, the window
// within the screen, the exact size back after the stealth build, and
// screenshots of every page left as artefacts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <filesystem>

#include "layout_check.h"
#include "support/temp_folder.h"
#include "ui/form_main.h"
#include "ui/scripted_dialogs.h"

namespace murva {
namespace {

using testing::NoLauncher;
using testing::LayoutCheck;
using testing::TempFolder;

std::string Name(ScreenSize screen) {
  return std::to_string(screen.width) + "x" + std::to_string(screen.height);
}

class WindowLayoutTest : public ::testing::TestWithParam<ScreenSize> {
 protected:
  TFormMain& Open(const std::string& background = "/pictures/a rather long folder name/back.png") {
    testing::WriteBytes(folder_ / "MURVA32.INI",
                        "[MURVA32PRE]\r\nCalenSelBa=1\r\nCalenSelEx=0\r\n[Murva32V4]\r\n"
                        "CalendDely=30\r\nCalenAlWay=1\r\nEditPathW1=" + background + "\r\n"
                        "CalendWX11=700\r\nCalendWY11=500\r\nSchdulWX11=40\r\nSchdulWY11=600\r\n");
    RunEnvironment environment;
    environment.program_folder = folder_.Path();
    environment.clock = &clock_;
    environment.launcher = &launcher_;
    environment.screen = GetParam();
    form_ = std::make_unique<TFormMain>(environment);
    form_->Create();
    form_->show();
    form_->Cycle().FormActivate();
    QApplication::processEvents();
    return *form_;
  }

  QTabWidget* Tabs(const char* name) { return form_->findChild<QTabWidget*>(name); }

  // Walks every tab of the window and reports what is wrong in each; with a
  // label, leaves a screenshot of each as an artefact.
  std::vector<std::string> FaultsInEveryTab(const std::string& shots = "") {
    std::vector<std::string> faults;
    const auto check = [&](const std::string& where) {
      for (const std::string& fault : LayoutCheck::Faults(form_.get())) {
        faults.push_back(where + ": " + fault);
      }
      if (!shots.empty()) Save(shots + "-" + where);
    };
    QTabWidget* main = Tabs("PageControlMain");
    QTabWidget* pages = Tabs("PageControl1");
    QTabWidget* settings = Tabs("PageControl2");
    main->setCurrentIndex(0);
    for (int page = 0; page < pages->count(); ++page) {
      pages->setCurrentIndex(page);
      check("wallpaper-" + std::to_string(page + 1));
    }
    pages->setCurrentIndex(0);
    for (int tab = 0; tab < settings->count(); ++tab) {
      settings->setCurrentIndex(tab);
      check("settings-" + std::to_string(tab + 1));
    }
    for (int tab = 1; tab < main->count(); ++tab) {
      main->setCurrentIndex(tab);
      check("main-" + std::to_string(tab + 1));
    }
    main->setCurrentIndex(0);
    settings->setCurrentIndex(0);
    return faults;
  }

  void Save(const std::string& name) {
#ifdef MURVA_TEST_ARTEFACT_DIR
    std::filesystem::create_directories(MURVA_TEST_ARTEFACT_DIR);
    form_->grab().save(QString::fromStdString(std::string(MURVA_TEST_ARTEFACT_DIR) +
                                              "/panel-" + Name(GetParam()) + "-" + name + ".png"));
#endif
  }

  TempFolder folder_;
  FixedClock clock_{{2026, 12, 7, 10, 0, 0}};
  NoLauncher launcher_;
  std::unique_ptr<TFormMain> form_;
};

TEST_P(WindowLayoutTest, EveryTabFitsTheScreenWithNothingClippedOrOverlapped) {
  Open();
  const ScreenSize screen = GetParam();
  EXPECT_LE(form_->width(), screen.width);
  EXPECT_LE(form_->height(), screen.height);
  for (const std::string& fault : FaultsInEveryTab("normal")) ADD_FAILURE() << fault;
  // Made larger by the user, the tabs take the room.
  const QSize larger(screen.width * 2 / 3, screen.height * 2 / 3);
  if (larger.width() > form_->width() && larger.height() > form_->height()) {
    form_->resize(larger);
    for (const std::string& fault : FaultsInEveryTab("larger")) ADD_FAILURE() << "larger: " << fault;
  }
}

// The smallest window: every control keeps the room its content needs, and
// that window still fits the screen with room for a frame and a panel.
TEST_P(WindowLayoutTest, AtItsMinimumSizeNothingIsClippedAndItFitsTheScreen) {
  Open();
  const QSize minimum = form_->minimumSize();
  EXPECT_EQ(minimum, form_->minimumSizeHint());
  EXPECT_LE(minimum.width(), 1024 - 16);
  EXPECT_LE(minimum.height(), 768 - 88);
  form_->resize(minimum);
  for (const std::string& fault : FaultsInEveryTab()) ADD_FAILURE() << fault;
}

// The right-click test run shows the information panel: it takes the
// preview's room, not the room of the settings tabs (the window may already
// be as tall as the screen lets it be), so the seven weekday selectors of
// "便利な設定" keep their full height.
TEST_P(WindowLayoutTest, TestRunMakesRoomForTheInformationPanel) {
  Open();
  const QSize minimum = form_->minimumSize();
  form_->resize(minimum);
  Tabs("PageControl2")->setCurrentIndex(2);
  QTest::mousePress(form_->findChild<QPushButton*>("SpeedButtonMake"), Qt::RightButton);
  ASSERT_TRUE(form_->findChild<QWidget*>("PanelInfo")->isVisible());
  EXPECT_EQ(form_->findChild<QLabel*>("LabelInfo")->text(), "ただいま待機中です");
  QApplication::processEvents();
  EXPECT_EQ(form_->minimumSize(), minimum);
  EXPECT_EQ(form_->size(), minimum);
  for (int day = 1; day <= 7; ++day) {
    auto* selector = form_->findChild<QComboBox*>(QString("ComboBoxWeek%1").arg(day));
    EXPECT_GE(selector->height(), selector->sizeHint().height()) << day;
  }
  const ScreenSize screen = GetParam();
  EXPECT_LE(form_->height(), std::min(screen.height, 768) - 88);
  for (const std::string& fault : FaultsInEveryTab("test-run")) ADD_FAILURE() << fault;
  form_->close();
}

// A build in stealth mode shrinks the window to the strip, where the four
// position read-outs take the places of their labels; Esc brings back
// exactly the size and place the window had.
TEST_P(WindowLayoutTest, StealthBuildShrinksToTheStripAndRestoresTheExactSize) {
  const std::filesystem::path picture = folder_ / "back.bmp";
  QImage image(320, 240, QImage::Format_RGB32);
  image.fill(Qt::darkCyan);
  ASSERT_TRUE(image.save(QString::fromStdString(picture.string()), "BMP"));
  Open(picture.string());
  const QSize minimum = form_->minimumSize();
  const QRect before(QPoint(30, 20), minimum + QSize(37, 23));
  form_->setGeometry(before);
  QApplication::processEvents();
  const QStringList readouts = {"PanelCY", "PanelCX", "PanelSY", "PanelSX"};
  for (const QString& name : readouts) {
    EXPECT_FALSE(form_->findChild<QLabel*>(name)->isVisible()) << name.toStdString();
  }

  form_->findChild<QPushButton*>("SpeedButtonMake")->click();
  QApplication::processEvents();
  ASSERT_TRUE(std::filesystem::exists(folder_ / "MURVA00.BMP"));
  EXPECT_EQ(form_->findChild<QPushButton*>("ButtonClose")->text(), "▼");
  auto* strip = form_->findChild<QWidget*>("PanelUpper");
  EXPECT_FALSE(form_->findChild<QWidget*>("PageControlMain")->isVisible());
  EXPECT_LE(form_->height(), strip->height() + 2 * 12);
  EXPECT_EQ(form_->width(), before.width());
  EXPECT_EQ(form_->geometry().topLeft(), before.topLeft());
  for (const QString& name : readouts) {
    auto* readout = form_->findChild<QLabel*>(name);
    EXPECT_TRUE(readout->isVisible()) << name.toStdString();
  }
  EXPECT_EQ(form_->findChild<QLabel*>("PanelCX")->text(), "700");
  for (const std::string& fault : LayoutCheck::Faults(form_.get())) ADD_FAILURE() << "shrunk: " << fault;
  Save("shrunk");

  form_->activateWindow();
  QTest::keyClick(form_.get(), Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_EQ(form_->findChild<QPushButton*>("ButtonClose")->text(), "×");
  EXPECT_EQ(form_->geometry(), before);
  // The minimum size is back with the size: the window cannot be made
  // smaller than its controls.
  EXPECT_EQ(form_->minimumSize(), minimum);
  form_->resize(200, 120);
  EXPECT_EQ(form_->size(), minimum);
  form_->setGeometry(before);
  for (const QString& name : readouts) {
    EXPECT_FALSE(form_->findChild<QLabel*>(name)->isVisible()) << name.toStdString();
  }
  for (const std::string& fault : FaultsInEveryTab("restored")) ADD_FAILURE() << fault;
}

INSTANTIATE_TEST_SUITE_P(Screens, WindowLayoutTest,
                         ::testing::Values(ScreenSize{1024, 768}, ScreenSize{1920, 1080}),
                         [](const auto& info) { return "Screen" + Name(info.param); });

}  // namespace
}  // namespace murva
