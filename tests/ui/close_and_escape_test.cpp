// Esc and closing the window: Esc in an open list, menu or dialog belongs to
// it and never ends the program; a close with unsaved changes asks once
// whether to save them, and each answer does what it says.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "panel_fixture.h"

namespace murva {
namespace {

using testing::PanelFixture;

class CloseAndEscapeTest : public PanelFixture {
 protected:
  // Esc as the display server delivers it, through the shortcuts: to the
  // window that has grabbed the keyboard (an open list or menu, as on X11),
  // or to the window with the focus (where a list grabs nothing).
  enum class Route { kGrab, kFocus };
  void PressEscape(Route route = Route::kGrab) {
    QWidget* popup = QApplication::activePopupWidget();
    QWindow* window = route == Route::kGrab && popup ? popup->windowHandle() : form_->windowHandle();
    QTest::keyClick(window, Qt::Key_Escape);
    QApplication::processEvents();
  }

  // The window closes from inside a handler: after the handler, in the event
  // loop.
  bool ClosedAfterEvents() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    return !form_->isVisible();
  }

  std::string Ini() const { return testing::ReadBytes(folder_ / "MURVA32.INI"); }
};

// An open drop-down list takes Esc itself: the list closes, the program and
// the edit made before stay.
TEST_F(CloseAndEscapeTest, EscapeClosesAnOpenListAndNotTheProgram) {
  WriteSettings("");
  Open();
  struct Case {
    int settings_tab;  // -1: the schedule page
    const char* list;
  };
  const Case cases[] = {{0, "ComboBoxStyl"}, {2, "ComboBoxWalUseDsp"}, {2, "ComboBoxWeek3"},
                        {-1, "ComboBoxSch"}};
  // An unsaved edit that a quit would lose.
  Find<QComboBox>("ComboBoxStyl")->setCurrentIndex(1);
  for (const Case& c : cases) {
    for (const Route route : {Route::kGrab, Route::kFocus}) {
      SCOPED_TRACE(std::string(c.list) + (route == Route::kGrab ? " grab" : " focus"));
      auto* main = Find<QTabWidget>("PageControlMain");
      main->setCurrentIndex(c.settings_tab < 0 ? 1 : 0);
      if (c.settings_tab >= 0) Find<QTabWidget>("PageControl2")->setCurrentIndex(c.settings_tab);
      form_->activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
      auto* list = Find<QComboBox>(c.list);
      list->setFocus();
      list->showPopup();
      ASSERT_NE(QApplication::activePopupWidget(), nullptr);
      PressEscape(route);
      EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
      ASSERT_FALSE(ClosedAfterEvents());
      EXPECT_TRUE(dialogs_.save_questions.empty());
    }
  }
  EXPECT_EQ(form_->Cycle().Copy().calendar_style, 1);
}

// A menu and a message box take Esc as well.
TEST_F(CloseAndEscapeTest, EscapeClosesAMenuOrADialogAndNotTheProgram) {
  WriteSettings("");
  Open();
  form_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  QMenu menu(form_.get());
  menu.addAction("copy");
  menu.popup(form_->mapToGlobal(QPoint(50, 50)));
  ASSERT_EQ(QApplication::activePopupWidget(), &menu);
  PressEscape();
  EXPECT_FALSE(menu.isVisible());
  EXPECT_FALSE(ClosedAfterEvents());

  bool box_was_open = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    box_was_open = box != nullptr;
    if (box) QTest::keyClick(box->windowHandle(), Qt::Key_Escape);
  });
  QMessageBox(QMessageBox::Information, "MURVA32", "x", QMessageBox::Ok, form_.get()).exec();
  EXPECT_TRUE(box_was_open);
  EXPECT_FALSE(ClosedAfterEvents());
}

// Esc that nothing else wants still presses the close button.
TEST_F(CloseAndEscapeTest, EscapeThatNothingWantsClosesTheWindow) {
  WriteSettings("");
  Open();
  form_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  Find<QComboBox>("ComboBoxStyl")->setFocus();  // a closed list leaves Esc alone
  PressEscape();
  EXPECT_TRUE(ClosedAfterEvents());
  EXPECT_TRUE(dialogs_.save_questions.empty());  // nothing was unsaved
}

// A close with unsaved changes asks once; each answer does what it says.
TEST_F(CloseAndEscapeTest, ClosingWithUnsavedChangesAsksAndEachAnswerDoesWhatItSays) {
  const struct {
    const char* name;
    SaveChoice answer;
    bool closes;
    bool saved;
  } cases[] = {
      {"save", SaveChoice::kSave, true, true},
      {"discard", SaveChoice::kDiscard, true, false},
      {"cancel", SaveChoice::kCancel, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteSettings("CalWallUse=0\r\nCalendStyl=0\r\n");
    dialogs_ = testing::ScriptedDialogs();
    dialogs_.save_answers = {c.answer};
    Open();
    const std::string before = Ini();
    // One change on a tab with a save button, one on the tabs a build
    // saves, and bars of page 1 left unsaved for page 2.
    Find<QComboBox>("ComboBoxWalUseDsp")->setCurrentIndex(1);
    Find<QComboBox>("ComboBoxStyl")->setCurrentIndex(1);
    Find<QScrollBar>("ScrollBarMonth")->setValue(77);
    Find<QTabWidget>("PageControl1")->setCurrentIndex(1);
    form_->close();
    ASSERT_EQ(dialogs_.save_questions.size(), 1u);
    const std::string& question = dialogs_.save_questions[0];
    for (const char* part : {"壁紙 １", "基本の設定", "便利な設定"}) {
      EXPECT_NE(question.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(!form_->isVisible(), c.closes);
    EXPECT_EQ(Stored("CalWallUse"), c.saved ? "1" : "0");
    EXPECT_EQ(Stored("CalendStyl"), c.saved ? "1" : "0");
    EXPECT_EQ(Stored("CalenBlok1").value_or(""), c.saved ? "77" : "");
    // A save is no build: the day of the last build is not recorded.
    EXPECT_FALSE(Stored("CalMakeDay"));
    if (!c.closes) {
      // Nothing is lost: the edits are still shown, and still unsaved.
      EXPECT_EQ(Ini(), before);
      EXPECT_EQ(Find<QComboBox>("ComboBoxStyl")->currentIndex(), 1);
      Find<QTabWidget>("PageControl1")->setCurrentIndex(0);
      EXPECT_EQ(Find<QScrollBar>("ScrollBarMonth")->value(), 77);
      EXPECT_FALSE(form_->Cycle().Edits().UnsavedParts(form_->Cycle().Copy()).empty());
    }
  }
}

// Without unsaved changes, and after they were saved, a close asks nothing.
TEST_F(CloseAndEscapeTest, ClosingWithEverythingSavedAsksNothing) {
  WriteSettings("");
  Open();
  Find<QTabWidget>("PageControl2")->setCurrentIndex(2);
  Find<QComboBox>("ComboBoxWalUseDsp")->setCurrentIndex(1);
  Find<QPushButton>("SpeedButtonSave")->click();
  Find<QTabWidget>("PageControl2")->setCurrentIndex(0);
  Find<QComboBox>("ComboBoxStyl")->setCurrentIndex(1);
  Build();  // a build saves the basic settings and the page
  form_->close();
  EXPECT_TRUE(dialogs_.save_questions.empty());
  EXPECT_FALSE(form_->isVisible());
}

}  // namespace
}  // namespace murva
