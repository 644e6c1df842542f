#include <gtest/gtest.h>

#include "render/calendar_drawing.h"
#include "render/labels.h"
#include "render/render_test_support.h"
#include "render/set_today_fields.h"

namespace murva {
namespace {

using namespace test;

class MonthSequence : public ::testing::TestWithParam<int> {
 protected:
  MonthSequence() : day_(2026, 12, 6), copy_(LayoutCopy()) {}

  // The month labels drawn, in drawing order.
  std::vector<std::string> Labels() const {
    std::vector<std::string> labels;
    for (const DrawnText& drawn : canvas_.Drawn()) {
      for (int month = 1; month <= 12; ++month) {
        if (drawn.text == MonthLabel(1, month)) labels.push_back(drawn.text);
      }
    }
    return labels;
  }

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

using Strings = std::vector<std::string>;

TEST_P(MonthSequence, PeriodsChooseTheirMonths) {
  copy_.calendar_style = GetParam();
  const Strings expected[] = {
      {"December"},
      {"December", "January"},
      {"November", "December", "January"},
      {"December", "January", "February"},
      {"December", "January", "February", "March"},
      {"December", "January", "February", "March", "April"},
      {"December", "January", "February", "March", "April", "May"},
  };
  for (int period = 0; period <= 6; ++period) {
    day_ = EngineOnDay(2026, 12, 6);
    canvas_.Clear();
    copy_.period = period;
    Draw();
    EXPECT_EQ(Labels(), expected[period]) << "period " << period;
  }
}

TEST_P(MonthSequence, EngineIsLeftOnTheLastMonthDrawn) {
  copy_.calendar_style = GetParam();
  copy_.period = 4;
  Draw();
  EXPECT_EQ(day_.Engine().Year(), 2027);
  EXPECT_EQ(day_.Engine().Month(), 3);
}

TEST_P(MonthSequence, MonthEndsAreStepsOfWholeMonths) {
  // From 31 January: the month before is December, the one after February
  // (the engine lowers the day to the month's length).
  day_ = EngineOnDay(2027, 1, 31);
  copy_.calendar_style = GetParam();
  copy_.period = 2;
  Draw();
  EXPECT_EQ(Labels(), (Strings{"December", "January", "February"}));
  canvas_.Clear();
  day_ = EngineOnDay(2027, 3, 31);
  copy_.period = 3;
  Draw();
  EXPECT_EQ(Labels(), (Strings{"March", "April", "May"}));
}

TEST_P(MonthSequence, UnknownPeriodDrawsNothing) {
  copy_.calendar_style = GetParam();
  copy_.period = 7;
  Draw();
  EXPECT_TRUE(canvas_.Drawn().empty());
}

INSTANTIATE_TEST_SUITE_P(BoxAndLine, MonthSequence, ::testing::Values(kCalendarStyleBox, kCalendarStyleLine),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return info.param == kCalendarStyleBox ? std::string("Box")
                                                          : std::string("Line");
                         });

TEST(DrawCalendars, BoxStyleDrawsTheGridAndEveryOtherStyleTheLine) {
  EngineOnDay day(2026, 12, 6);
  WorkingCopy copy = LayoutCopy();
  ScriptedRandom random;
  copy.birthday = "80/02/12";
  SetHorizontal(copy);
  for (int style = 0; style <= 7; ++style) {
    day = EngineOnDay(2026, 12, 6);
    RecordingCanvas canvas;
    copy.calendar_style = style;
    DrawCalendars(canvas, day.Engine(), copy, day.Today(), random, {});
    // Only the grid has a header row of seven weekday labels on one line.
    const std::vector<DrawnText> sundays = Find(canvas, "SU");
    if (style == kCalendarStyleBox) {
      ASSERT_EQ(sundays.size(), 1u);
      EXPECT_EQ(sundays[0].y, 70);
    } else {
      EXPECT_EQ(sundays.size(), 4u) << "style " << style;  // above each Sunday
    }
  }
}

TEST(PrepareEngineMonth, SetsTheMonthAndThePageColours) {
  EngineOnDay day(2026, 12, 6);
  WorkingCopy copy = LayoutCopy();
  RecordingCanvas canvas;
  ScriptedRandom random;
  CalendarDrawing drawing(canvas, day.Engine(), copy, day.Today(), random, {});
  drawing.PrepareEngineMonth(3);
  EXPECT_EQ(day.Engine().Month(), 3);
  EXPECT_EQ(day.Engine().Day(), 6);
  EXPECT_EQ(day.Engine().WeekdayColor(), kWeekdayColor);
  EXPECT_EQ(day.Engine().SaturdayColor(), kSaturdayColor);
  EXPECT_EQ(day.Engine().SundayColor(), kSundayColor);
  EXPECT_EQ(day.Engine().HolidayColor(), kHolidayColor);
  EXPECT_EQ(day.Engine().SpecialDayColor(), kSpecialColor);
}

TEST(PrepareEngineMonth, MonthWithoutTheDayIsIgnored) {
  EngineOnDay day(2026, 3, 31);
  WorkingCopy copy = LayoutCopy();
  RecordingCanvas canvas;
  ScriptedRandom random;
  CalendarDrawing drawing(canvas, day.Engine(), copy, day.Today(), random, {});
  drawing.PrepareEngineMonth(2);
  EXPECT_EQ(day.Engine().Month(), 3);
  EXPECT_EQ(day.Engine().SundayColor(), kSundayColor);
}

TEST(SetTodayFields, SetsTheEngineToTodayAndKeepsTheTexts) {
  FixedClock clock(LocalDateTime{2002, 5, 3, 7, 0, 0});
  std::unique_ptr<TCalendarEx> engine = MakeCalendarEx1(clock);
  engine->SetJuliusDay(DateToJulius(1999, 1, 1));
  const TodayFields today = SetTodayFields(*engine);
  EXPECT_EQ(engine->JuliusDay(), DateToJulius(2002, 5, 3));
  EXPECT_EQ(today.year, 2002);
  EXPECT_EQ(today.month, 5);
  EXPECT_EQ(today.day, 3);
  EXPECT_EQ(today.year_text, "2002/");
  EXPECT_EQ(today.month_text, "05/");
  EXPECT_EQ(today.day_text, "03");
  EXPECT_EQ(today.TodayText(), "2002/05/03");
}

}  // namespace
}  // namespace murva
