// The decisions of the settings tabs, without widgets: value lists, hints,
// the grids as they will be saved, the texts the settings file cannot hold,
// and fonts to and from the dialog.
#include <gtest/gtest.h>

#include <QFont>

#include "app/day_grid_preview.h"
#include "app/font_choice.h"
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
  EXPECT_EQ(TitleGapHint(4), "３行目との間隔を設定");
  EXPECT_THROW(TitleGapHint(1), std::out_of_range);
  EXPECT_THROW(TitleFontHint(5), std::out_of_range);
  EXPECT_EQ(TitleTopRange(-1).max, 0);
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

TEST(StorableText, TheFirstUnstorableFieldIsNamedAndTitlesCountOnlyWhenOn) {
  WorkingCopy copy;
  copy.titles[1].text = "Café $yyyy";
  EXPECT_FALSE(FindUnstorableBasicText(copy));  // titles off: their keys are not written
  copy.titles_on = true;
  copy.schedule_font.name = "나눔고딕";
  const std::optional<UnstorableText> found = FindUnstorableBasicText(copy);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->field, "予定フォント");
  EXPECT_EQ(found->character, "나");
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

}  // namespace
}  // namespace murva
