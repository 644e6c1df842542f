// The control panel on monitors of other sizes than the one the positions
// were placed on: the positions stay stored as placed through a build, the
// panel opens wholly on a connected monitor and keeps its stored place for
// when that monitor returns, each monitor can be given a page of its own, and
// the preview shows (and drags on) the monitor chosen beside it.
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QScreen>

#include "panel_fixture.h"
#include "platform/monitor_test_support.h"
#include "ui/preview_panel.h"

namespace murva {
namespace {

Monitor TestMonitor(std::string name, MonitorRect desktop, bool primary) {
  return MakeMonitor(std::move(name), desktop, desktop.width, desktop.height, 1.0, primary);
}

bool WaitUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 500 && !done(); ++i) QTest::qWait(20);
  return done();
}

class MonitorsPanelTest : public testing::PanelFixture {
 protected:
  static constexpr const char* kPlacedOnBigScreen =
      "CalendWX11=1400\r\nCalendWY11=100\r\nPosScrnW1=1920\r\nPosScrnH1=1080\r\nPosScale1=100\r\n";
  PreviewPanel& Preview() { return *form_->findChild<PreviewPanel*>("PanelPreview"); }
  bool PictureReady() { return Preview().IsCurrent() && !Preview().Picture().IsNull(); }
};

TEST_F(MonitorsPanelTest, ABuildOnASmallerScreenKeepsThePositionsAsPlaced) {
  WriteSettings(std::string(kPlacedOnBigScreen) + "CalendFold=1\r\n");
  monitors_ = {TestMonitor("eDP-1", {0, 0, 1024, 768}, true)};
  screen_ = ScreenSize{1024, 768};
  Open();
  // The bars range over the screen the positions were placed on.
  EXPECT_EQ(Find<QScrollBar>("ScrollBarCalLeft")->value(), 1400);
  Build();
  EXPECT_EQ(Stored("CalendWX11"), "1400");
  EXPECT_EQ(Stored("PosScrnW1"), "1920");
  // The picture of the small screen has the calendar as near its right edge.
  const QImage written(QString::fromStdString((folder_ / "MURVA00.BMP").string()));
  ASSERT_EQ(written.size(), QSize(1024, 768));
}

TEST_F(MonitorsPanelTest, ThePanelOpensWhollyOnAConnectedMonitorAndKeepsItsStoredPlace) {
  WriteSettings("FormPositX=2500\r\nFormPositY=200\r\n");
  monitors_ = {TestMonitor("eDP-1", {0, 0, 1024, 768}, true)};
  screen_ = ScreenSize{1024, 768};
  Open();
  const QRect frame = form_->frameGeometry();
  EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(QRect(frame.topLeft(), form_->size())))
      << frame.x() << "," << frame.y() << " " << form_->width() << "x" << form_->height();
  form_->close();
  // The monitor the place was on may come back: the place stays stored.
  EXPECT_EQ(Stored("FormPositX"), "2500");
}

TEST_F(MonitorsPanelTest, AMonitorIsGivenAPageAndThePreviewShowsEachMonitor) {
  WriteSettings(kPlacedOnBigScreen);
  monitors_ = {TestMonitor("DP-1", {0, 0, 1920, 1080}, true),
               TestMonitor("HDMI-A-1", {1920, 0, 1280, 1024}, false)};
  Open();
  form_->resize(1200, 860);
  // "便利な設定": the second monitor shows page 2; saved under its name.
  Find<QTabWidget>("PageControl2")->setCurrentIndex(2);
  auto* page_choice = Find<QComboBox>("ComboBoxMonitorPage2");
  ASSERT_NE(page_choice, nullptr);
  page_choice->setCurrentIndex(2);
  emit page_choice->activated(2);
  Find<QPushButton>("SpeedButtonSave")->click();
  EXPECT_EQ(Stored("MonitNam1"), "HDMI-A-1");
  EXPECT_EQ(Stored("MonitPag1"), "2");

  // The preview of the second monitor: its own size, the calendar mapped.
  ASSERT_TRUE(WaitUntil([&] { return PictureReady(); }));
  EXPECT_EQ(Preview().Picture().wallpaper_size, QSize(1920, 1080));
  auto* monitor_choice = Preview().findChild<QComboBox*>("ComboBoxPreviewMonitor");
  ASSERT_TRUE(monitor_choice && monitor_choice->isVisible());
  Preview().ShowMonitor(1);
  ASSERT_TRUE(WaitUntil([&] {
    return PictureReady() && Preview().Picture().wallpaper_size == QSize(1280, 1024);
  }));
  EXPECT_EQ(Preview().Picture().layout.calendar_x, 1280 - (1920 - 1400));
  // A drag there places the calendar in that monitor's pixels.
  const QPoint from = Preview().AreaOnPanel(PreviewPanel::Block::kCalendar).center().toPoint();
  QTest::mousePress(&Preview(), Qt::LeftButton, {}, from);
  QTest::mouseMove(&Preview(), from + QPoint(-10, 0));
  QTest::mouseRelease(&Preview(), Qt::LeftButton, {}, from + QPoint(-10, 0));
  EXPECT_EQ(form_->Cycle().Copy().layout.screen, (ScreenReference{1280, 1024, 100}));
  EXPECT_LT(form_->Cycle().Copy().layout.calendar_x, 760);
  EXPECT_GT(form_->Cycle().Copy().layout.calendar_x, 600);
}

}  // namespace
}  // namespace murva
