// The settings tabs "基本の設定", "タイトル入力" and "休日の設定" driven through
// their widgets: value lists and their keys over both settings sets, the font
// dialogs, the title controls, the day grids, and the save-button table of
// all three save buttons.
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <functional>

#include "panel_fixture.h"
#include "calendar/day_type.h"
#include "ui/calendar_widget.h"

namespace murva {
namespace {

using testing::PanelFixture;

// The item texts as the user knows them, by choice box.
const std::vector<std::pair<const char*, std::vector<const char*>>> kItemLists = {
    {"ComboBoxStyl",
     {"ライン形", "ボックス形", "バイオ身体", "バイオ感情", "バイオ知性", "ウェーブ形", "ランダム形",
      "ショック形"}},
    {"ComboBoxMonth",
     {"表示しない", "January形式", "JAN形式", "Jan形式", "jan形式", "数字形式", "数字+月形式",
      "和風形式", "誕生石形式", "誕生犬形式", "誕生猫形式"}},
    {"ComboBoxWeek",
     {"表示しない", "SU形式", "Su形式", "su形式", "SUN形式", "Sun形式", "sun形式", "漢字形式"}},
    {"ComboBoxToday", {"表示しない", "色で表示", "下線で表示"}},
    {"ComboBoxFold", {"ＢＭＰファイルと同じフォルダ", "ＭＵＲＶＡ３２と同じフォルダ"}},
    {"ComboBoxPeriod",
     {"今月のカレンダのみ表示します", "今月＋来月のカレンダを表示", "先月＋今月＋来月を表示する",
      "今月＋２ヶ月先まで表示する", "今月＋３ヶ月先まで表示する", "今月＋４ヶ月先まで表示する",
      "今月＋５ヶ月先まで表示する"}},
};
const char* const kKeys[] = {"CalendStyl", "CalendMnth", "CalendWeek",
                             "CalendTday", "CalendFold", "CalendPerd"};

class ChoiceRoundTrip : public PanelFixture, public ::testing::WithParamInterface<bool> {};

TEST_P(ChoiceRoundTrip, EachItemIsStoredAsItsPositionAndShownAgain) {
  WriteSettings("", /*extended=*/GetParam());
  Open();
  for (const auto& [name, items] : kItemLists) {
    auto* combo = Find<QComboBox>(name);
    ASSERT_EQ(combo->count(), static_cast<int>(items.size())) << name;
    for (int i = 0; i < combo->count(); ++i) EXPECT_EQ(combo->itemText(i), items[i]) << name;
  }
  // Round k chooses item k (or the last) in every box, builds, and starts again.
  for (int k = 0; k < 11; ++k) {
    std::vector<int> chosen;
    for (const auto& [name, items] : kItemLists) {
      chosen.push_back(std::min<int>(k, static_cast<int>(items.size()) - 1));
      Find<QComboBox>(name)->setCurrentIndex(chosen.back());
    }
    const int adjust = k * 3 - 9;
    Find<QSpinBox>("SpinEditAdj")->setValue(adjust);
    auto* rokuyo = Find<QCheckBox>("CheckBoxRokuyo");
    if (rokuyo->isChecked() != (k % 2 == 1)) rokuyo->click();
    Build();
    for (std::size_t i = 0; i < chosen.size(); ++i) {
      EXPECT_EQ(Stored(kKeys[i]), std::to_string(chosen[i])) << kKeys[i] << " round " << k;
    }
    EXPECT_EQ(Stored("CalendAdjt"), std::to_string(std::clamp(adjust, -9, 20)));
    EXPECT_EQ(Stored("CalRokuyou"), k % 2 == 1 ? "1" : "0");
    Open();
    for (std::size_t i = 0; i < chosen.size(); ++i) {
      EXPECT_EQ(Find<QComboBox>(kItemLists[i].first)->currentIndex(), chosen[i]) << kKeys[i];
    }
    EXPECT_EQ(Find<QSpinBox>("SpinEditAdj")->value(), std::clamp(adjust, -9, 20));
    EXPECT_EQ(Find<QCheckBox>("CheckBoxRokuyo")->isChecked(), k % 2 == 1);
  }
  // The other set was never touched.
  const std::string other = GetParam() ? "[Murva32V4]" : "[Murva32V4Ext]";
  EXPECT_EQ(testing::ReadBytes(folder_ / "MURVA32.INI").find(other), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(BothSets, ChoiceRoundTrip, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Extended" : "Basic"; });

class SettingsTabsTest : public PanelFixture {};

TEST_F(SettingsTabsTest, BasicTabShowsItsControls) {
  WriteSettings("CalWalUsed=3\r\nCalSekki24=1\r\n");
  Open();
  EXPECT_EQ(Find<QPushButton>("SpeedButtonSch")->toolTip(), "フォント色は中間パネルで設定します");
  // The samples show the fonts the wallpaper draws with.
  EXPECT_EQ(Find<QLabel>("PanelFontDay")->font().family(), "IPAGothic");
  EXPECT_EQ(Find<QLabel>("PanelFontSch")->font().pixelSize(), 12);
  EXPECT_EQ(Find<QSpinBox>("SpinEditAdj")->minimum(), -9);
  EXPECT_EQ(Find<QSpinBox>("SpinEditAdj")->maximum(), 20);
  EXPECT_TRUE(Find<QCheckBox>("CheckBoxSekki")->isChecked());
  EXPECT_EQ(Find<QLabel>("PanelWallInd")->text(), "3");
  EXPECT_FALSE(Find<QToolButton>("SpeedButtonMsg")->icon().isNull());
}

TEST_F(SettingsTabsTest, FontDialogsRoundTripKeepingTheNamesUsersKnow) {
  WriteSettings("CalenTitle=1\r\nColorsStr1=255\r\n");
  Open();
  QFont mincho("IPAPMincho");
  mincho.setPointSize(14);
  mincho.setBold(true);
  mincho.setItalic(true);
  dialogs_.fonts = {mincho, std::nullopt};
  Find<QPushButton>("SpeedButtonFontDay")->click();
  Find<QPushButton>("SpeedButtonSch")->click();  // cancelled: nothing changes
  ASSERT_EQ(dialogs_.font_requests.size(), 2u);
  // The dialogs start from the stored fonts, as the installed families.
  EXPECT_EQ(dialogs_.font_requests[0].family(), "IPAGothic");
  EXPECT_EQ(dialogs_.font_requests[0].pointSize(), 11);
  EXPECT_TRUE(dialogs_.font_requests[0].bold());
  EXPECT_EQ(dialogs_.font_requests[1].pointSize(), 9);
  EXPECT_EQ(Find<QLabel>("PanelFontDay")->font().family(), "IPAPMincho");

  // Title line 3: the dialog starts from its button and size panel.
  QFont gothic("IPAGothic");
  gothic.setPointSize(26);
  gothic.setStrikeOut(true);
  dialogs_.fonts = {gothic};
  Find<QPushButton>("SpeedButtonTitle3")->click();
  EXPECT_EQ(dialogs_.font_requests.back().family(), "IPAPGothic");
  EXPECT_EQ(dialogs_.font_requests.back().pointSize(), 20);
  EXPECT_EQ(Find<QPushButton>("SpeedButtonTitle3")->text(), "ＭＳ ゴシック");
  EXPECT_EQ(Find<QLabel>("PanelTSiz3")->text(), "26");
  EXPECT_TRUE(Find<QLabel>("PanelTSiz3")->font().strikeOut());

  // A family whose name the settings file cannot hold is refused, naming the field.
  dialogs_.fonts = {QFont("Ǆfont")};
  Find<QPushButton>("SpeedButtonSch")->click();
  ASSERT_FALSE(dialogs_.messages.empty());
  EXPECT_NE(dialogs_.messages.back().find("予定フォント"), std::string::npos);

  Build();
  for (auto [key, value] : {std::pair{"CalFntName", "ＭＳ Ｐ明朝"}, {"CalFntSize", "14"},
                             {"CalFntStyl", "3"}, {"SchFntName", "ＭＳ ゴシック"},
                             {"TiFntName3", "ＭＳ ゴシック"}, {"TiFntSize3", "26"}, {"TiFntStyl3", "8"}}) {
    EXPECT_EQ(Stored(key), value) << key;
  }
  EXPECT_EQ(Stored("ColorsStr1"), "255");  // the title colour is the page's
  // On disk the names are CP932, as the Windows program wrote them.
  EXPECT_NE(testing::ReadBytes(folder_ / "MURVA32.INI").find(EncodeCp932("CalFntName=ＭＳ Ｐ明朝").value()),
            std::string::npos);
  Open();
  EXPECT_EQ(Find<QLabel>("PanelFontDay")->font().family(), "IPAPMincho");
  EXPECT_EQ(Find<QPushButton>("SpeedButtonTitle3")->text(), "ＭＳ ゴシック");
}

TEST_F(SettingsTabsTest, TitleControlsEditTheTitlesWhichSaveOnlyWhileSwitchedOn) {
  WriteSettings("TitleText1=002old\r\nTitlePosiY=15\r\n");
  Open();
  EXPECT_EQ(Find<QPushButton>("SpeedButtonTitle4")->property("tag").toInt(), 4);
  EXPECT_EQ(Find<QSpinBox>("SpinEditT4")->toolTip(), "３行目との間隔を設定");
  EXPECT_EQ(Find<QLineEdit>("EditTitle1")->text(), "  old");
  auto* top = Find<QScrollBar>("ScrollBarTitleTop");
  auto* left = Find<QScrollBar>("ScrollBarTitleLeft");
  EXPECT_EQ(top->maximum(), form_->Screen().height);
  EXPECT_EQ(left->maximum(), form_->Screen().width);
  EXPECT_EQ(Find<QLabel>("PanelTop")->text(), "15");
  top->setValue(120);
  left->setValue(64);
  EXPECT_EQ(Find<QLabel>("PanelLeft")->text(), "64");
  Find<QSpinBox>("SpinEditT3")->setValue(55);
  QLineEdit* edit = Find<QLineEdit>("EditTitle2");
  edit->setFocus();
  testing::TypeText(edit, "$yyyy年 予定");

  // Titles off: the build leaves the title keys as they were.
  Build();
  EXPECT_EQ(Stored("CalenTitle"), "0");
  EXPECT_EQ(Stored("TitleText1"), "002old");
  EXPECT_FALSE(Stored("TitleText2"));
  EXPECT_EQ(Stored("TitlePosiY"), "15");

  // Switched on, which also enables the convenience page's save button.
  Find<QCheckBox>("CheckBoxTitle")->click();
  EXPECT_TRUE(Find<QPushButton>("SpeedButtonSave")->isEnabled());
  Build();
  for (auto [key, value] : {std::pair{"CalenTitle", "1"}, {"TitleText2", "000$yyyy年 予定"},
                             {"TitlePosiY", "120"}, {"TitlePosiX", "64"}, {"TitlePosT3", "55"},
                             {"TiFntSize1", "20"}}) {
    EXPECT_EQ(Stored(key), value) << key;
  }
  Open();
  EXPECT_EQ(Find<QLineEdit>("EditTitle2")->text(), "$yyyy年 予定");
  EXPECT_EQ(Find<QScrollBar>("ScrollBarTitleTop")->value(), 120);
  EXPECT_EQ(Find<QSpinBox>("SpinEditT3")->value(), 55);
  EXPECT_TRUE(Find<QCheckBox>("CheckBoxTitle")->isChecked());
}

TEST_F(SettingsTabsTest, ATitleCharacterWithoutCp932IsNamedWhenTypedAndStopsTheBuild) {
  WriteSettings("CalenTitle=1\r\nTitleText4=000kept\r\n");
  Open();
  QLineEdit* edit = Find<QLineEdit>("EditTitle4");
  edit->setFocus();
  edit->selectAll();
  testing::TypeText(edit, "Café");
  auto* warning = Find<QLabel>("LabelTitleWarning");
  EXPECT_FALSE(warning->isHidden());
  EXPECT_TRUE(warning->text().contains("タイトル４行目"));
  EXPECT_TRUE(warning->text().contains("é"));
  EXPECT_FALSE(edit->styleSheet().isEmpty());
  const std::string before = testing::ReadBytes(folder_ / "MURVA32.INI");
  Build();
  ASSERT_FALSE(dialogs_.messages.empty());
  EXPECT_NE(dialogs_.messages.back().find("「タイトル４行目」の「é」"), std::string::npos);
  EXPECT_EQ(testing::ReadBytes(folder_ / "MURVA32.INI"), before);  // nothing written
  EXPECT_FALSE(std::filesystem::exists(folder_ / "MURVA00.BMP"));
  // Replaced: the mark goes and the build saves.
  edit->selectAll();
  testing::TypeText(edit, "Cafe");
  EXPECT_TRUE(warning->isHidden());
  EXPECT_TRUE(edit->styleSheet().isEmpty());
  Build();
  EXPECT_EQ(Stored("TitleText4"), "000Cafe");
}

TEST_F(SettingsTabsTest, TheTestRunAndTheAutomaticRunWriteNothingOfTheseTabs) {
  WriteSettings("");
  Open();
  Find<QComboBox>("ComboBoxStyl")->setCurrentIndex(1);
  Find<QCheckBox>("CheckBoxTitle")->click();
  form_->Cycle().SpeedButtonMakeRightClick();  // the test run builds at once (no delay)
  EXPECT_TRUE(std::filesystem::exists(folder_ / "MURVA00.BMP"));
  EXPECT_TRUE(Stored("CalMakeDay"));
  EXPECT_FALSE(Stored("CalendStyl"));
  EXPECT_FALSE(Stored("CalenTitle"));
}

TEST_F(SettingsTabsTest, GridsLoadAndSaveInTheListFormatMarkingCellsTheSaveDrops) {
  WriteSettings("CalHoliSel=1\r\nCalenHol05=3/4/5\r\nCalenSpc12=24/x/25/\r\nCalenHol01=1/\r\n");
  Open();
  auto* holidays = Find<QTableWidget>("StringGridHoliDay");
  auto* special = Find<QTableWidget>("StringGridSpecialDay");
  ASSERT_EQ(holidays->rowCount(), 12);
  ASSERT_EQ(holidays->columnCount(), 32);
  EXPECT_EQ(holidays->item(0, 0)->text(), " 1");
  EXPECT_EQ(special->item(11, 0)->text(), "12");
  EXPECT_EQ(holidays->item(4, 1)->text(), "3");
  EXPECT_EQ(holidays->item(4, 2)->text(), "4");
  EXPECT_EQ(holidays->item(4, 3)->text(), "");  // the 5 had no "/"
  EXPECT_EQ(special->item(11, 2)->text(), "x");
  const auto marked = [](QTableWidget* grid, int row, int column) {
    return grid->item(row, column)->data(Qt::UserRole).toBool();
  };
  EXPECT_TRUE(marked(special, 11, 2));
  EXPECT_FALSE(marked(special, 11, 1));
  EXPECT_TRUE(Find<QRadioButton>("RadioGroupHoliDay1")->isChecked());
  auto* save = Find<QPushButton>("SpeedButtonSaveHoliday");
  EXPECT_FALSE(save->isEnabled());

  holidays->setCurrentCell(0, 1);
  holidays->item(0, 1)->setText("05");
  holidays->item(0, 2)->setText("32");
  holidays->item(0, 4)->setText("17");
  EXPECT_TRUE(save->isEnabled());
  EXPECT_TRUE(marked(holidays, 0, 2));
  // The calendar beside the grids shows the month being edited, in the year
  // the saved days reach (August: January of next year).
  auto& preview = *Find<TCalendarWidget>("CalendarPreview");
  ASSERT_NE(preview.Calendar(), nullptr);
  EXPECT_EQ(preview.Calendar()->Month(), 1);
  EXPECT_EQ(preview.Calendar()->Year(), 2027);
  EXPECT_NE(preview.Calendar()->DayTypeOf(2027, 1, 17) & dtHoliday, 0);
  EXPECT_EQ(preview.Calendar()->DayTypeOf(2027, 1, 1) & dtHoliday, 0);  // the built-in list is off
  EXPECT_FALSE(preview.isHidden());
  EXPECT_NE(preview.Calendar(), &form_->Cycle().Engine());
  special->item(11, 2)->setText("");
  EXPECT_FALSE(marked(special, 11, 2));
  EXPECT_EQ(preview.Calendar()->Month(), 12);
  EXPECT_EQ(preview.Calendar()->Year(), 2026);

  Find<QRadioButton>("RadioGroupHoliDay0")->click();
  EXPECT_NE(preview.Calendar()->DayTypeOf(2027, 1, 1) & dtHoliday, 0);
  save->click();
  EXPECT_FALSE(save->isEnabled());
  EXPECT_EQ(Stored("CalenHol01"), "05/17/");
  EXPECT_EQ(Stored("CalenHol05"), "3/4/");
  EXPECT_EQ(Stored("CalenSpc12"), "24/25/");
  EXPECT_EQ(Stored("CalenHol02"), "");
  EXPECT_EQ(Stored("CalHoliSel"), "0");
  Open();
  EXPECT_EQ(Find<QTableWidget>("StringGridHoliDay")->item(0, 1)->text(), "05");
  EXPECT_EQ(Find<QTableWidget>("StringGridHoliDay")->item(0, 2)->text(), "17");
  EXPECT_TRUE(Find<QRadioButton>("RadioGroupHoliDay0")->isChecked());
  // The drawing engine stays where it was, out of sight.
  EXPECT_LT(Find<TCalendarWidget>("CalendarEx1")->x(), 0);
}

// Each edit of the table enables exactly its tab's save button.
TEST_F(SettingsTabsTest, SaveButtonsFollowTheEnablingTable) {
  WriteSettings("");
  Open();
  const char* const buttons[] = {"SpeedButtonSave", "SpeedButtonSaveHoliday", "SpeedButtonProSave"};
  struct Case {
    const char* control;
    std::function<void()> edit;
    int button;
  };
  const auto click = [this](const char* name) { return [this, name] { Find<QAbstractButton>(name)->click(); }; };
  const auto type = [this](const char* name) {
    return [this, name] {
      auto* edit = Find<QLineEdit>(name);
      edit->setFocus();
      QTest::keyClicks(edit, "8");
    };
  };
  const std::vector<Case> cases = {
      {"CheckBoxAlWay", click("CheckBoxAlWay"), 0},
      {"CheckBoxHide", click("CheckBoxHide"), 0},
      {"CheckBoxMonStart", click("CheckBoxMonStart"), 0},
      {"CheckBoxTodaySch", click("CheckBoxTodaySch"), 0},
      {"CheckBox3D", click("CheckBox3D"), 0},
      {"CheckBoxTitle", click("CheckBoxTitle"), 0},
      {"CheckBoxTile", click("CheckBoxTile"), 0},
      {"CheckBoxMakeOnly", click("CheckBoxMakeOnly"), 0},
      {"SpinEditDelay", [this] { Find<QSpinBox>("SpinEditDelay")->setValue(5); }, 0},
      {"ComboBoxWalUseDsp", [this] { Find<QComboBox>("ComboBoxWalUseDsp")->setCurrentIndex(1); }, 0},
      {"ComboBox256", [this] { Find<QComboBox>("ComboBox256")->setCurrentIndex(2); }, 0},
      {"RadioGroupHoliDay", click("RadioGroupHoliDay1"), 1},
      {"StringGridHoliDay", [this] { Find<QTableWidget>("StringGridHoliDay")->item(3, 1)->setText("9"); }, 1},
      {"StringGridSpecialDay", [this] { Find<QTableWidget>("StringGridSpecialDay")->item(3, 1)->setText("x"); }, 1},
      {"EditPro", type("EditPro"), 2},
      {"EditBirth", type("EditBirth"), 2},
      {"CheckBoxPro", click("CheckBoxPro"), 2},
      // Edits on the two tabs without a button enable none.
      {"ComboBoxStyl", [this] { Find<QComboBox>("ComboBoxStyl")->setCurrentIndex(3); }, -1},
      {"EditTitle1", type("EditTitle1"), -1},
  };
  for (const Case& c : cases) {
    WorkingCopy& copy = form_->Cycle().Copy();
    copy.convenience_save_enabled = copy.holiday_save_enabled = copy.special_save_enabled = false;
    form_->RefreshControls();
    c.edit();
    for (int b = 0; b < 3; ++b) {
      EXPECT_EQ(Find<QPushButton>(buttons[b])->isEnabled(), b == c.button) << c.control << " " << buttons[b];
    }
  }
  // Bringing a tab to the front again keeps its button as it was: on while
  // its edits are unsaved, off once they are saved.
  auto* tabs = Find<QTabWidget>("PageControl2");
  for (const bool unsaved : {true, false}) {
    for (int tab = 2; tab <= 4; ++tab) {
      WorkingCopy& copy = form_->Cycle().Copy();
      copy.convenience_save_enabled = copy.holiday_save_enabled = copy.special_save_enabled =
          unsaved;
      tabs->setCurrentIndex(0);
      tabs->setCurrentIndex(tab);
      for (int b = 0; b < 3; ++b) {
        EXPECT_EQ(Find<QPushButton>(buttons[b])->isEnabled(), unsaved) << "tab " << tab;
      }
    }
  }
  // The delay back to 0: normal digits again, and the button still goes on.
  tabs->setCurrentIndex(2);
  Find<QSpinBox>("SpinEditDelay")->setValue(0);
  EXPECT_TRUE(Find<QPushButton>("SpeedButtonSave")->isEnabled());
  EXPECT_NE(Find<QSpinBox>("SpinEditDelay")->palette().color(QPalette::Text), QColor(Qt::red));
}

// The month labels of the day grids stay in view while the days scroll.
TEST_F(SettingsTabsTest, MonthLabelsOfTheDayGridsStayWhileTheDaysScroll) {
  WriteSettings("CalenHol03=20/21/\r\n");
  Open();
  Find<QTabWidget>("PageControl2")->setCurrentIndex(3);
  for (const char* name : {"StringGridHoliDay", "StringGridSpecialDay"}) {
    SCOPED_TRACE(name);
    auto* grid = Find<QTableWidget>(name);
    QApplication::processEvents();
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    grid->scrollToItem(grid->item(2, 31));
    QApplication::processEvents();
    ASSERT_GT(grid->horizontalScrollBar()->value(), 0);
    EXPECT_TRUE(grid->verticalHeader()->isVisible());
    EXPECT_GT(grid->verticalHeader()->width(), 0);
    for (int row = 0; row < 12; ++row) {
      EXPECT_EQ(grid->verticalHeaderItem(row)->text(), QString("%1").arg(row + 1, 2));
    }
    // The header stands left of every day cell, scrolled or not.
    EXPECT_GE(grid->visualItemRect(grid->item(2, 31)).left(), 0);
    EXPECT_TRUE(grid->isColumnHidden(0));
  }
}

}  // namespace
}  // namespace murva
