#include <gtest/gtest.h>

#include "render/calendar_drawing.h"
#include "render/labels.h"
#include "render/render_test_support.h"

namespace murva {
namespace {

using namespace test;

// Recording canvas: digit width w = 7, line height h = 15. Layout: origin
// (100, 50), month spacing 30, line spacing 20, day spacing 5, so the column
// pitch is 5 + 2 * 7 = 19.
class BoxMonth : public ::testing::Test {
 protected:
  BoxMonth() : day_(2026, 12, 6), copy_(LayoutCopy()) { copy_.calendar_style = kCalendarStyleBox; }

  void UseDay(int year, int month, int day) { day_ = EngineOnDay(year, month, day); }

  void Draw() {
    DrawCalendars(canvas_, day_.Engine(), copy_, day_.Today(), random_,
                  [this](const std::string& message) { messages_.push_back(message); });
  }

  EngineOnDay day_;
  WorkingCopy copy_;
  RecordingCanvas canvas_;
  ScriptedRandom random_;
  std::vector<std::string> messages_;
};

TEST_F(BoxMonth, LabelHeaderAndDaysFollowTheGrid) {
  Draw();
  const DrawnText label = FindOne(canvas_, "December");
  EXPECT_EQ(label.x, 100);
  EXPECT_EQ(label.y, 50);
  EXPECT_EQ(label.font.color, kWeekdayColor);

  const char* header[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
  for (int col = 0; col < 7; ++col) {
    const DrawnText drawn = FindOne(canvas_, header[col]);
    EXPECT_EQ(drawn.x, 100 + col * 19) << header[col];
    EXPECT_EQ(drawn.y, 70) << header[col];
  }
  EXPECT_EQ(FindOne(canvas_, "SU").font.color, kSundayColor);
  EXPECT_EQ(FindOne(canvas_, "SA").font.color, kSaturdayColor);
  EXPECT_EQ(FindOne(canvas_, "WE").font.color, kWeekdayColor);

  // 1 December 2026 is a Tuesday: column 2 of the first day row. Single-digit
  // days are a space and the digit, w div 2 to the left.
  const DrawnText first = FindOne(canvas_, " 1");
  EXPECT_EQ(first.x, 100 + 2 * 19 - 3);
  EXPECT_EQ(first.y, 90);
  const DrawnText tenth = FindOne(canvas_, "10");
  EXPECT_EQ(tenth.x, 100 + 4 * 19);
  EXPECT_EQ(tenth.y, 110);
  const DrawnText last = FindOne(canvas_, "31");
  EXPECT_EQ(last.x, 100 + 4 * 19);
  EXPECT_EQ(last.y, 170);
  // No day of November or January is drawn.
  EXPECT_EQ(canvas_.Drawn().size(), 1u + 7u + 31u);
}

TEST_F(BoxMonth, DaysTakeTheColoursOfTheirDayTypes) {
  copy_.today_mark = kTodayMarkNone;
  Draw();
  EXPECT_EQ(FindOne(canvas_, " 1").font.color, kWeekdayColor);
  EXPECT_EQ(FindOne(canvas_, " 5").font.color, kSaturdayColor);
  EXPECT_EQ(FindOne(canvas_, " 6").font.color, kSundayColor);
  EXPECT_EQ(FindOne(canvas_, "13").font.color, kSundayColor);
  EXPECT_EQ(FindOne(canvas_, "25").font.color, kWeekdayColor);
}

TEST_F(BoxMonth, HolidaysAndSpecialDaysUseTheirColours) {
  UseDay(2026, 5, 20);
  day_.Engine().SetHolidayList({"5,3,憲法記念日", "5,4,みどりの日", "5,5,こどもの日"});
  day_.Engine().SetSpecialDayList({"2026,0,5,20,Dummy"});
  copy_.today_mark = kTodayMarkNone;
  Draw();
  EXPECT_EQ(FindOne(canvas_, " 3").font.color, kHolidayColor) << "a Sunday holiday";
  EXPECT_EQ(FindOne(canvas_, " 4").font.color, kHolidayColor);
  EXPECT_EQ(FindOne(canvas_, " 5").font.color, kHolidayColor);
  EXPECT_EQ(FindOne(canvas_, " 9").font.color, kSaturdayColor);
  EXPECT_EQ(FindOne(canvas_, "20").font.color, kSpecialColor);
  EXPECT_EQ(FindOne(canvas_, "21").font.color, kWeekdayColor);
}

TEST_F(BoxMonth, TodayMarkByColour) {
  Draw();
  EXPECT_EQ(FindOne(canvas_, " 6").font.color, kTodayColor);
  EXPECT_EQ(FindOne(canvas_, " 7").font.color, kWeekdayColor);
}

TEST_F(BoxMonth, TodayMarkByUnderlineKeepsTheDayColour) {
  copy_.today_mark = kTodayMarkUnderline;
  Draw();
  const DrawnText today = FindOne(canvas_, " 6");
  EXPECT_EQ(today.font.color, kSundayColor);
  EXPECT_NE(today.font.style & kStyleUnderline, 0);
  EXPECT_EQ(FindOne(canvas_, " 7").font.style & kStyleUnderline, 0);
  EXPECT_EQ(FindOne(canvas_, " 5").font.style & kStyleUnderline, 0);
}

TEST_F(BoxMonth, TodayMarkComparesMonthAndDayOnly) {
  // Period 1 from December: January's 6th is not today.
  copy_.period = 1;
  Draw();
  const std::vector<DrawnText> sixths = Find(canvas_, " 6");
  ASSERT_EQ(sixths.size(), 2u);
  EXPECT_EQ(sixths[0].font.color, kTodayColor);
  EXPECT_NE(sixths[1].font.color, kTodayColor);
}

TEST_F(BoxMonth, DayFontIsUsedWithAClearBrush) {
  copy_.date_font = FontSetting{"ＭＳ 明朝", 14, kStyleItalic};
  Draw();
  for (const DrawnText& drawn : canvas_.Drawn()) {
    EXPECT_EQ(drawn.font.name, "ＭＳ 明朝");
    EXPECT_EQ(drawn.font.size, 14);
    EXPECT_EQ(drawn.font.style, kStyleItalic);
    EXPECT_TRUE(drawn.brush_clear);
  }
}

TEST_F(BoxMonth, SingleDigitAdjustmentMovesOnlyDaysOneToNine) {
  copy_.one_digit_adjust = 4;
  Draw();
  EXPECT_EQ(FindOne(canvas_, " 1").x, 100 + 2 * 19 + 4 - 3);
  EXPECT_EQ(FindOne(canvas_, "10").x, 100 + 4 * 19);
}

TEST_F(BoxMonth, MonthBeginningInTheFirstColumnLeavesNoEmptyRow) {
  // February 2015 begins on a Sunday: the engine's first row is a week of
  // January, which produces no text and no gap.
  UseDay(2015, 2, 10);
  Draw();
  const DrawnText first = FindOne(canvas_, " 1");
  EXPECT_EQ(first.x, 100 - 3);
  EXPECT_EQ(first.y, 50 + 20 + 20);
  const DrawnText last = FindOne(canvas_, "28");
  EXPECT_EQ(last.y, 50 + 20 + 4 * 20);
}

TEST_F(BoxMonth, WithoutWeekdayHeaderTheDaysFollowTheLabelLine) {
  copy_.weekday_label_style = 0;
  Draw();
  EXPECT_TRUE(Find(canvas_, "SU").empty());
  EXPECT_EQ(FindOne(canvas_, " 1").y, 70);
}

TEST_F(BoxMonth, WithoutMonthLabelItsLineStaysEmpty) {
  copy_.month_label_style = 0;
  Draw();
  EXPECT_TRUE(Find(canvas_, "December").empty());
  EXPECT_EQ(FindOne(canvas_, "SU").y, 70);
  EXPECT_EQ(FindOne(canvas_, " 1").y, 90);
}

TEST_F(BoxMonth, MondayFirstPutsSundayInTheLastColumn) {
  copy_.monday_first = true;
  Draw();
  const char* header[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};
  for (int col = 0; col < 7; ++col) {
    EXPECT_EQ(FindOne(canvas_, header[col]).x, 100 + col * 19) << header[col];
  }
  EXPECT_EQ(FindOne(canvas_, "SA").font.color, kSaturdayColor);
  EXPECT_EQ(FindOne(canvas_, "SU").font.color, kSundayColor);
  EXPECT_EQ(FindOne(canvas_, "MO").font.color, kWeekdayColor);
  // Tuesday the 1st is in column 1; Sunday the 6th in column 6.
  EXPECT_EQ(FindOne(canvas_, " 1").x, 100 + 19 - 3);
  EXPECT_EQ(FindOne(canvas_, " 1").y, 90);
  EXPECT_EQ(FindOne(canvas_, " 6").x, 100 + 6 * 19 - 3);
  EXPECT_EQ(FindOne(canvas_, " 6").y, 90);
  EXPECT_EQ(FindOne(canvas_, " 7").y, 110);
}

TEST_F(BoxMonth, VerticalStackingStartsBelowTheLastRowOfTheMonthBefore) {
  copy_.period = 1;
  Draw();
  // December's 31st is at y 170; January's label 30 below it.
  EXPECT_EQ(Find(canvas_, "31")[0].y, 170);
  const DrawnText january = FindOne(canvas_, "January");
  EXPECT_EQ(january.x, 100);
  EXPECT_EQ(january.y, 170 + 30);
  // 1 January 2027 is a Friday.
  const std::vector<DrawnText> firsts = Find(canvas_, " 1");
  ASSERT_EQ(firsts.size(), 2u);
  EXPECT_EQ(firsts[1].x, 100 + 5 * 19 - 3);
  EXPECT_EQ(firsts[1].y, 200 + 40);
}

TEST_F(BoxMonth, HorizontalMonthsStandSideBySide) {
  SetHorizontal(copy_);
  copy_.period = 3;
  Draw();
  EXPECT_EQ(FindOne(canvas_, "December").x, 100);
  EXPECT_EQ(FindOne(canvas_, "January").x, 100 + (7 * 19 + 30));
  EXPECT_EQ(FindOne(canvas_, "February").x, 100 + 2 * (7 * 19 + 30));
  for (const char* month : {"December", "January", "February"}) {
    EXPECT_EQ(FindOne(canvas_, month).y, 50);
  }
}

TEST_F(BoxMonth, ShadowIsDrawnFirstOnePixelDownRight) {
  copy_.text_3d = true;
  Draw();
  const std::vector<DrawnText> labels = Find(canvas_, "December");
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_EQ(labels[0].x, 101);
  EXPECT_EQ(labels[0].y, 51);
  EXPECT_EQ(labels[0].font.color, kShadowColor);
  EXPECT_EQ(labels[1].x, 100);
  EXPECT_EQ(labels[1].y, 50);
  EXPECT_EQ(labels[1].font.color, kWeekdayColor);
  const std::vector<DrawnText> today = Find(canvas_, " 6");
  ASSERT_EQ(today.size(), 2u);
  EXPECT_EQ(today[0].font.color, kShadowColor);
  EXPECT_EQ(today[1].font.color, kTodayColor);
}

TEST_F(BoxMonth, LastRowYIsTheRowOfTheLastDay) {
  CalendarDrawing drawing(canvas_, day_.Engine(), copy_, day_.Today(), random_, {});
  drawing.PrepareEngineMonth(12);
  drawing.DrawBoxMonth(0);
  EXPECT_EQ(drawing.LastRowY(), 170);
}

}  // namespace
}  // namespace murva
