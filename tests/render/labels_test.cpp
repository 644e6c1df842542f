#include "render/labels.h"

#include <gtest/gtest.h>

namespace murva {
namespace {

TEST(MonthLabel, EnglishStylesSpellEveryMonth) {
  EXPECT_EQ(MonthLabel(1, 1), "January");
  EXPECT_EQ(MonthLabel(1, 9), "September");
  EXPECT_EQ(MonthLabel(1, 12), "December");
  EXPECT_EQ(MonthLabel(2, 6), "JUN");
  EXPECT_EQ(MonthLabel(3, 7), "Jul");
  EXPECT_EQ(MonthLabel(4, 8), "aug");
}

TEST(MonthLabel, NumberStylesPadSingleDigitMonthsWithOneSpace) {
  EXPECT_EQ(MonthLabel(5, 5), " 5");
  EXPECT_EQ(MonthLabel(6, 5), " 5月");
  EXPECT_EQ(MonthLabel(5, 10), "10");
  EXPECT_EQ(MonthLabel(6, 10), "10月");
  EXPECT_EQ(MonthLabel(5, 1), " 1");
  EXPECT_EQ(MonthLabel(6, 12), "12月");
}

TEST(MonthLabel, JapaneseStylesFollowTheirTables) {
  EXPECT_EQ(MonthLabel(7, 1), "睦月");
  EXPECT_EQ(MonthLabel(7, 6), "水無月");
  EXPECT_EQ(MonthLabel(7, 10), "神無月");
  EXPECT_EQ(MonthLabel(7, 12), "師走");
  EXPECT_EQ(MonthLabel(9, 3), "ゴールデン・レトリバー");
  EXPECT_EQ(MonthLabel(9, 7), "ヨークシャー・テリー");
  EXPECT_EQ(MonthLabel(9, 12), "秋田犬");
  EXPECT_EQ(MonthLabel(10, 1), "ペルシア猫");
  EXPECT_EQ(MonthLabel(10, 9), "オッドアイ");
  EXPECT_EQ(MonthLabel(10, 12), "オシキャット");
}

TEST(MonthLabel, BirthstonesKeepTheirOwnSpelling) {
  EXPECT_EQ(MonthLabel(8, 1), "Garnet");
  EXPECT_EQ(MonthLabel(8, 3), "Aquamarine");
  EXPECT_EQ(MonthLabel(8, 11), "Topaze");
  EXPECT_EQ(MonthLabel(8, 12), "Tourquois");
}

TEST(MonthLabel, EveryStyleGivesTwelveDistinctNonEmptyLabels) {
  for (int style = 1; style <= 10; ++style) {
    for (int month = 1; month <= 12; ++month) {
      EXPECT_FALSE(MonthLabel(style, month).empty()) << style << "/" << month;
      for (int other = month + 1; other <= 12; ++other) {
        EXPECT_NE(MonthLabel(style, month), MonthLabel(style, other)) << style;
      }
    }
  }
}

TEST(MonthLabel, NoStyleOrOutOfRangeGivesEmptyText) {
  EXPECT_EQ(MonthLabel(0, 5), "");
  EXPECT_EQ(MonthLabel(11, 5), "");
  EXPECT_EQ(MonthLabel(-1, 5), "");
  EXPECT_EQ(MonthLabel(1, 0), "");
  EXPECT_EQ(MonthLabel(1, 13), "");
}

TEST(WeekdayLabel, EveryStyleForSundayAndSaturday) {
  const char* sunday[] = {"SU", "Su", "su", "SUN", "Sun", "sun", "日"};
  const char* saturday[] = {"SA", "Sa", "sa", "SAT", "Sat", "sat", "土"};
  for (int style = 1; style <= 7; ++style) {
    EXPECT_EQ(WeekdayLabel(style, 1), sunday[style - 1]);
    EXPECT_EQ(WeekdayLabel(style, 7), saturday[style - 1]);
  }
}

TEST(WeekdayLabel, WeekdaysInKanjiAndThreeLetters) {
  EXPECT_EQ(WeekdayLabel(7, 2), "月");
  EXPECT_EQ(WeekdayLabel(7, 3), "火");
  EXPECT_EQ(WeekdayLabel(7, 4), "水");
  EXPECT_EQ(WeekdayLabel(7, 5), "木");
  EXPECT_EQ(WeekdayLabel(7, 6), "金");
  EXPECT_EQ(WeekdayLabel(4, 4), "WED");
  EXPECT_EQ(WeekdayLabel(5, 5), "Thu");
  EXPECT_EQ(WeekdayLabel(6, 6), "fri");
  EXPECT_EQ(WeekdayLabel(1, 3), "TU");
}

TEST(WeekdayLabel, StyleZeroGivesEmptyTextForEveryWeekday) {
  for (int weekday = 1; weekday <= 7; ++weekday) EXPECT_EQ(WeekdayLabel(0, weekday), "");
  EXPECT_EQ(WeekdayLabel(8, 1), "");
  EXPECT_EQ(WeekdayLabel(1, 0), "");
  EXPECT_EQ(WeekdayLabel(1, 8), "");
}

}  // namespace
}  // namespace murva
