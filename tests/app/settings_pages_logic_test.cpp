// The decisions of the settings tabs, without widgets: value lists, hints,
// the save-button table, the grids as they will be saved, the texts the
// settings file cannot hold, fonts to and from the dialog, and the author's
// message window.
#include <gtest/gtest.h>

#include <QFont>

#include "app/author_message.h"
#include "app/day_grid_preview.h"
#include "app/font_choice.h"
#include "app/save_button_rules.h"
#include "app/settings_choices.h"
#include "app/storable_text.h"
#include "calendar/calendar_ex.h"
#include "calendar/clock.h"
#include "calendar/day_type.h"

namespace murva {
namespace {

TEST(SettingsChoices, EveryChoiceBoxNamesItsKeyAndStoresThePosition) {
  const std::span<const ChoiceList> choices = BasicSettingsChoices();
  ASSERT_EQ(choices.size(), 6u);
  for (const ChoiceList& choice : choices) {
    // The last item is the largest value the key holds.
    EXPECT_EQ(static_cast<int>(choice.items.size()) - 1, choice.key->max_value) << choice.control;
    EXPECT_EQ(ShownIndex(choice, 0), 0);
    EXPECT_EQ(ShownIndex(choice, static_cast<int>(choice.items.size())), -1);
    EXPECT_EQ(ShownIndex(choice, kNoSelection), -1);
  }
  WorkingCopy copy;
  copy.*choices[5].field = 4;
  EXPECT_EQ(copy.period, 4);
  EXPECT_FALSE(choices[4].affects_picture);  // only where the file goes
}

TEST(SettingsChoices, HintsNumberTheLinesInFullWidthDigits) {
  EXPECT_EQ(TitleFontHint(1), "１行目のタイトルのフォント指定");
  EXPECT_EQ(TitleSizeHint(3), "３行目のタイトルのスタイルとサイズを表示");
  EXPECT_EQ(TitleTextHint(4), "４行目のタイトル文字列");
  EXPECT_EQ(TitleGapHint(2), "１行目との間隔を設定");
  EXPECT_EQ(TitleGapHint(4), "３行目との間隔を設定");
  EXPECT_EQ(TitleFieldName(2), "タイトル２行目");
  EXPECT_THROW(TitleGapHint(1), std::out_of_range);
  EXPECT_THROW(TitleFontHint(5), std::out_of_range);
  EXPECT_EQ(OneDigitAdjustRange().min, -9);
  EXPECT_EQ(OneDigitAdjustRange().max, 20);
  EXPECT_EQ(TitleGapRange().max, 400);
  EXPECT_EQ(TitleLeftRange(1920).max, 1920);
  EXPECT_EQ(TitleTopRange(-1).max, 0);
}

TEST(SaveButtonRules, EachEditEnablesItsTabsButtonOnly) {
  struct Case {
    SettingsEdit edit;
    SaveButton button;
  };
  const Case cases[] = {
      {SettingsEdit::kCheckBoxAlWay, SaveButton::kConvenience},
      {SettingsEdit::kCheckBoxTitle, SaveButton::kConvenience},
      {SettingsEdit::kSpinEditDelay, SaveButton::kConvenience},
      {SettingsEdit::kComboBox256, SaveButton::kConvenience},
      {SettingsEdit::kCheckBoxMakeOnly, SaveButton::kConvenience},
      {SettingsEdit::kRadioGroupHoliDay, SaveButton::kHoliday},
      {SettingsEdit::kStringGridHoliDay, SaveButton::kHoliday},
      {SettingsEdit::kStringGridSpecialDay, SaveButton::kHoliday},
      {SettingsEdit::kEditPro, SaveButton::kSpecial},
      {SettingsEdit::kEditBirth, SaveButton::kSpecial},
      {SettingsEdit::kCheckBoxPro, SaveButton::kSpecial},
  };
  for (const Case& c : cases) {
    WorkingCopy copy;
    EnableSave(copy, c.edit);
    EXPECT_EQ(copy.convenience_save_enabled, c.button == SaveButton::kConvenience);
    EXPECT_EQ(copy.holiday_save_enabled, c.button == SaveButton::kHoliday);
    EXPECT_EQ(copy.special_save_enabled, c.button == SaveButton::kSpecial);
  }
  WorkingCopy copy;
  copy.convenience_save_enabled = copy.holiday_save_enabled = copy.special_save_enabled = true;
  DisableSaveOfShownTab(copy, 2);  // the title tab has no button
  EXPECT_TRUE(copy.convenience_save_enabled && copy.holiday_save_enabled && copy.special_save_enabled);
  DisableSaveOfShownTab(copy, 4);
  EXPECT_FALSE(copy.holiday_save_enabled);
  EXPECT_TRUE(copy.convenience_save_enabled && copy.special_save_enabled);
}

TEST(DayGridPreview, CellsAreKeptAsTypedAndOnlyDaysSurviveTheSave) {
  for (const char* cell : {"", "1", "05", "31"}) EXPECT_FALSE(IsDroppedOnSave(cell)) << cell;
  for (const char* cell : {"0", "32", "x", " 5", "5 ", "1.5", "-3", "１"}) {
    EXPECT_TRUE(IsDroppedOnSave(cell)) << cell;
  }
  DayGrid grid;
  SetGridCell(grid, 4, 3, "17");
  SetGridCell(grid, 4, 1, "05");
  SetGridCell(grid, 4, 2, "abc");
  EXPECT_EQ(grid[4], (std::vector<std::string>{"05", "abc", "17"}));
  SetGridCell(grid, 4, 3, "");  // trailing empty cells go
  EXPECT_EQ(grid[4], (std::vector<std::string>{"05", "abc"}));
  SetGridCell(grid, 12, 1, "1");  // no such row or column: nothing
  SetGridCell(grid, 0, 32, "1");
  EXPECT_TRUE(grid[0].empty());
  EXPECT_EQ(GridCell(grid, 4, 2), "abc");
  EXPECT_EQ(GridCell(grid, 4, 9), "");
  SetGridCell(grid, 4, 5, "40");
  SetGridCell(grid, 4, 6, "9");
  EXPECT_EQ(AsSaved(grid)[4], (std::vector<std::string>{"05", "9"}));
}

TEST(DayGridPreview, AMonthIsShownInTheYearItsSavedDaysReach) {
  const TodayFields march = TodayFields::Of(2026, 3, 10);
  const TodayFields august = TodayFields::Of(2026, 8, 10);
  EXPECT_EQ(PreviewYear(3, march), 2026);
  EXPECT_EQ(PreviewYear(1, march), 2026);   // this year's lines only
  EXPECT_EQ(PreviewYear(12, august), 2026);
  EXPECT_EQ(PreviewYear(1, august), 2027);  // the lines reach next year
}

TEST(DayGridPreview, TheEngineColoursTheMonthAsTheSavedListsWill) {
  FixedClock clock({2026, 8, 10, 9, 0, 0});
  TCalendarEx engine(clock);
  WorkingCopy copy;
  copy.holiday_method = 1;
  SetGridCell(copy.holiday_grid, 0, 1, "7");    // 7 January: a user holiday
  SetGridCell(copy.holiday_grid, 0, 2, "x9");   // dropped on save
  SetGridCell(copy.special_grid, 0, 1, "20");
  const TodayFields today = TodayFields::Of(2026, 8, 10);
  ShowMonthAsSaved(engine, copy, today, 1, 7);
  EXPECT_EQ(engine.Year(), 2027);
  EXPECT_EQ(engine.Month(), 1);
  EXPECT_EQ(engine.Day(), 7);
  EXPECT_NE(engine.DayTypeOf(2027, 1, 7) & dtHoliday, 0);
  EXPECT_EQ(engine.DayTypeOf(2027, 1, 1) & dtHoliday, 0);  // the built-in list is gone
  EXPECT_NE(engine.DayTypeOf(2027, 1, 20) & dtSpecialDay, 0);
  EXPECT_EQ(engine.DayFontOf(2027, 1, 7).color, copy.ActivePage().holiday);
  EXPECT_EQ(engine.DayFontOf(2027, 1, 20).color, copy.ActivePage().special);
  EXPECT_EQ(engine.FirstDayOfWeek(), dowSun);

  // Back to the system's holidays: the built-in lines come back.
  copy.holiday_method = 0;
  copy.monday_first = true;
  ShowMonthAsSaved(engine, copy, today, 1, 40);
  EXPECT_EQ(engine.Day(), 1);
  EXPECT_NE(engine.DayTypeOf(2027, 1, 1) & dtHoliday, 0);
  EXPECT_EQ(engine.DayTypeOf(2027, 1, 7) & dtHoliday, 0);
  EXPECT_EQ(engine.FirstDayOfWeek(), dowMon);
}

TEST(StorableText, TheFirstUnstorableFieldIsNamed) {
  WorkingCopy copy;
  EXPECT_FALSE(FindUnstorableBasicText(copy));
  copy.titles[1].text = "Café $yyyy";
  EXPECT_FALSE(FindUnstorableBasicText(copy));  // titles off: their keys are not written
  copy.titles_on = true;
  std::optional<UnstorableText> found = FindUnstorableBasicText(copy);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->field, "タイトル２行目");
  EXPECT_EQ(found->character, "é");
  EXPECT_NE(UnstorableTextMessage(*found).find("「タイトル２行目」の「é」"), std::string::npos);
  copy.schedule_font.name = "나눔고딕";
  found = FindUnstorableBasicText(copy);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->field, "予定フォント");
}

TEST(FontChoice, DialogFontsMapToTheNamesTheSettingsKeep) {
  const FontSetting stored{"ＭＳ ゴシック", 11, kStyleBold | kStyleUnderline};
  const QFont dialog = DialogFontOf(stored);
  EXPECT_EQ(dialog.family(), "IPAGothic");
  EXPECT_EQ(dialog.pointSize(), 11);
  EXPECT_TRUE(dialog.bold() && dialog.underline() && !dialog.italic());
  const FontSetting back = FontSettingOf(dialog);
  EXPECT_EQ(back.name, stored.name);
  EXPECT_EQ(back.size, stored.size);
  EXPECT_EQ(back.style, stored.style);

  QFont localised("IPA Pゴシック");
  localised.setPixelSize(24);  // 18 points at 96 dots per inch
  localised.setItalic(true);
  localised.setStrikeOut(true);
  const FontSetting chosen = FontSettingOf(localised);
  EXPECT_EQ(chosen.name, "ＭＳ Ｐゴシック");
  EXPECT_EQ(chosen.size, 18);
  EXPECT_EQ(chosen.style, kStyleItalic | kStyleStrikeOut);

  EXPECT_EQ(FontSettingOf(QFont("DejaVu Serif", 30)).name, "DejaVu Serif");
  EXPECT_EQ(SampleFontOf(stored).pixelSize(), 15);
}

TEST(AuthorMessage, ClicksStepThroughSixPagesAndTheSixthCloses) {
  AuthorMessage message;
  EXPECT_EQ(message.Click(), AuthorMessage::ClickResult::kNothing);  // closed
  EXPECT_EQ(message.Counter(), 0);
  message.Activate();
  EXPECT_EQ(message.Speech(), "クリックしてください");
  EXPECT_EQ(message.TalkWidth(), AuthorMessage::kNarrowTalkWidth);
  std::vector<std::string> texts{message.PageText()};
  for (int page = 2; page <= 6; ++page) {
    EXPECT_EQ(message.Click(), AuthorMessage::ClickResult::kNextPage);
    EXPECT_EQ(message.Counter(), page);
    EXPECT_EQ(message.ButtonVisible(), page == 6);
    EXPECT_EQ(message.TalkWidth(), AuthorMessage::kWideTalkWidth);
    texts.push_back(message.PageText());
  }
  EXPECT_EQ(message.Click(), AuthorMessage::ClickResult::kClose);
  // Six different pages of text, each with its own speech line.
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(std::unique(texts.begin(), texts.end()), texts.end());

  // Activated again while open: page 1, the button stays until closed.
  message.Activate();
  EXPECT_EQ(message.Counter(), 1);
  EXPECT_TRUE(message.ButtonVisible());
  message.Close();
  EXPECT_FALSE(message.ButtonVisible());
  EXPECT_EQ(message.PageText(), "");
  message.Activate();
  EXPECT_EQ(message.TalkWidth(), AuthorMessage::kWideTalkWidth);  // keeps its width
}

}  // namespace
}  // namespace murva
