// An automatic run makes only the pages it shows, once an earlier start on
// the same desktop has left the sizes of the others: its window has the
// size and the layout of a window with every page made, and a page it did
// not make is made, showing the working copy, when it is asked for.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>

#include "panel_fixture.h"
#include "settings/cp932.h"
#include "ui/form_msg.h"

namespace murva::testing {
namespace {

class PendingPagesTest : public PanelFixture {
 protected:
  void SetUp() override {
    WriteSettings("CalendTile=1\r\nEditPathW3=/home/user/sea.png\r\nCalSchedul=4\r\n");
    WriteBytes(folder_ / "MURVA32.SCH", EncodeCp932("26/08/20 00 1 会議\r\n").value());
  }

  std::unique_ptr<TFormMain> Make(const std::string& first_argument) {
    RunEnvironment environment;
    environment.program_folder = folder_.Path();
    environment.first_argument = first_argument;
    environment.clock = &clock_;
    environment.launcher = &launcher_;
    environment.screen = ScreenSize{1920, 1080};
    environment.page_sizes_file = folder_ / "cache" / "page-sizes";
    auto form = std::make_unique<TFormMain>(environment);
    form->SetDialogs(dialogs_);
    return form;
  }

  // Where the visible parts of a shown window lie.
  static std::vector<QRect> Layout(TFormMain& form) {
    form.Create();
    form.show();
    std::vector<QRect> places{form.geometry()};
    for (const char* name : {"PageControlMain", "PageControl1", "PageControl2", "PanelInfo",
                             "SpeedButtonMake", "ScrollBarCalLeft", "EditWal1"}) {
      const QWidget* widget = form.findChild<QWidget*>(name);
      EXPECT_NE(widget, nullptr) << name;
      if (widget) places.push_back(QRect(widget->mapTo(&form, QPoint(0, 0)), widget->size()));
    }
    return places;
  }
};

TEST_F(PendingPagesTest, TheAutomaticRunsWindowIsTheWholeWindowsWithTheHiddenPagesUnmade) {
  // Nothing remembered yet: the first automatic run makes every page.
  EXPECT_NE(Make("-E")->findChild<QWidget*>("PanelBaseD"), nullptr);
  std::unique_ptr<TFormMain> whole = Make("");
  ASSERT_TRUE(std::filesystem::exists(folder_ / "cache" / "page-sizes"));
  std::unique_ptr<TFormMain> automatic = Make("-E");
  EXPECT_EQ(automatic->size(), whole->size());
  for (const char* name : {"PanelBaseD", "TabSheetS3", "TabSheetS5", "TabSheetW2", "TabSheetW8",
                           "ListBoxSch", "FormMsg"}) {
    EXPECT_EQ(automatic->findChild<QWidget*>(name), nullptr) << name;
  }
  EXPECT_EQ(Layout(*automatic), Layout(*whole));
  // The shown pages of both tab sets were made by the start-up.
  EXPECT_NE(automatic->findChild<QWidget*>("TabSheetW1"), nullptr);
  EXPECT_NE(automatic->findChild<QWidget*>("ComboBoxStyl"), nullptr);
}

// A damaged file of page sizes is not believed: the automatic run makes
// every page, its window has its normal size, and the file is written anew.
TEST_F(PendingPagesTest, SizesOutOfRangeAreNotBelievedAndTheFileIsWrittenAgain) {
  std::unique_ptr<TFormMain> whole = Make("");
  const std::filesystem::path file = folder_ / "cache" / "page-sizes";
  const std::string measured = ReadBytes(file);
  std::string damaged;
  std::size_t line = 0;
  for (std::size_t start = 0, end; (end = measured.find('\n', start)) != std::string::npos;
       start = end + 1, ++line) {
    const std::string text = measured.substr(start, end - start);
    // The header and the key stay; every page asks for a giant size.
    damaged += line < 2 ? text : text.substr(0, text.find(' ')) + " 30000 2147483647 30000 30000";
    damaged += '\n';
  }
  WriteBytes(file, damaged);
  std::unique_ptr<TFormMain> automatic = Make("-E");
  EXPECT_EQ(automatic->size(), whole->size());
  EXPECT_NE(automatic->findChild<QWidget*>("PanelBaseD"), nullptr);
  EXPECT_EQ(ReadBytes(file), measured);
}

TEST_F(PendingPagesTest, APageNotMadeIsMadeWhenShownAndShowsTheWorkingCopy) {
  Make("");
  std::unique_ptr<TFormMain> form = Make("-E");
  form->Create();
  form->show();
  form->findChild<QTabWidget*>("PageControlMain")->setCurrentIndex(1);
  auto* list = form->findChild<QListWidget*>("ListBoxSch");
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), 1);
  EXPECT_TRUE(list->item(0)->text().contains("会議"));
  EXPECT_TRUE(list->isVisible());

  form->findChild<QTabWidget*>("PageControlMain")->setCurrentIndex(0);
  form->findChild<QTabWidget*>("PageControl2")->setCurrentIndex(2);
  auto* tile = form->findChild<QCheckBox*>("CheckBoxTile");
  ASSERT_NE(tile, nullptr);
  EXPECT_TRUE(tile->isChecked());
  EXPECT_TRUE(tile->isVisible());

  form->findChild<QTabWidget*>("PageControl1")->setCurrentIndex(2);
  auto* path = form->findChild<QLineEdit*>("EditWal3");
  ASSERT_NE(path, nullptr);
  EXPECT_EQ(path->text(), "/home/user/sea.png");
  EXPECT_TRUE(path->isVisible());
  // The message window of the author, asked for by its button.
  QWidget* message_window = &form->FormMsg();
  EXPECT_EQ(message_window, form->findChild<QWidget*>("FormMsg"));
}

}  // namespace
}  // namespace murva::testing
