#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "calendar/julius.h"
#include "render/biorhythm.h"
#include "render/calendar_drawing.h"
#include "render/nearest.h"
#include "render/render_test_support.h"

namespace murva {
namespace {

using namespace test;

// Recording canvas: w = 7, h = 15. Origin (100, 50), month spacing 30, line
// spacing (amplitude) 20, day spacing 5. Today is Sunday 6 December 2026.
class LineMonth : public ::testing::Test {
 protected:
  LineMonth() : day_(2026, 12, 6), copy_(LayoutCopy()) {
    copy_.calendar_style = kCalendarStyleLine;
    copy_.weekday_label_style = 0;
  }

  void UseDay(int year, int month, int day) { day_ = EngineOnDay(year, month, day); }

  void Draw() {
    DrawCalendars(canvas_, day_.Engine(), copy_, day_.Today(), random_,
                  [this](const std::string& message) { messages_.push_back(message); });
  }

  // The day numbers drawn, in drawing order (texts made of digits only).
  std::vector<DrawnText> Days() const {
    std::vector<DrawnText> days;
    for (const DrawnText& drawn : canvas_.Drawn()) {
      if (!drawn.text.empty() && drawn.text.find_first_not_of("0123456789") == std::string::npos) {
        days.push_back(drawn);
      }
    }
    return days;
  }

  EngineOnDay day_;
  WorkingCopy copy_;
  RecordingCanvas canvas_;
  ScriptedRandom random_;
  std::vector<std::string> messages_;
};

class HorizontalLine : public LineMonth {
 protected:
  HorizontalLine() { SetHorizontal(copy_); }
};

class VerticalLine : public LineMonth {
 protected:
  VerticalLine() { SetVertical(copy_); }
};

TEST_F(HorizontalLine, DaysAdvanceByTheirWidthAfterTheLabel) {
  Draw();
  const DrawnText label = FindOne(canvas_, "December");
  EXPECT_EQ(label.x, 100);
  EXPECT_EQ(label.y, 50);
  EXPECT_EQ(label.font.color, kWeekdayColor);
  const std::vector<DrawnText> days = Days();
  ASSERT_EQ(days.size(), 31u);
  // Label: (8 bytes + 1) * w + day spacing.
  EXPECT_EQ(days[0].x, 168);
  EXPECT_EQ(days[1].x, 168 + 12);      // one-digit days: w + day spacing
  EXPECT_EQ(days[8].x, 168 + 8 * 12);  // the 9th
  EXPECT_EQ(days[9].x, 168 + 9 * 12);  // the 10th
  EXPECT_EQ(days[10].x, 168 + 9 * 12 + 19);  // two-digit days: 2w + day spacing
  EXPECT_EQ(days[30].x, 168 + 9 * 12 + 21 * 19);
  for (const DrawnText& day : days) EXPECT_EQ(day.y, 50);
}

TEST_F(HorizontalLine, LabelWidthCountsShiftJisBytes) {
  copy_.month_label_style = 7;  // "師走": 4 bytes in Shift-JIS
  Draw();
  EXPECT_EQ(Days()[0].x, 100 + 5 * 7 + 5);
}

TEST_F(HorizontalLine, LongJapaneseLabelCountsTwoBytesPerCharacter) {
  UseDay(2026, 3, 10);
  copy_.month_label_style = 9;  // "ゴールデン・レトリバー": 11 characters, 22 bytes
  Draw();
  EXPECT_EQ(Days()[0].x, 100 + 23 * 7 + 5);
}

TEST_F(HorizontalLine, WithoutMonthLabelDaysStartAtTheOrigin) {
  copy_.month_label_style = 0;
  Draw();
  EXPECT_EQ(Days()[0].x, 100);
  EXPECT_EQ(canvas_.Drawn().size(), 31u);
}

TEST_F(HorizontalLine, WeekdayLabelsStandAboveEveryDay) {
  copy_.weekday_label_style = 1;
  Draw();
  const DrawnText tuesday = FindOne(canvas_, "1");
  EXPECT_EQ(tuesday.x, 168 + 3);  // w div 2 to the right
  EXPECT_EQ(tuesday.y, 50);
  const std::vector<DrawnText> tu = Find(canvas_, "TU");
  ASSERT_EQ(tu.size(), 5u);
  EXPECT_EQ(tu[0].x, 168);
  EXPECT_EQ(tu[0].y, 50 - 15);
  // Every day advances by 2w + day spacing.
  const DrawnText tenth = FindOne(canvas_, "10");
  EXPECT_EQ(tenth.x, 168 + 9 * 19);
  EXPECT_EQ(Find(canvas_, "TH")[1].x, 168 + 9 * 19);
  // The label takes the day's colour.
  EXPECT_EQ(Find(canvas_, "SA")[0].font.color, kSaturdayColor);
}

TEST_F(HorizontalLine, MonthsOfThePeriodStandOneUnderTheOther) {
  copy_.period = 1;
  Draw();
  EXPECT_EQ(FindOne(canvas_, "December").y, 50);
  EXPECT_EQ(FindOne(canvas_, "January").y, 80);
  EXPECT_EQ(Find(canvas_, "31")[1].y, 80);
}

TEST_F(HorizontalLine, WaveLiftsDaysBySineOfDayMinusOne) {
  copy_.calendar_style = kCalendarStyleWave;
  Draw();
  const std::vector<DrawnText> days = Days();
  EXPECT_EQ(days[0].y, 50);       // sin 0
  EXPECT_EQ(days[1].y, 50 - 17);  // sin 1 * 20 = 16.8
  EXPECT_EQ(days[2].y, 50 - 18);  // sin 2 * 20 = 18.2
  EXPECT_EQ(days[3].y, 50 - 3);   // sin 3 * 20 = 2.8
  EXPECT_EQ(days[4].y, 50 + 15);  // sin 4 * 20 = -15.1
  EXPECT_TRUE(random_.Asked().empty());
}

TEST_F(HorizontalLine, RandomDropsEveryDayByTwiceARandomStep) {
  copy_.calendar_style = kCalendarStyleRandom;
  random_ = ScriptedRandom({3, 7, 0, 19});
  Draw();
  const std::vector<DrawnText> days = Days();
  EXPECT_EQ(days[0].y, 56);
  EXPECT_EQ(days[1].y, 64);
  EXPECT_EQ(days[2].y, 50);
  EXPECT_EQ(days[3].y, 88);
  ASSERT_EQ(random_.Asked().size(), 31u);
  for (int n : random_.Asked()) EXPECT_EQ(n, 20);
}

TEST_F(HorizontalLine, ShockJoltsADayOnlyWhenItsPickMatchesToday) {
  copy_.calendar_style = kCalendarStyleShock;
  // Day 1: pick 5 (+1 = today's 6): jolt 9. Day 2: pick 0: no jolt.
  random_ = ScriptedRandom({5, 9, 0});
  Draw();
  const std::vector<DrawnText> days = Days();
  EXPECT_EQ(days[0].y, 50 + 18);
  EXPECT_EQ(days[1].y, 50);
  ASSERT_GE(random_.Asked().size(), 3u);
  EXPECT_EQ(random_.Asked()[0], 93);
  EXPECT_EQ(random_.Asked()[1], 20);
  EXPECT_EQ(random_.Asked()[2], 93);
  EXPECT_EQ(random_.Asked().size(), 32u);
}

TEST_F(HorizontalLine, TodayIsUnderlinedAndTheNextDayIsNot) {
  copy_.today_mark = kTodayMarkUnderline;
  Draw();
  const DrawnText today = FindOne(canvas_, "6");
  EXPECT_NE(today.font.style & kStyleUnderline, 0);
  EXPECT_EQ(today.font.color, kSundayColor);
  EXPECT_EQ(FindOne(canvas_, "7").font.style & kStyleUnderline, 0);
  EXPECT_EQ(FindOne(canvas_, "5").font.style & kStyleUnderline, 0);
}

TEST_F(HorizontalLine, UnderlinedDayFontStaysUnderlinedForEveryDay) {
  copy_.today_mark = kTodayMarkUnderline;
  copy_.date_font.style = kStyleBold | kStyleUnderline;
  Draw();
  for (const DrawnText& day : Days()) EXPECT_NE(day.font.style & kStyleUnderline, 0);
}

TEST_F(HorizontalLine, TodayInTheTodayColour) {
  Draw();
  EXPECT_EQ(FindOne(canvas_, "6").font.color, kTodayColor);
  EXPECT_EQ(FindOne(canvas_, "13").font.color, kSundayColor);
}

// A birthday text whose cycle of period days has the given phase on the
// 1st of the month.
std::string BirthdayWithPhase(int year, int month, int period, int phase) {
  const std::int32_t first = DateToJulius(year, month, 1);
  const DateTriple date = JuliusToDate(first - period * 500 - phase);
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/%02d", date.year % 100, date.month, date.day);
  return text;
}

TEST_F(HorizontalLine, BiorhythmFollowsTheCycleFromTheBirthday) {
  copy_.calendar_style = kCalendarStyleBioEmotional;  // 28 days
  copy_.birthday = BirthdayWithPhase(2026, 12, 28, 6);
  ASSERT_EQ(BioPhase(*ParseBirthday(copy_.birthday, 2026), DateToJulius(2026, 12, 1), 28), 6);
  Draw();
  EXPECT_TRUE(messages_.empty());
  const std::vector<DrawnText> days = Days();
  ASSERT_EQ(days.size(), 31u);
  EXPECT_EQ(days[0].y, 50 - 20);  // (1 + 6) / 28 of the cycle: the top
  EXPECT_EQ(days[7].y, 50);       // 14 / 28: back on the line
  EXPECT_EQ(days[14].y, 50 + 20); // 21 / 28: the bottom
  EXPECT_EQ(days[0].x, 168);
  EXPECT_EQ(days[10].x, 168 + 9 * 12 + 19);
}

TEST_F(HorizontalLine, BiorhythmPhaseZeroStartsOneStepUpTheCurve) {
  copy_.calendar_style = kCalendarStyleBioPhysical;  // 23 days
  copy_.birthday = BirthdayWithPhase(2026, 12, 23, 23);
  Draw();
  // sin(360 / 23 degrees) * 20 = 5.4
  EXPECT_EQ(Days()[0].y, 50 - 5);
}

TEST_F(HorizontalLine, BiorhythmWithAmplitudeZeroIsAStraightLine) {
  copy_.calendar_style = kCalendarStyleBioIntellectual;
  copy_.birthday = "80/02/12";
  copy_.layout.line_spacing = 0;
  Draw();
  const std::vector<DrawnText> days = Days();
  ASSERT_EQ(days.size(), 31u);
  for (const DrawnText& day : days) EXPECT_EQ(day.y, 50);
}

TEST_F(HorizontalLine, BiorhythmWithoutBirthdayStopsEveryMonthWithAMessage) {
  copy_.calendar_style = kCalendarStyleBioPhysical;
  copy_.birthday = "";
  copy_.period = 3;
  Draw();
  ASSERT_EQ(messages_.size(), 3u);
  EXPECT_EQ(messages_[0], std::string("12") + kBirthdayRefusal);
  EXPECT_EQ(messages_[1], std::string("1") + kBirthdayRefusal);
  EXPECT_EQ(messages_[2], std::string("2") + kBirthdayRefusal);
  EXPECT_EQ(messages_[0],
            "12月のバイオリズム形カレンダ作成を中止： 誕生日が未設定、または不適当な値です．"
            "「特別な設定」ページの誕生日欄で入力を確認してください");
  // Each month has its label and no days.
  EXPECT_TRUE(Days().empty());
  EXPECT_EQ(canvas_.Drawn().size(), 3u);
}

TEST_F(HorizontalLine, BiorhythmWithUnreadableBirthdayStops) {
  copy_.calendar_style = kCalendarStyleBioPhysical;
  copy_.birthday = "S55/02/12";
  Draw();
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_TRUE(Days().empty());
}

TEST_F(VerticalLine, DaysRunDownTheColumn) {
  Draw();
  const DrawnText label = FindOne(canvas_, "December");
  EXPECT_EQ(label.x, 100);  // months 10-12 at the origin
  EXPECT_EQ(label.y, 50);
  const std::vector<DrawnText> days = Days();
  ASSERT_EQ(days.size(), 31u);
  // Below the label: h + day spacing; row pitch nearest(0.7 * 15) + 5, where
  // 10.5 rounds to the even 10.
  for (int i = 0; i < 31; ++i) EXPECT_EQ(days[i].y, 70 + i * 15) << i + 1;
  // Single-digit days: TextWidth(" ") - w div 2 to the right.
  EXPECT_EQ(days[0].x, 100 + 7 - 3);
  EXPECT_EQ(days[9].x, 100);
}

TEST_F(VerticalLine, MonthsOneToNineHaveTheirLabelOneDigitLeft) {
  UseDay(2026, 3, 10);
  Draw();
  EXPECT_EQ(FindOne(canvas_, "March").x, 100 - 7);
}

TEST_F(VerticalLine, MonthsOfThePeriodStandSideBySide) {
  copy_.period = 2;
  Draw();
  EXPECT_EQ(FindOne(canvas_, "November").x, 100);
  EXPECT_EQ(FindOne(canvas_, "December").x, 130);
  EXPECT_EQ(FindOne(canvas_, "January").x, 160 - 7);
  for (const char* month : {"November", "December", "January"}) {
    EXPECT_EQ(FindOne(canvas_, month).y, 50);
  }
}

TEST_F(VerticalLine, WeekdayPrefixAndSingleDigitAdjustment) {
  copy_.weekday_label_style = 1;
  copy_.one_digit_adjust = 4;
  Draw();
  // The 1st, a Tuesday: the prefix at x + adjustment, the digit after the
  // prefix and a space, w div 2 to the left.
  const std::vector<DrawnText> tu = Find(canvas_, "TU ");
  ASSERT_EQ(tu.size(), 2u);  // the 1st and the 8th
  EXPECT_EQ(tu[0].x, 104);
  EXPECT_EQ(tu[0].y, 70);
  EXPECT_EQ(tu[1].y, 70 + 7 * 15);
  const DrawnText first = FindOne(canvas_, "1");
  EXPECT_EQ(first.x, 104 + 4 * 7 - 3);
  EXPECT_EQ(first.y, 70);
  // Two-digit days: prefix and number in one text, not adjusted.
  const DrawnText tenth = FindOne(canvas_, "TH 10");
  EXPECT_EQ(tenth.x, 100);
  EXPECT_EQ(tenth.y, 70 + 9 * 15);
}

TEST_F(VerticalLine, WithoutLabelsDaysStartAtTheOrigin) {
  copy_.month_label_style = 0;
  Draw();
  EXPECT_EQ(Days()[0].y, 50);
  EXPECT_EQ(Days()[30].y, 50 + 30 * 15);
}

TEST_F(VerticalLine, WaveMovesDaysSideways) {
  copy_.calendar_style = kCalendarStyleWave;
  Draw();
  const std::vector<DrawnText> days = Days();
  EXPECT_EQ(days[0].x, 100 + 4);
  EXPECT_EQ(days[1].x, 100 - 17 + 4);
  EXPECT_EQ(days[9].x, 100 - Nearest(std::sin(9.0) * 20));
  EXPECT_EQ(days[9].y, 70 + 9 * 15);
}

TEST_F(VerticalLine, RandomAndShockMoveDaysRight) {
  copy_.calendar_style = kCalendarStyleRandom;
  random_ = ScriptedRandom({5});
  Draw();
  EXPECT_EQ(Days()[0].x, 100 + 10 + 4);
  EXPECT_EQ(Days()[1].x, 100 + 4);

  canvas_.Clear();
  random_ = ScriptedRandom({5, 2});
  copy_.calendar_style = kCalendarStyleShock;
  UseDay(2026, 12, 6);
  Draw();
  EXPECT_EQ(Days()[0].x, 100 + 4 + 4);
  EXPECT_EQ(random_.Asked()[0], 31);
  EXPECT_EQ(random_.Asked()[1], 20);
}

TEST_F(VerticalLine, BiorhythmIsRefusedOncePerMonthWithItsMessage) {
  copy_.calendar_style = kCalendarStyleBioEmotional;
  copy_.birthday = "";  // not even read
  copy_.period = 2;
  Draw();
  ASSERT_EQ(messages_.size(), 3u);
  EXPECT_EQ(messages_[0],
            "11月のカレンダ作成を中止： 縦位置表示の場合はバイオリズム形を使用できません");
  EXPECT_EQ(messages_[1], std::string("12") + kVerticalBioRefusal);
  EXPECT_EQ(messages_[2], std::string("1") + kVerticalBioRefusal);
  EXPECT_TRUE(Days().empty());
  EXPECT_EQ(canvas_.Drawn().size(), 3u);  // the labels only
}

TEST_F(VerticalLine, UnknownOrientationCaptionCountsAsVertical) {
  copy_.ActivePage().orientation = "?";
  copy_.calendar_style = kCalendarStyleBioPhysical;
  Draw();
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], std::string("12") + kVerticalBioRefusal);
}

}  // namespace
}  // namespace murva
