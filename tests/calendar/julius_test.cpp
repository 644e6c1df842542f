#include "calendar/julius.h"

#include <gtest/gtest.h>

#include <string>

namespace murva {

void PrintTo(const DateTriple& date, std::ostream* out) {
  *out << date.year << "-" << date.month << "-" << date.day;
}

namespace {

TEST(DateToJuliusTest, KnownDayNumbers) {
  EXPECT_EQ(DateToJulius(2000, 1, 1), 2451545);
  EXPECT_EQ(DateToJulius(2026, 12, 6), 2461381);
  EXPECT_EQ(DateToJulius(-4712, 1, 1), 0);
}

TEST(DateToJuliusTest, ReformBoundary) {
  EXPECT_EQ(DateToJulius(1582, 10, 4), 2299160);
  EXPECT_EQ(DateToJulius(1582, 10, 15), 2299161);
  EXPECT_EQ(DateToJulius(1582, 9, 30), 2299156);
  EXPECT_EQ(DateToJulius(1582, 11, 1), 2299178);
}

TEST(DateToJuliusTest, MissingDaysOf1582Raise) {
  for (int day = 5; day <= 14; ++day) {
    EXPECT_THROW(DateToJulius(1582, 10, day), EJuliusError) << day;
  }
  try {
    DateToJulius(1582, 10, 10);
    FAIL() << "no error raised";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "1582/10/5-10/14は存在しません。");
  }
}

TEST(DateToJuliusTest, OutOfRangePartsRollOver) {
  EXPECT_EQ(DateToJulius(2000, 2, 30), 2451605);
  EXPECT_EQ(DateToJulius(2000, 2, 30), DateToJulius(2000, 3, 1));
  EXPECT_EQ(DateToJulius(2000, 3, 0), DateToJulius(2000, 2, 29));
  EXPECT_EQ(DateToJulius(2000, 0, 1), DateToJulius(1999, 12, 1));
  EXPECT_EQ(DateToJulius(2000, 13, 1), DateToJulius(2001, 1, 1));
}

TEST(JuliusToDateTest, KnownDates) {
  EXPECT_EQ(JuliusToDate(2299160), (DateTriple{1582, 10, 4}));
  EXPECT_EQ(JuliusToDate(2299161), (DateTriple{1582, 10, 15}));
  EXPECT_EQ(JuliusToDate(0), (DateTriple{-4712, 1, 1}));
  EXPECT_EQ(JuliusToDate(1721117), (DateTriple{0, 2, 29}));
  EXPECT_EQ(JuliusToDate(2415079), (DateTriple{1900, 2, 28}));
  EXPECT_EQ(JuliusToDate(2415080), (DateTriple{1900, 3, 1}));
  EXPECT_EQ(JuliusToDate(2451545), (DateTriple{2000, 1, 1}));
}

TEST(JuliusToDateTest, OutParameterForm) {
  std::int32_t year = 0;
  int month = 0;
  int day = 0;
  JuliusToDate(2461381, year, month, day);
  EXPECT_EQ(year, 2026);
  EXPECT_EQ(month, 12);
  EXPECT_EQ(day, 6);
}

TEST(JuliusToDateTest, RoundTripEveryDayOverCenturies) {
  // Every day number from 0 through the year 2400 converts back to itself and
  // the dates advance one day at a time.
  DateTriple previous = JuliusToDate(0);
  for (std::int32_t j = 1; j <= DateToJulius(2400, 12, 31); ++j) {
    const DateTriple date = JuliusToDate(j);
    ASSERT_EQ(DateToJulius(date.year, date.month, date.day), j) << j;
    if (date.day != 1 && j != 2299161) {
      ASSERT_EQ(date.day, previous.day + 1) << j;
      ASSERT_EQ(date.month, previous.month) << j;
    }
    previous = date;
  }
}

TEST(JuliusToDateTest, NegativeDayNumbersContinueTheJulianCalendar) {
  EXPECT_EQ(JuliusToDate(-1), (DateTriple{-4713, 12, 31}));
  EXPECT_EQ(JuliusToDate(-365), (DateTriple{-4713, 1, 1}));  // -4713 is a common year
  EXPECT_EQ(JuliusToDate(-366), (DateTriple{-4714, 12, 31}));
  for (std::int32_t j = -3000; j < 0; ++j) {
    const DateTriple date = JuliusToDate(j);
    ASSERT_EQ(DateToJulius(date.year, date.month, date.day), j) << j;
  }
}

TEST(JuliusToWeekdayTest, KnownWeekdays) {
  EXPECT_EQ(JuliusToWeekday(2451545), 7);  // 2000-01-01, Saturday
  EXPECT_EQ(JuliusToWeekday(2461381), 1);  // 2026-12-06, Sunday
  EXPECT_EQ(JuliusToWeekday(2299160), 5);  // 1582-10-04, Thursday
  EXPECT_EQ(JuliusToWeekday(2299161), 6);  // 1582-10-15, Friday
  EXPECT_EQ(JuliusToWeekday(-1), JuliusToWeekday(6));
}

TEST(IsLeapTest, JulianRuleBefore1582) {
  EXPECT_TRUE(IsLeap(1500));
  EXPECT_TRUE(IsLeap(1300));
  EXPECT_TRUE(IsLeap(0));
  EXPECT_TRUE(IsLeap(-4));
  EXPECT_FALSE(IsLeap(-1));
  EXPECT_FALSE(IsLeap(1581));
}

TEST(IsLeapTest, GregorianRuleWith4000YearException) {
  EXPECT_FALSE(IsLeap(1700));
  EXPECT_FALSE(IsLeap(1800));
  EXPECT_FALSE(IsLeap(1900));
  EXPECT_TRUE(IsLeap(1600));
  EXPECT_TRUE(IsLeap(2000));
  EXPECT_TRUE(IsLeap(2024));
  EXPECT_FALSE(IsLeap(2026));
  EXPECT_FALSE(IsLeap(4000));
  EXPECT_FALSE(IsLeap(8000));
  EXPECT_TRUE(IsLeap(4400));
}

TEST(MonthDaysTest, Lengths) {
  EXPECT_EQ(MonthLengths[1], 31);
  EXPECT_EQ(MonthLengths[2], 28);
  EXPECT_EQ(MonthLengths[12], 31);
  EXPECT_EQ(MonthDays(2024, 2), 29);
  EXPECT_EQ(MonthDays(2026, 2), 28);
  EXPECT_EQ(MonthDays(4000, 2), 28);
  EXPECT_EQ(MonthDays(1582, 10), 31);
  EXPECT_EQ(MonthDays(2026, 4), 30);
}

TEST(MonthDaysTest, MonthOutsideTheYearRaises) {
  EXPECT_THROW(MonthDays(2026, 0), EMonthRangeError);
  EXPECT_THROW(MonthDays(2026, 13), EMonthRangeError);
}

TEST(IsValidDateTest, Answers) {
  EXPECT_TRUE(IsValidDate(2000, 2, 29));
  EXPECT_FALSE(IsValidDate(2000, 2, 30));
  EXPECT_FALSE(IsValidDate(2000, 13, 1));
  EXPECT_FALSE(IsValidDate(2000, 0, 1));
  EXPECT_FALSE(IsValidDate(2000, 1, 0));
  EXPECT_FALSE(IsValidDate(1900, 2, 29));
  EXPECT_TRUE(IsValidDate(1500, 2, 29));
  EXPECT_TRUE(IsValidDate(1582, 10, 4));
  EXPECT_TRUE(IsValidDate(1582, 10, 15));
  // The day-number conversion has no 4000-year rule.
  EXPECT_TRUE(IsValidDate(4000, 2, 29));
}

TEST(IsValidDateTest, MissingDaysRaiseInsteadOfAnswering) {
  EXPECT_THROW(IsValidDate(1582, 10, 5), EJuliusError);
  EXPECT_THROW(IsValidDate(1582, 10, 14), EJuliusError);
}

TEST(DateTimeToJuliusTest, IgnoresTimeOfDay) {
  EXPECT_EQ(DateTimeToJulius({2000, 1, 1, 0, 0, 0}), 2451545);
  EXPECT_EQ(DateTimeToJulius({2000, 1, 1, 23, 59, 59}), 2451545);
  EXPECT_EQ(DateTimeToJulius({2026, 12, 6, 12, 0, 0}), 2461381);
}

}  // namespace
}  // namespace murva
