// Day types, day texts and day fonts of the engine with the built-in holiday
// lines and with lists of its own.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "calendar/builtin_day_lists.h"
#include "calendar/calendar_ex.h"
#include "calendar/calendar_ex1.h"
#include "calendar/day_type.h"
#include "calendar/julius.h"
#include "calendar/str_to_int.h"
#include "published_holidays.h"

namespace murva {
namespace {

class HolidayRulesTest : public ::testing::Test {
 protected:
  FixedClock clock_{LocalDateTime{2026, 12, 6, 9, 0, 0}};
  std::unique_ptr<TCalendarEx> calendar_ = MakeCalendarEx1(clock_);
  TCalendarEx& cal() { return *calendar_; }
};

TEST(BuiltInDayListsTest, SeventeenHolidayLinesAndOneEmptySpecialDay) {
  const std::vector<std::string>& lines = BuiltInHolidayLines();
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines[0], "1,1,元旦");
  EXPECT_EQ(lines[1], "1999,1,1,15,成人の日OLD");
  EXPECT_EQ(lines[2], "2000,2,1,2,2,成人の日NEW");
  EXPECT_EQ(lines[3], "2,11,建国の日");
  EXPECT_EQ(lines[6], "5,4,国民の休日");
  EXPECT_EQ(lines[9], "2003,2,7,3,2,海の日NEW");
  EXPECT_EQ(lines[13], "2000,2,10,2,2,体育の日NEW");
  EXPECT_EQ(lines[16], "12,23,天皇誕生日");
  EXPECT_EQ(BuiltInSpecialDayLines(), (std::vector<std::string>{""}));
}

TEST_F(HolidayRulesTest, HappyMondayChangesOf2000And2003) {
  EXPECT_EQ(cal().DayTypeOf(1999, 1, 15) & dtHoliday, dtHoliday);
  EXPECT_EQ(cal().DayTypeOf(2000, 1, 15), dtSaturday);
  EXPECT_EQ(cal().DayTypeOf(2000, 1, 10), dtHoliday);  // second Monday, nothing else
  EXPECT_EQ(cal().DayTypeOf(2002, 7, 20), dtSaturday | dtHoliday);
  EXPECT_EQ(cal().DayTypeOf(2003, 7, 20), dtSunday);
  EXPECT_EQ(cal().DayTypeOf(2003, 7, 21), dtHoliday);
  EXPECT_EQ(cal().DayTypeOf(1999, 10, 10), dtSunday | dtHoliday);
  EXPECT_EQ(cal().DayTypeOf(2000, 10, 9), dtHoliday);
}

TEST_F(HolidayRulesTest, WeekdaysAndWeekends) {
  EXPECT_EQ(cal().DayTypeOf(2026, 12, 7), 0);  // a plain Monday
  EXPECT_EQ(cal().DayTypeOf(2026, 12, 5), dtSaturday);
  EXPECT_EQ(cal().DayTypeOf(2026, 12, 6), dtSunday);
}

TEST_F(HolidayRulesTest, EquinoxDaysAreHolidaysWhileAutoEquinoxIsOn) {
  EXPECT_EQ(cal().DayTypeOf(2026, 3, 20), dtHoliday);
  EXPECT_EQ(cal().DayTypeOf(2000, 9, 23), dtSaturday | dtHoliday);
  cal().SetAutoEquinox(false);
  EXPECT_EQ(cal().DayTypeOf(2026, 3, 20), 0);
  EXPECT_EQ(cal().DayTextOf(2000, 9, 23), "");
}

TEST_F(HolidayRulesTest, SubstituteMondayAfterASundayHoliday) {
  EXPECT_EQ(cal().DayTypeOf(2001, 2, 11), dtSunday | dtHoliday);
  EXPECT_EQ(cal().DayTypeOf(2001, 2, 12), dtSubstitute);
  EXPECT_EQ(cal().DayTextOf(2001, 2, 12), "振替休日");
  cal().SetAutoFurikae(false);
  EXPECT_EQ(cal().DayTypeOf(2001, 2, 12), 0);
  EXPECT_EQ(cal().DayTextOf(2001, 2, 12), "");
}

TEST_F(HolidayRulesTest, SubstituteAfterASundayEquinox) {
  // 21 March 1999 was a Sunday vernal equinox.
  EXPECT_EQ(cal().DayTypeOf(1999, 3, 22), dtSubstitute);
}

TEST_F(HolidayRulesTest, NoSubstituteForAMondayHolidayOrOtherWeekdays) {
  // 3 May 2009 is a Sunday; the 4th is a holiday itself, the 5th a Tuesday.
  EXPECT_EQ(cal().DayTypeOf(2009, 5, 3), dtSunday | dtHoliday);
  EXPECT_EQ(cal().DayTypeOf(2009, 5, 4), dtHoliday);
  EXPECT_EQ(cal().DayTypeOf(2009, 5, 5), dtHoliday);
  EXPECT_EQ(cal().DayTypeOf(2009, 5, 6), 0);
  // A Saturday holiday (2000-09-23) gives no substitute.
  EXPECT_EQ(cal().DayTypeOf(2000, 9, 25), 0);
}

TEST_F(HolidayRulesTest, DayTextNamesInOrder) {
  EXPECT_EQ(cal().DayTextOf(2000, 9, 23), "秋分の日");
  EXPECT_EQ(cal().DayTextOf(2026, 3, 20), "春分の日");
  EXPECT_EQ(cal().DayTextOf(2026, 1, 1), "元旦");
  EXPECT_EQ(cal().DayTextOf(2026, 12, 7), "");
  cal().SetSpecialDayList({"2026,0,1,1,Dummy"});
  EXPECT_EQ(cal().DayTextOf(2026, 1, 1), "Dummy,元旦");
  cal().SetSpecialDayList({"1,1,my day"});
  EXPECT_EQ(cal().DayTextOf(2026, 1, 1), "\"my day\",元旦");
  cal().SetSpecialDayList({"1,1,"});
  EXPECT_EQ(cal().DayTextOf(2026, 1, 1), ",元旦");
  cal().SetHolidayList({});
  EXPECT_EQ(cal().DayTextOf(2026, 1, 1), "\"\"");
}

TEST_F(HolidayRulesTest, SpecialDaysAndHolidaysTogether) {
  cal().SetSpecialDayList({"2026,0,1,1,Dummy", "12,6,x"});
  EXPECT_EQ(cal().DayTypeOf(2026, 1, 1), dtSpecialDay | dtHoliday);
  EXPECT_EQ(cal().DayTypeOf(2027, 1, 1), dtHoliday);  // a Friday
  EXPECT_EQ(cal().DayTypeOf(2026, 12, 6), dtSpecialDay | dtSunday);
}

TEST_F(HolidayRulesTest, FontPrecedence) {
  cal().SetSpecialDayList({"12,6,x", "1,1,y"});
  EXPECT_EQ(&cal().DayFontOf(2026, 12, 7), &cal().Fonts().Weekday());
  EXPECT_EQ(&cal().DayFontOf(2026, 12, 5), &cal().Fonts().Saturday());
  EXPECT_EQ(&cal().DayFontOf(2026, 12, 13), &cal().Fonts().Sunday());
  EXPECT_EQ(&cal().DayFontOf(2000, 9, 23), &cal().Fonts().Holiday());     // Saturday holiday
  EXPECT_EQ(&cal().DayFontOf(2001, 2, 11), &cal().Fonts().Holiday());     // Sunday holiday
  EXPECT_EQ(&cal().DayFontOf(2001, 2, 12), &cal().Fonts().Holiday());     // substitute
  EXPECT_EQ(&cal().DayFontOf(2026, 12, 6), &cal().Fonts().SpecialDay());  // Sunday special
  EXPECT_EQ(&cal().DayFontOf(2026, 1, 1), &cal().Fonts().SpecialDay());   // holiday special
}

TEST_F(HolidayRulesTest, NonIntegerFieldPropagatesAConversionError) {
  cal().AddHolidayLine("5,x,壊れた行");
  EXPECT_THROW(cal().DayTypeOf(2026, 5, 1), EConvertError);
  EXPECT_THROW(cal().DayTextOf(2026, 5, 1), EConvertError);
  // Another month does not read the broken field...
  EXPECT_EQ(cal().DayTypeOf(2026, 6, 2), 0);
  // ...unless the substitute rule looks back into it: 1 June 2026 is a Monday.
  EXPECT_THROW(cal().DayTypeOf(2026, 6, 1), EConvertError);
  cal().AddHolidayLine("y,1,壊れた月");
  EXPECT_THROW(cal().DayTypeOf(2026, 6, 2), std::runtime_error);
}

TEST_F(HolidayRulesTest, ListsMatchingNothing) {
  cal().SetHolidayList({"", "7", "13,1,never", "2,30,never", "1,2,3,4,5,6,7"});
  cal().SetAutoEquinox(false);
  for (int day = 1; day <= 28; ++day) {
    EXPECT_EQ(cal().DayTypeOf(2026, 2, day) & ~(dtSunday | dtSaturday), 0) << day;
  }
}

// The built-in rules over the years they were written for, day by day,
// against the published holidays and substitute holidays.
TEST_F(HolidayRulesTest, BuiltInRulesGiveThePublishedHolidaysOf1996To2006) {
  std::set<std::tuple<int, int, int>> published;
  std::set<std::tuple<int, int, int>> substitutes;
  for (const test::PublishedHoliday& h : test::kPublishedHolidays1996To2006) {
    published.insert({h.year, h.month, h.day});
    if (h.name.find("振替休日") != std::string_view::npos) substitutes.insert({h.year, h.month, h.day});
  }
  // "5,4,国民の休日" holds every year, but a 4 May on a Sunday (1997, 2003)
  // was no holiday, and on a Monday (1998) it was the substitute for 3 May.
  const std::set<std::tuple<int, int, int>> marked_though_not_published = {{1997, 5, 4},
                                                                            {2003, 5, 4}};
  const std::tuple<int, int, int> substitute_given_by_the_may_4_line{1998, 5, 4};

  std::set<std::tuple<int, int, int>> extra;
  for (std::int32_t j = DateToJulius(1996, 1, 1); j <= DateToJulius(2006, 12, 31); ++j) {
    const DateTriple d = JuliusToDate(j);
    const std::tuple<int, int, int> key{d.year, d.month, d.day};
    const int flags = cal().DayTypeOf(d.year, d.month, d.day);
    const bool off = (flags & (dtHoliday | dtSubstitute)) != 0;
    if (off && published.count(key) == 0) extra.insert(key);
    if (!off) {
      EXPECT_EQ(published.count(key), 0u) << d.year << "-" << d.month << "-" << d.day;
    }
    if (substitutes.count(key) != 0 && key != substitute_given_by_the_may_4_line) {
      EXPECT_EQ(flags & dtSubstitute, dtSubstitute) << d.year << "-" << d.month << "-" << d.day;
    }
    if ((flags & dtSubstitute) != 0) {
      EXPECT_EQ(substitutes.count(key), 1u) << d.year << "-" << d.month << "-" << d.day;
    }
  }
  EXPECT_EQ(extra, marked_though_not_published);
}

}  // namespace
}  // namespace murva
