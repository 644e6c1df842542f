// Settings chosen only through the control panel's widgets, driven by the
// test on the virtual screen: the manual build writes a wallpaper that shows
// them and the settings file that keeps them, and an automatic run of the
// real program in a new process builds the same picture from that file.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "app/wallpaper_build.h"
#include "calendar/calendar_ex1.h"
#include "calendar/clock.h"
#include "program_runner.h"
#include "render/set_today_fields.h"
#include "settings/profile_file.h"
#include "shared_display.h"
#include "support/temp_folder.h"
#include "ui/panel_fixture.h"

namespace murva {
namespace {

constexpr const char* kDate = "2026-05-03 08:00:00";
constexpr LocalDateTime kNow{2026, 5, 3, 8, 0, 0};

int DifferentPixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return -1;
  int different = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) different += (a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF);
  }
  return different;
}

template <typename Widget>
Widget* Child(QWidget& parent, const char* name) {
  auto* widget = parent.findChild<Widget*>(name);
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

bool RegionDiffers(const QImage& a, const QImage& b, const QRect& region) {
  for (int y = region.top(); y <= region.bottom(); ++y) {
    for (int x = region.left(); x <= region.right(); ++x) {
      if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF)) return true;
    }
  }
  return false;
}

TEST(SettingsWindowEndToEnd, ChoicesMadeInTheWindowReachTheWallpaperAndTheAutomaticRun) {
  testing::XvfbServer& server = testing::SharedDisplay();
  ASSERT_TRUE(server.Running());
  testing::TempFolder folder;
  QImage background(1024, 768, QImage::Format_RGB32);
  background.fill(QColor(24, 44, 70));
  const auto picture = folder / "pictures" / "back.bmp";
  std::filesystem::create_directories(picture.parent_path());
  ASSERT_TRUE(background.save(QString::fromStdString(picture.string()), "BMP"));

  // A first start without a settings file; everything below goes through widgets.
  FixedClock clock(kNow);
  testing::NoLauncher launcher;
  testing::ScriptedDialogs dialogs;
  RunEnvironment environment;
  environment.program_folder = folder.Path();
  environment.clock = &clock;
  environment.launcher = &launcher;
  TFormMain form(environment);
  form.SetDialogs(dialogs);
  form.Create();
  form.show();
  form.Cycle().FormActivate();
  auto* path = Child<QLineEdit>(form, "EditWal1");
  path->setFocus();
  QTest::keyClicks(path, QString::fromStdString(picture.string()));
  Child<QComboBox>(form, "ComboBoxStyl")->setCurrentIndex(1);    // ボックス形
  Child<QComboBox>(form, "ComboBoxPeriod")->setCurrentIndex(1);  // 今月＋来月
  Child<QComboBox>(form, "ComboBoxMonth")->setCurrentIndex(2);   // JAN形式
  Child<QScrollBar>(form, "ScrollBarCalLeft")->setValue(420);
  Child<QScrollBar>(form, "ScrollBarCalTop")->setValue(300);
  Child<QCheckBox>(form, "CheckBoxTitle")->click();
  Child<QScrollBar>(form, "ScrollBarTitleLeft")->setValue(40);
  Child<QScrollBar>(form, "ScrollBarTitleTop")->setValue(50);
  auto* title = Child<QLineEdit>(form, "EditTitle1");
  title->setFocus();
  QTest::sendKeyEvent(QTest::Click, title, Qt::Key_unknown, "今日は $yyyy/$mm/$dd", Qt::NoModifier);
  QFont mincho("IPAMincho");
  mincho.setPointSize(28);
  mincho.setBold(true);
  dialogs.fonts = {mincho};
  Child<QPushButton>(form, "SpeedButtonTitle1")->click();
  Child<QPushButton>(form, "SpeedButtonMake")->click();

  const auto output = picture.parent_path() / "MURVA00.BMP";
  ASSERT_TRUE(std::filesystem::exists(output));
  const QImage manual = QImage(QString::fromStdString(output.string())).convertToFormat(QImage::Format_RGB32);
  std::filesystem::create_directories(MURVA_TEST_ARTEFACT_DIR);
  manual.save(QString(MURVA_TEST_ARTEFACT_DIR) + "/settings-window-manual-build.png");

  // The file keeps the choices, in the names users know.
  const ProfileFile ini(folder / "MURVA32.INI");
  EXPECT_EQ(ini.Find("Murva32V4", "CalendStyl"), "1");
  EXPECT_EQ(ini.Find("Murva32V4", "CalendPerd"), "1");
  EXPECT_EQ(ini.Find("Murva32V4", "CalendMnth"), "2");
  EXPECT_EQ(ini.Find("Murva32V4", "CalenTitle"), "1");
  EXPECT_EQ(ini.Find("Murva32V4", "TitleText1"), "000今日は $yyyy/$mm/$dd");
  EXPECT_EQ(ini.Find("Murva32V4", "TiFntName1"), "ＭＳ 明朝");

  // The wallpaper is the picture those choices make, drawn here from a copy
  // set up by hand ...
  WorkingCopy expected;
  expected.pages[0].path = picture.string();
  expected.calendar_style = 1;
  expected.period = 1;
  expected.month_label_style = 2;
  expected.layout.calendar_x = 420;
  expected.layout.calendar_y = 300;
  expected.titles_on = true;
  expected.title_x = 40;
  expected.title_y = 50;
  expected.titles[0].text = "今日は $yyyy/$mm/$dd";
  expected.titles[0].font = {"ＭＳ 明朝", 28, 1};
  expected.titles[0].size_text = "28";
  SettingsStore store(folder / "unused.ini");
  auto engine = MakeCalendarEx1(clock);
  const TodayFields today = SetTodayFields(*engine);
  ScheduleList schedules;
  SeededRandom random(1);
  SilentBuildHost host;
  const BuildInputs inputs{expected, store,   *engine, schedules, today, clock, random,
                           nullptr,  ScreenSize{1024, 768}, folder.Path()};
  const QImage composed =
      ComposeWallpaper(inputs, picture, host).image.convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(DifferentPixels(manual, composed), 0);
  // ... which carries the title and the calendar where they were placed.
  EXPECT_TRUE(RegionDiffers(manual, background, QRect(40, 50, 200, 30)));
  EXPECT_TRUE(RegionDiffers(manual, background, QRect(420, 300, 200, 120)));

  // An automatic run of the real program builds the same from the file.
  form.close();
  std::filesystem::remove(output);
  testing::ProgramRunner runner(folder.Path(), server.Display(), kDate);
  const testing::RunResult run = runner.Run({"-E"});
  ASSERT_FALSE(run.timed_out) << run.errors;
  ASSERT_EQ(run.exit_code, 0) << run.errors;
  const QImage automatic = QImage(QString::fromStdString(output.string())).convertToFormat(QImage::Format_RGB32);
  automatic.save(QString(MURVA_TEST_ARTEFACT_DIR) + "/settings-window-automatic-run.png");
  EXPECT_EQ(DifferentPixels(manual, automatic), 0);
}

}  // namespace
}  // namespace murva
