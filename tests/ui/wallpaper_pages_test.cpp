// The wallpaper pages on the real widgets, on a screen of the test's choice:
// miniatures and markers, the position bars over the screen's size, the
// orientation switch, "位置揃", the colours and the background dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <cmath>
#include <deque>

#include "support/temp_folder.h"
#include "ui/form_main.h"
#include "ui/scripted_dialogs.h"

namespace murva {
namespace {

using testing::NoLauncher;
using testing::ReadBytes;
using testing::TempFolder;

// Answers the panel's dialogs from a script and remembers what it was asked.
class ScriptedDialogs : public Dialogs {
 public:
  std::deque<QString> files;                  // empty text: cancelled
  std::deque<std::optional<QColor>> colors;   // nullopt: cancelled
  QString asked_folder, asked_filter;
  std::optional<QColor> offered_color;
  std::vector<QString> messages;

  QString OpenFileName(QWidget*, const QString& folder, const QString& filter) override {
    asked_folder = folder;
    asked_filter = filter;
    return Next(files, QString());
  }
  std::optional<QColor> ChooseColor(QWidget*, const QColor& initial) override {
    offered_color = initial;
    return Next(colors, std::optional<QColor>());
  }
  void Message(QWidget*, const QString& text, MessageIcon) override { messages.push_back(text); }

 private:
  template <typename T>
  static T Next(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T value = queue.front();
    queue.pop_front();
    return value;
  }
};

class WallpaperPagesTest : public ::testing::Test {
 protected:
  void Open(ScreenSize screen = {1024, 768}, const std::string& keys = "",
            bool extended_set = false) {
    testing::WriteBytes(folder_ / "MURVA32.INI",
                        std::string("[MURVA32PRE]\r\n") +
                            (extended_set ? "CalenSelBa=0\r\nCalenSelEx=1\r\n"
                                          : "CalenSelBa=1\r\nCalenSelEx=0\r\n") +
                            "[Murva32V4]\r\n"
                        "BmpInitFld=/pictures/start\r\n"
                        "CalenBlok1=44\r\nCalenLine1=11\r\nCalenDays1=7\r\nCalendWX11=300\r\n"
                        "CalendWY11=200\r\nSchdulWX11=600\r\nSchdulWY11=500\r\n"
                        "CalenChHV2=横→縦\r\nCalendWX12=512\r\nCalendWY12=384\r\n"
                        "SchdulWX12=100\r\nSchdulWY12=700\r\nColorsSat5=255\r\n"
                        "EditPathW5=/pictures/five.png\r\n" + keys);
    RunEnvironment environment;
    environment.program_folder = folder_.Path();
    environment.clock = &clock_;
    environment.launcher = &launcher_;
    environment.screen = screen;
    form_ = std::make_unique<TFormMain>(environment);
    form_->SetDialogs(dialogs_);
    form_->Create();
    form_->show();
    form_->Cycle().FormActivate();
  }

  template <typename Widget = QWidget>
  Widget* Find(const std::string& name) {
    auto* widget = form_->findChild<Widget*>(QString::fromStdString(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QScrollBar* Bar(const std::string& name) { return Find<QScrollBar>(name); }
  QString Text(const std::string& name) { return Find<QLabel>(name)->text(); }
  void ShowPage(int page) { Find<QTabWidget>("PageControl1")->setCurrentIndex(page - 1); }
  void ClickLabel(const std::string& name) {
    QTest::mouseClick(Find<QLabel>(name), Qt::LeftButton);
  }
  QColor ShadowOf(int page) {
    return Find<QLabel>("Label3D" + std::to_string(page))->palette().color(QPalette::WindowText);
  }
  std::string Ini() const { return ReadBytes(folder_ / "MURVA32.INI"); }

  TempFolder folder_;
  FixedClock clock_{{2026, 12, 7, 10, 0, 0}};
  NoLauncher launcher_;
  ScriptedDialogs dialogs_;
  std::unique_ptr<TFormMain> form_;
};

TEST_F(WallpaperPagesTest, EveryPageCarriesItsControls) {
  Open();
  struct Sized {
    const char* stem;
    const char* caption;
    int width, height;
  };
  const Sized miniatures[] = {{"PanelCalBak", "CALENDAR", 120, 81},
                              {"PanelSchBak", "SCHEDULE", 120, 81}};
  const Sized markers[] = {{"PanelCalIndV", "", 10, 50},
                           {"PanelCalIndH", "", 64, 10},
                           {"PanelSchInd", "", 38, 29}};
  const std::pair<const char*, const char*> buttons[] = {
      {"SpeedButtonPathW", "壁紙(&R)"}, {"SpeedButtonSch", "予定(&A)"}, {"SpeedButtonTdy", "今日(&B)"},
      {"SpeedButtonWek", "平日(&C)"},   {"SpeedButtonSat", "土曜(&D)"}, {"SpeedButtonSun", "日曜(&E)"},
      {"SpeedButtonHol", "休日(&F)"},   {"SpeedButtonSpc", "特別(&G)"}, {"SpeedButtonStr", "題名(&H)"},
      {"SpeedButtonIni", "初期色"}};
  for (int page = 1; page <= 8; ++page) {
    SCOPED_TRACE("page " + std::to_string(page));
    const std::string n = std::to_string(page);
    for (const Sized& panel : miniatures) {
      auto* label = Find<QLabel>(panel.stem + n);
      EXPECT_EQ(label->text(), panel.caption);
      EXPECT_EQ(label->size(), QSize(panel.width, panel.height));
    }
    for (const Sized& marker : markers) {
      auto* frame = Find<QFrame>(marker.stem + n);
      EXPECT_EQ(frame->size(), QSize(marker.width, marker.height));
      EXPECT_TRUE(frame->parentWidget()->objectName().endsWith("Bak" + QString::fromStdString(n)));
    }
    for (const char* stem : {"PanelCalX1", "PanelCalX2", "PanelCalY1", "PanelCalY2", "PanelSchX1",
                             "PanelSchX2", "PanelSchY1", "PanelSchY2", "PanelSch", "PanelTdy",
                             "PanelWek", "PanelSat", "PanelSun", "PanelHol", "PanelSpc", "PanelStr"}) {
      Find<QLabel>(stem + n);
    }
    for (const auto& [stem, caption] : buttons) EXPECT_EQ(Find<QPushButton>(stem + n)->text(), caption);
    EXPECT_EQ(Find<QPushButton>("SpeedButtonStr" + n)->toolTip(), "タイトル機能の文字色");
    EXPECT_EQ(Find<QPushButton>("SpeedButtonIni" + n)->toolTip(), "このページの曜日色を初期化します");
    EXPECT_EQ(Text("Label3D" + n), "3D");
    EXPECT_TRUE(Find<QLabel>("Label3D" + n)->font().bold() ||
                Find<QLabel>("Label3D" + n)->styleSheet().contains("bold"));
    EXPECT_EQ(Text("PanelPageNo" + n), "壁 " + QString(QChar(0xFF10 + page)));
    EXPECT_EQ(form_->findChild<QLabel*>(QString::fromStdString("PanelBasic" + n)) != nullptr,
              page == 1);
    auto* copy = form_->findChild<QPushButton*>(QString::fromStdString("SpeedButtonCopy" + n));
    EXPECT_EQ(copy != nullptr, page >= 2);
    if (copy) {
      EXPECT_EQ(copy->text(), "位置揃");
    }
  }
  EXPECT_EQ(Text("PanelBasic1"), "基本");
  EXPECT_EQ(Bar("ScrollBarMonth")->toolTip(), "月の間隔");
  EXPECT_EQ(Bar("ScrollBarLine")->toolTip(), "行の間隔");
  EXPECT_EQ(Bar("ScrollBarChar")->toolTip(), "日にちの間隔");
}

// Each position bar on a 1024x768 screen: its range is the screen's size,
// the read-out and the two distance panels show the position, the marker
// moves by position ÷ (screen ÷ miniature × 1.1), rounded.
TEST_F(WallpaperPagesTest, PositionBarsRangeOverTheScreenAndMoveTheMarker) {
  Open({1024, 768});
  ShowPage(1);
  struct Case {
    const char* bar;
    const char* readout;
    const char* near_panel;
    const char* far_panel;
    const char* marker;
    bool along_height;
  };
  const Case cases[] = {
      {"ScrollBarCalTop", "PanelCY", "PanelCalY11", "PanelCalY21", "PanelCalIndV1", true},
      {"ScrollBarCalLeft", "PanelCX", "PanelCalX11", "PanelCalX21", "PanelCalIndV1", false},
      {"ScrollBarSchTop", "PanelSY", "PanelSchY11", "PanelSchY21", "PanelSchInd1", true},
      {"ScrollBarSchLeft", "PanelSX", "PanelSchX11", "PanelSchX21", "PanelSchInd1", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bar);
    const int extent = c.along_height ? 768 : 1024;
    const int miniature = c.along_height ? 81 : 120;
    QScrollBar* bar = Bar(c.bar);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), extent);
    EXPECT_EQ(bar->pageStep(), 10);
    for (const int wanted : {333, 0, extent, extent + 200}) {
      bar->setValue(wanted);
      const int p = std::min(wanted, extent);
      EXPECT_EQ(bar->value(), p);
      EXPECT_EQ(Text(c.readout), QString::number(p));
      EXPECT_EQ(Text(c.near_panel), QString::number(p));
      EXPECT_EQ(Text(c.far_panel), QString::number(extent - p));
      auto* marker = Find<QFrame>(c.marker);
      const int expected = static_cast<int>(std::lround(p / (double(extent) / miniature * 1.1)));
      EXPECT_EQ(c.along_height ? marker->y() : marker->x(), expected) << p;
    }
  }
  // The bars are the working copy's layout: a build and a save use them.
  EXPECT_EQ(form_->Cycle().Copy().layout.calendar_y, 768);
  EXPECT_EQ(form_->Cycle().Copy().layout.schedule_x, 1024);
}

// A large screen is reachable to its far edge; a position stored on a larger
// screen than this one is brought onto it.
TEST_F(WallpaperPagesTest, TheBarsRangeOverTheScreenOfTheBuild) {
  struct Case {
    ScreenSize screen;
    int stored, shown;
  };
  for (const Case& c : {Case{{3840, 2160}, 3500, 3500}, Case{{1024, 768}, 1500, 1024}}) {
    Open(c.screen, "CalendWX13=" + std::to_string(c.stored) + "\r\nCalWalNumb=3\r\n");
    EXPECT_EQ(Bar("ScrollBarCalLeft")->maximum(), c.screen.width);
    EXPECT_EQ(Bar("ScrollBarCalTop")->maximum(), c.screen.height);
    EXPECT_EQ(Bar("ScrollBarCalLeft")->value(), c.shown);
    EXPECT_EQ(form_->Cycle().Copy().layout.calendar_x, c.shown);
    EXPECT_EQ(Text("PanelCalX23"), QString::number(c.screen.width - c.shown));
    Bar("ScrollBarSchLeft")->setValue(c.screen.width);
    EXPECT_EQ(Text("PanelSchX23"), "0");
  }
}

TEST_F(WallpaperPagesTest, SwitchingTheOrientationTwiceReturnsCaptionAndStrip) {
  Open({1024, 768});
  ShowPage(1);  // calendar at 300, 200: both ratios round to 9
  auto* button = Find<QPushButton>("SpeedButtonHV1");
  auto* vertical = Find<QFrame>("PanelCalIndV1");
  auto* horizontal = Find<QFrame>("PanelCalIndH1");
  EXPECT_EQ(button->text(), "縦→横");
  EXPECT_FALSE(vertical->isHidden());
  EXPECT_TRUE(horizontal->isHidden());

  button->click();
  EXPECT_EQ(button->text(), "横→縦");
  EXPECT_TRUE(vertical->isHidden());
  EXPECT_FALSE(horizontal->isHidden());
  EXPECT_EQ(horizontal->pos(), QPoint(300 / 9, 200 / 9));
  EXPECT_EQ(form_->Cycle().Copy().pages[0].orientation, kHorizontalCaption);

  button->click();
  EXPECT_EQ(button->text(), "縦→横");
  EXPECT_FALSE(vertical->isHidden());
  EXPECT_TRUE(horizontal->isHidden());
  EXPECT_EQ(vertical->pos(), QPoint(33, 22));
  // A bar moves the marker of the orientation shown.
  Bar("ScrollBarCalTop")->setValue(400);
  EXPECT_EQ(vertical->y(), 38);
  EXPECT_EQ(horizontal->y(), 22);
}

TEST_F(WallpaperPagesTest, BringingAPageToFrontShowsItsStoredOrientationAndPositions) {
  Open({1024, 768});
  ShowPage(2);
  EXPECT_TRUE(Find<QFrame>("PanelCalIndV2")->isHidden());
  EXPECT_FALSE(Find<QFrame>("PanelCalIndH2")->isHidden());
  EXPECT_EQ(Find<QFrame>("PanelCalIndH2")->pos(), QPoint(55, 37));  // 512, 384 by A
  EXPECT_EQ(Find<QFrame>("PanelSchInd2")->pos(), QPoint(11, 67));   // 100, 700 by A
  EXPECT_EQ(Text("PanelCalX12"), "512");
  EXPECT_EQ(Text("PanelCalY22"), "384");
  EXPECT_EQ(Text("PanelSchY22"), "68");
  EXPECT_EQ(Text("PanelCX"), "512");
  EXPECT_EQ(Text("PanelSY"), "700");
}

TEST_F(WallpaperPagesTest, CopyPositionsTakesPageOnesValuesAsLastSaved) {
  Open({1024, 768});
  ShowPage(1);
  Bar("ScrollBarMonth")->setValue(150);  // unsaved changes on page 1
  Bar("ScrollBarCalLeft")->setValue(900);
  ShowPage(5);
  const std::string before = Ini();
  Find<QPushButton>("SpeedButtonCopy5")->click();
  EXPECT_EQ(Bar("ScrollBarMonth")->value(), 44);
  EXPECT_EQ(Bar("ScrollBarLine")->value(), 11);
  EXPECT_EQ(Bar("ScrollBarChar")->value(), 7);
  EXPECT_EQ(Bar("ScrollBarCalLeft")->value(), 300);
  EXPECT_EQ(Bar("ScrollBarCalTop")->value(), 200);
  EXPECT_EQ(Bar("ScrollBarSchLeft")->value(), 600);
  EXPECT_EQ(Bar("ScrollBarSchTop")->value(), 500);
  // The panels and markers followed through the bars' own handlers.
  EXPECT_EQ(Text("PanelMonth"), "44");
  EXPECT_EQ(Text("PanelCalX15"), "300");
  EXPECT_EQ(Text("PanelSchY25"), "268");
  EXPECT_EQ(Text("PanelSX"), "600");
  EXPECT_EQ(Find<QFrame>("PanelSchInd5")->pos(), QPoint(64, 48));
  // Orientation, colours and background of page 5 stay; nothing is written.
  const PageValues& five = form_->Cycle().Copy().pages[4];
  EXPECT_EQ(five.orientation, kVerticalCaption);
  EXPECT_EQ(five.saturday, 255u);
  EXPECT_EQ(five.path, "/pictures/five.png");
  EXPECT_EQ(Ini(), before);
}

TEST_F(WallpaperPagesTest, ColoursAndTheShadowColour) {
  Open();
  ShowPage(5);
  // A cancelled colour dialog changes nothing; an accepted one sets the swatch.
  dialogs_.colors = {std::nullopt, QColor(0x12, 0x34, 0x56)};
  Find<QPushButton>("SpeedButtonSat5")->click();
  EXPECT_EQ(dialogs_.offered_color, QColor(255, 0, 0));
  EXPECT_EQ(form_->Cycle().Copy().pages[4].saturday, 255u);
  Find<QPushButton>("SpeedButtonSat5")->click();
  EXPECT_EQ(form_->Cycle().Copy().pages[4].saturday, 0x563412u);
  EXPECT_TRUE(Find<QLabel>("PanelSat5")->styleSheet().contains("#123456"));

  // Four clicks on the 3D label return to the first colour.
  std::vector<QColor> shadows;
  for (int click = 0; click < 4; ++click) {
    ClickLabel("Label3D5");
    shadows.push_back(ShadowOf(5));
  }
  EXPECT_EQ(shadows, (std::vector<QColor>{Qt::white, QColor(0xC0, 0xC0, 0xC0),
                                          QColor(0x80, 0x80, 0x80), Qt::black}));
  ClickLabel("Label3D5");
  // "初期色" resets the eight colours and leaves the 3D colour.
  Find<QPushButton>("SpeedButtonIni5")->click();
  EXPECT_EQ(form_->Cycle().Copy().pages[4].saturday, kDefaultSaturdayColor);
  EXPECT_EQ(ShadowOf(5), QColor(Qt::white));
  EXPECT_EQ(form_->Cycle().Copy().pages[4].shadow, 0xFFFFFFu);
}

TEST_F(WallpaperPagesTest, BackgroundDialogStartsInTheStoredFolderAndRecordsTheChoice) {
  // The extended set is in use: the folder is written there.
  Open({1024, 768}, "[Murva32V4Ext]\r\nBmpInitFld=/pictures/extended\r\n", true);
  ShowPage(3);
  const std::string before = Ini();
  dialogs_.files = {QString(), "/home/user/sea side/wave.png"};
  Find<QPushButton>("SpeedButtonPathW3")->click();
  EXPECT_EQ(dialogs_.asked_folder, "/pictures/extended");
  EXPECT_EQ(Find<QLineEdit>("EditWal3")->text(), "");
  EXPECT_EQ(Ini(), before);

  Find<QPushButton>("SpeedButtonPathW3")->click();
  EXPECT_EQ(Find<QLineEdit>("EditWal3")->text(), "/home/user/sea side/wave.png");
  EXPECT_EQ(form_->Cycle().Copy().pages[2].path, "/home/user/sea side/wave.png");
  const std::string ini = Ini();
  const auto extended = ini.find("[Murva32V4Ext]");
  ASSERT_NE(extended, std::string::npos);
  EXPECT_NE(ini.find("BmpInitFld=/home/user/sea side\r\n", extended), std::string::npos);
  EXPECT_NE(ini.find("BmpInitFld=/pictures/start\r\n"), std::string::npos);
  // Every readable format is offered, all files last.
  EXPECT_TRUE(dialogs_.asked_filter.contains("BMP ファイル (*.bmp *.BMP)"));
  EXPECT_TRUE(dialogs_.asked_filter.endsWith(";;すべてのファイル (*)"));
}

}  // namespace
}  // namespace murva
