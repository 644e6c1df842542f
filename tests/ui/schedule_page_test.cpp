// The schedule page and the explanation tab on the real widgets.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "schedule_page_fixture.h"

namespace murva {
namespace {

using testing::ScheduleBytes;
using Lines = std::vector<std::string>;

class SchedulePage : public testing::SchedulePageTest {};

QColor ButtonFace() { return QApplication::palette().color(QPalette::Button); }

TEST_F(SchedulePage, ControlsCarryTheirNamesCaptionsItemsAndHints) {
  Open();
  auto* tabs = Find<QTabWidget>("PageControlMain");
  EXPECT_EQ(tabs->tabText(1), " スケジュール機能パネル ");
  EXPECT_EQ(tabs->widget(1)->objectName(), "PanelBaseD");
  EXPECT_EQ(tabs->tabText(2), "  予定入力形式の解説  ");

  const std::pair<const char*, const char*> buttons[] = {
      {"SpeedButtonPatternSet", "▼右のパターンを「年月日」欄に設定"},
      {"SpeedButtonAdd", "予定を追加(&Z)"},
      {"SpeedButtonEdit", "修整(&I)"},
      {"SpeedButtonDel", "削除(&J)"},
      {"SpeedButtonSaveSch", "保存(&S)"}};
  for (const auto& [name, caption] : buttons) EXPECT_EQ(Find<QPushButton>(name)->text(), caption);
  EXPECT_EQ(Find<QCheckBox>("CheckBoxCutYear")->text(), "「年」表示の省略");
  EXPECT_EQ(Find<QCheckBox>("CheckBoxCutWeek")->text(), "「曜日」表示の省略");

  const std::pair<const char*, const char*> hints[] = {
      {"ComboBoxSelect", "繰返しパターンの選択"},
      {"ComboBoxIning", "「週指定」パターン時の回数選択"},
      {"ComboBoxWeeks", "曜日の選択"},
      {"SpeedButtonAdd", "右クリックで過去データ（２０００年以降に限る）の一括消去"},
      {"PanelColMon", "予定表示の文字色"},
      {"ComboBoxCol", "予定表示を個別に色指定できます"},
      {"SpinEditSch", "予定表示の行間をドット数で指定します"}};
  for (const auto& [name, hint] : hints) EXPECT_EQ(Find<QWidget>(name)->toolTip(), hint) << name;

  struct ListItems {
    const char* name;
    int count;
    int index;
    const char* item;
  };
  const ListItems lists[] = {{"ComboBoxSelect", 5, 4, "週指定"},
                             {"ComboBoxIning", 7, 6, "最終回"},
                             {"ComboBoxWeeks", 8, 1, "日曜日"},
                             {"ComboBoxCol", 19, 18, "Yellow"},
                             {"ComboBoxCol", 19, 0, ""},
                             {"ComboBoxSch", 11, 10, "残りの予定を表示"},
                             {"ComboBoxBefore", 6, 5, "５日前から表示"},
                             {"ComboBoxUseSelb", 3, 2, "自分＋外部を併用する"}};
  for (const ListItems& list : lists) {
    auto* box = Find<QComboBox>(list.name);
    EXPECT_EQ(box->count(), list.count) << list.name;
    EXPECT_EQ(box->itemText(list.index), list.item) << list.name;
  }
  auto* spacing = Find<QSpinBox>("SpinEditSch");
  EXPECT_EQ(spacing->minimum(), -9);
  EXPECT_EQ(spacing->maximum(), 50);
  for (const char* name : {"EditY", "EditM", "EditD"}) {
    EXPECT_FALSE(Field(name)->testAttribute(Qt::WA_InputMethodEnabled)) << name;
  }
  for (const char* name : {"EditInput", "EditSelb", "SpeedButtonSelbPath"}) {
    EXPECT_NE(form_->findChild<QWidget*>(name), nullptr) << name;
  }
  EXPECT_EQ(List()->selectionMode(), QAbstractItemView::ExtendedSelection);
  EXPECT_EQ(QFontInfo(List()->font()).family(), "IPAGothic");

  // Start-up state: the year of today, nothing else; no entry to change.
  EXPECT_EQ(Field("EditY")->text(), "25");
  EXPECT_EQ(Field("EditM")->text(), "");
  EXPECT_FALSE(Find<QPushButton>("SpeedButtonEdit")->isEnabled());
  EXPECT_FALSE(Find<QPushButton>("SpeedButtonDel")->isEnabled());
  EXPECT_FALSE(Find<QPushButton>("SpeedButtonSaveSch")->isEnabled());
  EXPECT_EQ(Find<QComboBox>("ComboBoxSch")->currentIndex(), 4);

  // The explanation tab holds the fixed texts.
  QStringList texts;
  for (const QLabel* label : tabs->widget(2)->findChildren<QLabel*>()) texts << label->text();
  for (const char* text :
       {" ■入力形式の解説■ 予定の入力形式は以下の６種類です",
        "(6) [@@] [@@] [W5] [ＨＤのBackUp] ← 毎週、？曜日に表示",
        "A=１回目、B=２回目、C=３回目、D=４回目、E=５回目、F=最終回",
        " ■色指定の解説■ 予定を行単位で個別に色指定するキーワード", "Olive（オリーブ）"}) {
    EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
  }
}

TEST_F(SchedulePage, FieldRulesRunAsTextIsTypedOrSet) {
  Open();
  const struct {
    const char* field;
    const char* typed;
    const char* shown;
  } cases[] = {{"EditY", "100", ""}, {"EditY", "@@", "@@"}, {"EditM", "07", "7"},
               {"EditM", "0", "0"},  {"EditD", "05", "5"},  {"EditD", "A8", ""},
               {"EditD", "F", "F"}};
  for (const auto& c : cases) {
    Field(c.field)->setText(c.typed);
    EXPECT_EQ(Field(c.field)->text(), c.shown) << c.field << " " << c.typed;
  }
  // Typed key by key, a one-digit year waits for the second digit.
  Field("EditY")->clear();
  QTest::keyClicks(Field("EditY"), "7");
  EXPECT_EQ(Field("EditY")->text(), "7");
  QTest::keyClicks(Field("EditY"), "0");
  EXPECT_EQ(Field("EditY")->text(), "70");

  // A pattern day whose second character is no digit: the conversion error,
  // the text stands, and Add refuses it.
  dialogs_.messages.clear();
  Field("EditD")->setText("WX");
  EXPECT_EQ(dialogs_.messages, Lines{"'X' は整数ではありません"});
  EXPECT_EQ(Field("EditD")->text(), "WX");
  Type("25", "6", "WX", "x");
  dialogs_.messages.clear();
  Add();
  EXPECT_EQ(dialogs_.messages, Lines{"入力された予定の値が不適当です"});
  EXPECT_EQ(List()->count(), 0);
}

TEST_F(SchedulePage, AddStoresEachFormWithItsCode) {
  Open();
  const struct {
    const char* year;
    const char* month;
    const char* day;
    const char* text;
    const char* color;
    const char* stored;
  } cases[] = {
      {"7", "07", "15", "札幌に行く", "", "07/07/15 00 1 札幌に行く"},
      {"@@", "10", "9", "妻の誕生日", "", "@@/10/09 00 2 妻の誕生日"},
      {"@@", "@@", "20", "給料日です", "Red", "@@/@@/20 00 3 給料日です%Red%"},
      {"@@", "06", "A2", "定期の検診", "", "@@/06/A2 00 5 定期の検診"},
      {"@@", "@@", "W5", "ＨＤのBackUp", "Navy", "@@/@@/W5 00 4 ＨＤのBackUp%Navy%"},
  };
  Lines stored;
  for (const auto& c : cases) {
    Type(c.year, c.month, c.day, c.text, c.color);
    Add();
    stored.push_back(c.stored);
    // The fields start again; the colour list shows its empty item.
    EXPECT_EQ(Field("EditY")->text(), "25");
    EXPECT_EQ(Field("EditM")->text(), "");
    EXPECT_EQ(Field("EditD")->text(), "");
    EXPECT_EQ(Field("EditInput")->text(), "");
    EXPECT_EQ(Find<QComboBox>("ComboBoxCol")->currentIndex(), 0);
  }
  std::sort(stored.begin(), stored.end());
  EXPECT_EQ(ListTexts(), stored);
  EXPECT_EQ(ScheduleFile(), ScheduleBytes(stored));
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(SchedulePage, AddWithAnEmptyDayChangesNothing) {
  SeedSchedule({"25/06/01 00 1 a"});
  Open();
  const std::string before = ScheduleFile();
  Type("25", "6", "", "会議");
  Add();
  EXPECT_EQ(dialogs_.messages, Lines{"入力された予定の値が不適当です"});
  EXPECT_EQ(ListTexts(), Lines{"25/06/01 00 1 a"});
  EXPECT_EQ(ScheduleFile(), before);
  EXPECT_EQ(Field("EditInput")->text(), "会議");  // the fields stay for a correction
}

TEST_F(SchedulePage, AFileThatCannotBeWrittenLosesNothing) {
  SeedSchedule({"25/06/01 00 1 a"});
  Open();
  // The file's place is taken by a folder: no write can replace it.
  std::filesystem::remove(folder_ / "MURVA32.SCH");
  std::filesystem::create_directory(folder_ / "MURVA32.SCH");
  Type("25", "7", "1", "b");
  Add();
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_NE(dialogs_.messages[0].find("を作成できません"), std::string::npos)
      << dialogs_.messages[0];
  EXPECT_EQ(ListTexts(), Lines{"25/06/01 00 1 a"});
  EXPECT_EQ(Field("EditInput")->text(), "b");
}

TEST_F(SchedulePage, EnterWalksThroughTheFieldsAndAdds) {
  Open();
  form_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  Find<QTabWidget>("PageControlMain")->setCurrentIndex(1);
  Field("EditY")->setFocus();
  Field("EditY")->selectAll();  // typing replaces today's year
  QTest::keyClicks(Field("EditY"), "26");
  QTest::keyClick(Field("EditY"), Qt::Key_Return);
  EXPECT_TRUE(Field("EditM")->hasFocus());
  QTest::keyClicks(Field("EditM"), "1");
  QTest::keyClick(Field("EditM"), Qt::Key_Return);
  EXPECT_TRUE(Field("EditD")->hasFocus());
  QTest::keyClicks(Field("EditD"), "2");
  QTest::keyClick(Field("EditD"), Qt::Key_Return);
  EXPECT_TRUE(Field("EditInput")->hasFocus());
  Field("EditInput")->setText("初詣");
  QTest::keyClick(Field("EditInput"), Qt::Key_Return);
  EXPECT_EQ(ListTexts(), Lines{"26/01/02 00 1 初詣"});
  EXPECT_TRUE(Field("EditM")->hasFocus());
}

TEST_F(SchedulePage, ThreeAdjacentEntriesAreDeletedTogether) {
  SeedSchedule({"25/06/01 00 1 a", "25/06/02 00 1 b", "25/06/03 00 1 c", "25/06/04 00 1 d",
                "25/06/05 00 1 e"});
  Open();
  QSignalSpy picture(form_.get(), &TFormMain::PictureInputsChanged);
  QListWidget* list = List();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(1)).center());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                    list->visualItemRect(list->item(3)).center());
  EXPECT_EQ(list->selectedItems().size(), 3);
  auto* del = Find<QPushButton>("SpeedButtonDel");
  ASSERT_TRUE(del->isEnabled());
  del->click();
  const Lines kept = {"25/06/01 00 1 a", "25/06/05 00 1 e"};
  EXPECT_EQ(ListTexts(), kept);
  EXPECT_EQ(ScheduleFile(), ScheduleBytes(kept));
  EXPECT_FALSE(del->isEnabled());
  EXPECT_FALSE(Find<QPushButton>("SpeedButtonEdit")->isEnabled());
  EXPECT_EQ(Field("EditD")->text(), "");
  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_GE(picture.count(), 1);
}

TEST_F(SchedulePage, ClickAndChangeKeepTheColourKeyword) {
  SeedSchedule({"25/06/15 00 1 会議%Red%", "25/07/01 00 1 b"});
  Open();
  QListWidget* list = List();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(0)).center());
  EXPECT_EQ(Field("EditY")->text(), "25");
  EXPECT_EQ(Field("EditM")->text(), "6");
  EXPECT_EQ(Field("EditD")->text(), "15");
  EXPECT_EQ(Field("EditInput")->text(), "会議%Red%");
  EXPECT_EQ(Find<QComboBox>("ComboBoxCol")->currentIndex(), 0);  // not set by the click
  EXPECT_TRUE(Find<QPushButton>("SpeedButtonEdit")->isEnabled());

  // Added again without a colour, the keyword stays.
  Field("EditD")->setText("16");
  Add();
  EXPECT_EQ(ListTexts(),
            (Lines{"25/06/15 00 1 会議%Red%", "25/06/16 00 1 会議%Red%", "25/07/01 00 1 b"}));
  // Change replaces the focused entry (still the first one).
  Field("EditM")->setText("8");
  Field("EditD")->setText("1");
  Field("EditInput")->setText("移動");
  Find<QPushButton>("SpeedButtonEdit")->click();
  const Lines expected = {"25/06/16 00 1 会議%Red%", "25/07/01 00 1 b", "25/08/01 00 1 移動"};
  EXPECT_EQ(ListTexts(), expected);
  EXPECT_EQ(ScheduleFile(), ScheduleBytes(expected));
  EXPECT_FALSE(Find<QPushButton>("SpeedButtonEdit")->isEnabled());
}

TEST_F(SchedulePage, ColourListPaintsTheSwatchUntilTheNextAdd) {
  Open();
  auto* swatch = Find<QLabel>("PanelColMon");
  EXPECT_EQ(swatch->palette().color(QPalette::Window), ButtonFace());
  auto* colors = Find<QComboBox>("ComboBoxCol");
  colors->setCurrentText("Lime");
  EXPECT_EQ(swatch->palette().color(QPalette::Window), QColor(0, 255, 0));
  // The empty item shows the schedule colour of the page now shown.
  form_->Copy().ActivePage().schedule = 0x123456;
  colors->setCurrentIndex(0);
  EXPECT_EQ(swatch->palette().color(QPalette::Window), QColor(0x56, 0x34, 0x12));
  colors->setCurrentText("Purple");
  Type("25", "7", "7", "七夕", "Purple");
  Add();
  EXPECT_EQ(ListTexts(), Lines{"25/07/07 00 1 七夕%Purple%"});
  EXPECT_EQ(swatch->palette().color(QPalette::Window), ButtonFace());
}

TEST_F(SchedulePage, PatternSetFillsTheFieldsOrExplainsWhatIsMissing) {
  Open();
  auto* pattern = Find<QComboBox>("ComboBoxSelect");
  auto* occurrence = Find<QComboBox>("ComboBoxIning");
  auto* weekday = Find<QComboBox>("ComboBoxWeeks");
  auto* set = Find<QPushButton>("SpeedButtonPatternSet");
  const QColor yellow(Qt::yellow);

  set->click();
  EXPECT_EQ(dialogs_.messages, Lines{"パターン設定欄で選択してください"});

  pattern->setCurrentIndex(3);  // 毎週
  EXPECT_EQ(occurrence->palette().color(QPalette::Button), ButtonFace());
  EXPECT_EQ(weekday->palette().color(QPalette::Button), yellow);
  set->click();
  EXPECT_EQ(dialogs_.messages.back(),
            "「毎週」パターンの時は日曜から土曜日までのいずれかを選択してください");
  weekday->setCurrentIndex(6);  // 金曜日
  set->click();
  EXPECT_EQ(Field("EditY")->text(), "@@");
  EXPECT_EQ(Field("EditM")->text(), "@@");
  EXPECT_EQ(Field("EditD")->text(), "W6");
  EXPECT_EQ(pattern->currentIndex(), 0);
  EXPECT_EQ(weekday->currentIndex(), 0);

  pattern->setCurrentIndex(4);  // 週指定
  EXPECT_EQ(occurrence->palette().color(QPalette::Button), yellow);
  occurrence->setCurrentIndex(6);  // 最終回
  set->click();
  EXPECT_EQ(dialogs_.messages.back(),
            "「週指定」パターンの時は何回目かの指定と曜日指定の両方を選択してください");
  weekday->setCurrentIndex(2);  // 月曜日
  set->click();
  EXPECT_EQ(Field("EditD")->text(), "F2");
  // For one month only, the month is typed afterwards.
  Field("EditM")->setText("06");
  Field("EditInput")->setText("検診");
  Add();
  EXPECT_EQ(ListTexts(), Lines{"@@/06/F2 00 5 検診"});

  const std::size_t shown = dialogs_.messages.size();
  pattern->setCurrentIndex(1);  // 毎年
  EXPECT_EQ(dialogs_.messages.size(), shown);
  pattern->setCurrentIndex(0);
  EXPECT_EQ(dialogs_.messages.back(), "パターン設定欄で選択してください");
}

TEST_F(SchedulePage, RightClickPurgesPastEntriesAfterAsking) {
  // Today is 2025-06-15.
  SeedSchedule({"25/06/14 00 1 昨日", "25/06/15 00 1 今日", "@@/06/01 00 2 毎年",
                "97/01/01 00 1 九七年", "24/12/31 00 1 大晦日", "25/01/01 00 1 元日",
                "25/06/16 00 1 明日", "@@/@@/W1 00 4 毎週", "26/01/01 00 1 来年",
                "@@/@@/20 00 3 毎月"});
  Open();
  auto* add = Find<QPushButton>("SpeedButtonAdd");
  const std::string before = ScheduleFile();
  QTest::mouseClick(add, Qt::RightButton);
  EXPECT_EQ(dialogs_.questions,
            Lines{"過去日となった予定を一括削除することができます．実行しますか？"});
  EXPECT_EQ(dialogs_.messages, Lines{"過去日となった予定の一括削除を中止しました"});
  EXPECT_EQ(ScheduleFile(), before);
  EXPECT_EQ(List()->count(), 10);

  dialogs_.messages.clear();
  dialogs_.answers = {true};
  QTest::mouseClick(add, Qt::RightButton);
  EXPECT_EQ(dialogs_.messages, Lines{"3件の過去日となった予定を削除しました"});
  const Lines kept = {"25/06/15 00 1 今日",   "25/06/16 00 1 明日", "26/01/01 00 1 来年",
                      "97/01/01 00 1 九七年", "@@/06/01 00 2 毎年", "@@/@@/20 00 3 毎月",
                      "@@/@@/W1 00 4 毎週"};
  EXPECT_EQ(ListTexts(), kept);
  EXPECT_EQ(ScheduleFile(), ScheduleBytes(kept));

  dialogs_.messages.clear();
  dialogs_.answers = {true};
  QTest::mouseClick(add, Qt::RightButton);
  EXPECT_EQ(dialogs_.messages, Lines{"削除対象となる予定データはありませんでした"});
}

TEST_F(SchedulePage, MalformedEntryFoundAfterDeleteIsNamed) {
  SeedSchedule({"25/06/01 00 1 a", "25/06/02 00 1 b", "ab/06/15 00 1 手で書いた行"});
  Open();
  QListWidget* list = List();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(0)).center());
  Find<QPushButton>("SpeedButtonDel")->click();
  // After the delete the line is the second of the file.
  EXPECT_EQ(dialogs_.messages,
            Lines{"'ab' は整数ではありません\n誤りのある予定（" + (folder_ / "MURVA32.SCH").string() +
                  " の 2 行目）：ab/06/15 00 1 手で書いた行"});
  const Lines on_disk = {"25/06/02 00 1 b", "ab/06/15 00 1 手で書いた行"};
  EXPECT_EQ(ListTexts(), on_disk);
  EXPECT_EQ(ScheduleFile(), ScheduleBytes(on_disk));
}

TEST_F(SchedulePage, DisplaySettingsAreSavedByTheirOwnButton) {
  Open();
  QSignalSpy picture(form_.get(), &TFormMain::PictureInputsChanged);
  auto* save = Find<QPushButton>("SpeedButtonSaveSch");
  Find<QComboBox>("ComboBoxSch")->setCurrentIndex(5);
  EXPECT_TRUE(save->isEnabled());
  Find<QSpinBox>("SpinEditSch")->setValue(-9);
  QTest::mouseClick(Find<QCheckBox>("CheckBoxCutYear"), Qt::LeftButton);
  QTest::mouseClick(Find<QCheckBox>("CheckBoxCutWeek"), Qt::LeftButton);
  Find<QComboBox>("ComboBoxBefore")->setCurrentIndex(3);

  // The source: the path field and the list show which is in use.
  auto* source = Find<QComboBox>("ComboBoxUseSelb");
  auto* path = Field("EditSelb");
  const QPalette system = QApplication::palette();
  EXPECT_EQ(path->palette().color(QPalette::Base), system.color(QPalette::Button));
  EXPECT_EQ(List()->palette().color(QPalette::Base), system.color(QPalette::ToolTipBase));
  source->setCurrentIndex(1);
  EXPECT_EQ(path->palette().color(QPalette::Base), system.color(QPalette::Base));
  EXPECT_EQ(List()->palette().color(QPalette::Base), system.color(QPalette::Button));
  source->setCurrentIndex(2);
  EXPECT_EQ(List()->palette().color(QPalette::Base), system.color(QPalette::ToolTipBase));

  const std::string chosen = (folder_ / "外部" / "SELBORI.DAT").string();
  dialogs_.files = {QString::fromStdString(chosen)};
  Find<QPushButton>("SpeedButtonSelbPath")->click();
  EXPECT_EQ(path->text().toStdString(), chosen);
  ASSERT_EQ(dialogs_.filters.size(), 1u);
  // Each pattern is shown once, after a Japanese name.
  EXPECT_EQ(dialogs_.filters[0],
            "予定データ (*.DAT *.dat *.Sch *.sch *.SCH);;すべてのファイル (*)");
  EXPECT_GE(picture.count(), 8);
  EXPECT_EQ(Ini().find("SchLineSpc"), std::string::npos);  // nothing written yet

  save->click();
  EXPECT_FALSE(save->isEnabled());
  const std::string ini = DecodeCp932Lossy(Ini());
  for (const std::string& key :
       {"SelborPath=" + chosen, std::string("UseSelbori=2"), std::string("CalSchedul=5"),
        std::string("SchLineSpc=-9"), std::string("CutYearDsp=1"), std::string("CutWeekDsp=0"),
        std::string("BeforeWeek=3")}) {
    EXPECT_NE(ini.find(key + "\r\n"), std::string::npos) << key;
  }
  // After a restart the page shows what was saved.
  Open();
  EXPECT_EQ(Find<QComboBox>("ComboBoxSch")->currentIndex(), 5);
  EXPECT_EQ(Find<QSpinBox>("SpinEditSch")->value(), -9);
  EXPECT_EQ(Field("EditSelb")->text().toStdString(), chosen);
  EXPECT_EQ(List()->palette().color(QPalette::Base), system.color(QPalette::ToolTipBase));
  EXPECT_FALSE(Find<QPushButton>("SpeedButtonSaveSch")->isEnabled());
}

// Both tabs at 1024x768 as artefacts, with every control of the page inside
// it and at least as large as it asks to be.
TEST_F(SchedulePage, BothTabsFitAt1024x768) {
  SeedSchedule({"25/06/15 00 1 札幌に行く%Red%", "@@/10/09 00 2 妻の誕生日",
                "@@/@@/20 00 3 給料日です", "@@/06/A2 00 5 定期の検診", "@@/@@/B3 00 5 燃えるゴミ",
                "@@/@@/W5 00 4 ＨＤのBackUp%Navy%"});
  Open();
  form_->resize(1024, 768);
  auto* tabs = Find<QTabWidget>("PageControlMain");
  std::filesystem::create_directories(MURVA_TEST_ARTEFACT_DIR);
  const std::pair<int, const char*> shots[] = {{1, "schedule-page.png"},
                                               {2, "schedule-explanation.png"}};
  for (const auto& [index, file] : shots) {
    tabs->setCurrentIndex(index);
    QApplication::processEvents();
    EXPECT_TRUE(form_->grab().save(QString(MURVA_TEST_ARTEFACT_DIR) + "/" + file));
  }
  tabs->setCurrentIndex(1);
  QApplication::processEvents();
  QWidget* page = tabs->widget(1);
  for (QWidget* control : page->findChildren<QWidget*>()) {
    const QString name = control->objectName();
    if (name.isEmpty() || name.startsWith("qt_") || !control->isVisible()) continue;
    const QRect area(control->mapTo(page, QPoint(0, 0)), control->size());
    EXPECT_TRUE(page->rect().contains(area)) << control->objectName().toStdString();
    EXPECT_GE(control->width(), control->minimumSizeHint().width())
        << control->objectName().toStdString();
    EXPECT_GE(control->height(), control->minimumSizeHint().height())
        << control->objectName().toStdString();
  }
  // The fixed-pitch list font lines up the texts of the entries: a
  // full-width character is as wide as two half-width ones.
  const QFontMetrics metrics(List()->font());
  EXPECT_EQ(metrics.horizontalAdvance("札幌に行く  "), metrics.horizontalAdvance("ＨＤのBackUp"));
  EXPECT_EQ(metrics.horizontalAdvance("@@/@@/W5 00 4 "), 14 * metrics.horizontalAdvance("0"));
}


// What Add refuses is named: the character the file cannot hold, the date
// no calendar has. Nothing is added, the fields stay for a correction.
TEST_F(SchedulePage, AddNamesTheCharacterOrTheDateItRefuses) {
  SeedSchedule({"25/06/01 00 1 a"});
  Open();
  const std::string before = ScheduleFile();
  const struct {
    const char* day;
    const char* text;
    const char* named;
  } cases[] = {
      {"1", "カフェ café", "「é」"},
      {"1", "旅費 100€", "「€」"},
      {"1", "誕生日🎂", "「🎂」"},
      {"31", "会議", "2025年2月31日"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    dialogs_.messages.clear();
    Type("25", c.day == std::string("31") ? "2" : "6", c.day, c.text);
    Add();
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_NE(dialogs_.messages[0].find(c.named), std::string::npos) << dialogs_.messages[0];
    EXPECT_EQ(ScheduleFile(), before);
    EXPECT_EQ(Field("EditInput")->text().toStdString(), c.text);
  }
}

}  // namespace
}  // namespace murva
