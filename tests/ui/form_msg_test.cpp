// The author's message window opened from "基本の設定", and the settings
// tabs as they look in a window that fits a 1024 x 768 screen.
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include "panel_fixture.h"
#include "ui/form_msg.h"

namespace murva {
namespace {

using testing::PanelFixture;

class FormMsgTest : public PanelFixture {
 protected:
  void SetUp() override {
    WriteSettings("");
    Open();
    message_ = &form_->FormMsg();
  }
  template <typename Widget = QWidget>
  Widget* InMessage(const char* name) {
    auto* widget = message_->findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  std::string Counter() { return InMessage<QLabel>("LabelMsgCnt")->text().toStdString(); }
  void ClickPicture() { QTest::mouseClick(InMessage("ImageMsg"), Qt::LeftButton); }

  TFormMsg* message_ = nullptr;
};

TEST_F(FormMsgTest, OpensWithoutBlockingAndStepsThroughSixPages) {
  EXPECT_FALSE(message_->isVisible());  // created hidden with the main window
  EXPECT_EQ(Counter(), "0");
  Find<QToolButton>("SpeedButtonMsg")->click();
  ASSERT_TRUE(message_->isVisible());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(message_->windowTitle(), "MURVA32  作者からのメッセージ");
  EXPECT_EQ(message_->size(), QSize(433, 228));
  EXPECT_EQ(Counter(), "1");
  auto* talk = InMessage<QLabel>("PanelTalk");
  auto* text = InMessage<QLabel>("LabelMsg");
  auto* button = InMessage<QPushButton>("SpeedButtonMsg");
  EXPECT_EQ(talk->text(), "クリックしてください");
  EXPECT_EQ(talk->width(), 190);
  EXPECT_TRUE(text->isVisible());
  EXPECT_TRUE(button->isHidden());

  // Clicks on the picture, the text, the speech panel and the window itself.
  QWidget* targets[] = {InMessage("ImageMsg"), text, talk, message_, InMessage("LabelTitleMsg")};
  QString previous = text->text();
  for (int page = 2; page <= 6; ++page) {
    QTest::mouseClick(targets[page - 2], Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(Counter(), std::to_string(page));
    EXPECT_NE(text->text(), previous);
    previous = text->text();
    EXPECT_EQ(talk->width(), 210);
    EXPECT_EQ(button->isHidden(), page != 6);
  }
  button->click();
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  // Activated again while open: page 1, the extra button stays.
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(message_, &activate);
  EXPECT_EQ(Counter(), "1");
  EXPECT_FALSE(button->isHidden());
  for (int i = 0; i < 5; ++i) ClickPicture();

  ClickPicture();  // the sixth click closes
  EXPECT_FALSE(message_->isVisible());
  EXPECT_EQ(Counter(), "0");
  EXPECT_TRUE(text->isHidden());
  EXPECT_TRUE(talk->isHidden());
  EXPECT_TRUE(button->isHidden());

  // Reopened: page 1 again, the extra button hidden, the panel keeps its width.
  Find<QToolButton>("SpeedButtonMsg")->click();
  EXPECT_EQ(Counter(), "1");
  EXPECT_EQ(talk->text(), "クリックしてください");
  EXPECT_TRUE(button->isHidden());
  EXPECT_EQ(talk->width(), 210);
}

// Every settings tab in a window of a 1024 x 768 screen: nothing needs more
// room than the tab has. The pictures are kept to look at.
TEST_F(FormMsgTest, SettingsTabsFitAWindowOnA1024By768Screen) {
  form_->resize(1024, 740);
  auto* tabs = Find<QTabWidget>("PageControl2");
  const std::string folder = MURVA_TEST_ARTEFACT_DIR;
  std::filesystem::create_directories(folder);
  // A few days in the grids, one of which the save would drop.
  auto* holidays = Find<QTableWidget>("StringGridHoliDay");
  holidays->setCurrentCell(7, 1);
  for (auto [column, text] : {std::pair{1, "13"}, {2, "14"}, {3, "4O"}}) holidays->item(7, column)->setText(text);
  for (int tab = 0; tab < tabs->count(); ++tab) {
    tabs->setCurrentIndex(tab);
    QApplication::processEvents();
    QWidget* page = tabs->widget(tab);
    EXPECT_LE(page->minimumSizeHint().height(), page->height()) << page->objectName().toStdString();
    EXPECT_LE(page->minimumSizeHint().width(), page->width()) << page->objectName().toStdString();
    form_->grab().save(QString::fromStdString(folder + "/settings-tab-" + std::to_string(tab + 1) + ".png"));
  }
  EXPECT_LE(form_->minimumSizeHint().width(), 1024);
  EXPECT_LE(form_->minimumSizeHint().height(), 768);
  Find<QToolButton>("SpeedButtonMsg")->click();
  message_->grab().save(QString::fromStdString(folder + "/message-window.png"));
}

}  // namespace
}  // namespace murva
