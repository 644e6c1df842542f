// The generated month table against values every Japanese almanac prints:
// new-year days, leap months, months that begin next to a new moon minutes
// from midnight, the years where a month holds two principal terms, and the
// 2033 case settled by the leap 11th month.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "calendar/julius.h"
#include "calendar/old_calendar.h"

namespace murva {
namespace {

struct OldDate {
  int month = 0;
  int day = 0;
  friend bool operator==(const OldDate&, const OldDate&) = default;
};

OldDate OldDateOf(std::int32_t year, int month, int day) {
  OldDate old;
  JuliusToOldDate(DateToJulius(year, month, day), old.month, old.day);
  return old;
}

void PrintTo(const OldDate& date, std::ostream* out) {
  *out << date.month << "/" << date.day;
}

struct MonthStartCase {
  int year, month, day;  // Gregorian date of the first day of an old month
  int old_month;         // its month (100 + m for a leap month)
};

class MonthStartTest : public ::testing::TestWithParam<MonthStartCase> {};

TEST_P(MonthStartTest, BeginsOnItsDay) {
  const MonthStartCase c = GetParam();
  EXPECT_EQ(OldDateOf(c.year, c.month, c.day), (OldDate{c.old_month, 1}));
  // The day before belongs to the month before.
  const OldDate before = OldDateOf(c.year, c.month, c.day - 1);
  EXPECT_NE(before.month, c.old_month);
  EXPECT_TRUE(before.day == 29 || before.day == 30) << before.day;
}

// New year (旧正月) of the old calendar.
INSTANTIATE_TEST_SUITE_P(NewYear, MonthStartTest,
                         ::testing::Values(MonthStartCase{1900, 1, 31, 1},
                                           MonthStartCase{1950, 2, 17, 1},
                                           MonthStartCase{1985, 2, 20, 1},
                                           MonthStartCase{2000, 2, 5, 1},
                                           MonthStartCase{2021, 2, 12, 1},
                                           MonthStartCase{2024, 2, 10, 1},
                                           MonthStartCase{2025, 1, 29, 1},
                                           MonthStartCase{2026, 2, 17, 1},
                                           // The new moon at 00:56 JST: a day
                                           // later than in China.
                                           MonthStartCase{2027, 2, 7, 1},
                                           MonthStartCase{2034, 2, 19, 1},
                                           MonthStartCase{2100, 2, 9, 1}));

INSTANTIATE_TEST_SUITE_P(LeapMonths, MonthStartTest,
                         ::testing::Values(MonthStartCase{1984, 11, 23, 110},
                                           MonthStartCase{2017, 6, 24, 105},
                                           MonthStartCase{2020, 5, 23, 104},
                                           MonthStartCase{2023, 3, 22, 102},
                                           MonthStartCase{2025, 7, 25, 106},
                                           MonthStartCase{2033, 12, 22, 111},
                                           MonthStartCase{2052, 9, 23, 108}));

// New moons within minutes of midnight: 2017-02-26 23:58 JST begins the
// 2nd month that day; 2005-12-02 00:01 JST begins the 11th month on the 2nd,
// not the 1st.
INSTANTIATE_TEST_SUITE_P(NewMoonAtMidnight, MonthStartTest,
                         ::testing::Values(MonthStartCase{2017, 2, 26, 2},
                                           MonthStartCase{2005, 12, 2, 11}));

// A month holding two principal terms, and beside it a month without one
// that is not a leap month: the winter-solstice month of 1984 holds 冬至
// and 大寒, the 1st month of 1985 has none; likewise 2052-53.
INSTANTIATE_TEST_SUITE_P(TwoPrincipalTerms, MonthStartTest,
                         ::testing::Values(MonthStartCase{1984, 12, 22, 11},
                                           MonthStartCase{1985, 1, 21, 12},
                                           MonthStartCase{1985, 3, 21, 2},
                                           MonthStartCase{2052, 12, 21, 11},
                                           MonthStartCase{2053, 1, 20, 12},
                                           MonthStartCase{2053, 2, 19, 1}));

// 2033-34: no leap month keeps both the autumnal equinox in month 8 and the
// winter solstice in month 11; the leap 11th month recommended in 2015 by
// Japan's calendar publishers keeps the solstice, so the equinox month is
// the 9th.
INSTANTIATE_TEST_SUITE_P(Year2033, MonthStartTest,
                         ::testing::Values(MonthStartCase{2033, 8, 25, 8},
                                           MonthStartCase{2033, 9, 23, 9},
                                           MonthStartCase{2033, 10, 23, 10},
                                           MonthStartCase{2033, 11, 22, 11},
                                           MonthStartCase{2034, 1, 20, 12},
                                           MonthStartCase{2034, 3, 20, 2}));

TEST(OldCalendarTest, OneLeapMonthInTheLeapYearsOnly) {
  // Years whose old-calendar year has a leap month, and years around them
  // without one.
  const auto leap_months_in = [](int year) {
    int count = 0;
    for (std::int32_t j = DateToJulius(year, 1, 1); j <= DateToJulius(year, 12, 31); ++j) {
      int month = 0;
      int day = 0;
      JuliusToOldDate(j, month, day);
      if (month > 100 && day == 1) ++count;
    }
    return count;
  };
  for (int year : {2017, 2020, 2023, 2025, 2028, 2031, 2033}) EXPECT_EQ(leap_months_in(year), 1) << year;
  for (int year : {2018, 2019, 2021, 2022, 2024, 2026, 2027, 2034}) EXPECT_EQ(leap_months_in(year), 0) << year;
}

}  // namespace
}  // namespace murva
