// Day types, day texts and day fonts of the engine with the built-in holiday
// lines and with lists of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <string>
#include <vector>

#include "calendar/builtin_day_lists.h"
#include "calendar/calendar_ex.h"
#include "calendar/calendar_ex1.h"
#include "calendar/day_line.h"
#include "calendar/day_type.h"
#include "calendar/julius.h"
#include "calendar/str_to_int.h"

namespace murva {
namespace {

class HolidayRulesTest : public ::testing::Test {
 protected:
  FixedClock clock_{LocalDateTime{2026, 12, 6, 9, 0, 0}};
  std::unique_ptr<TCalendarEx> calendar_ = MakeCalendarEx1(clock_);
  TCalendarEx& cal() { return *calendar_; }
};

TEST(BuiltInDayListsTest, HolidayLinesAndOneEmptySpecialDay) {
  const std::vector<std::string>& lines = BuiltInHolidayLines();
  ASSERT_EQ(lines.size(), 125u);
  EXPECT_EQ(lines.front(), "1,1,元日");
  EXPECT_EQ(lines[1], "1999,1,1,15,成人の日");
  EXPECT_EQ(lines[2], "2000,2,1,2,2,成人の日");
  EXPECT_EQ(lines[3], "2,11,建国記念の日");
  EXPECT_EQ(lines.back(), "2019,0,10,22,即位礼正殿の儀");
  EXPECT_EQ(BuiltInSpecialDayLines(), (std::vector<std::string>{""}));
}

TEST(BuiltInDayListsTest, EveryLineIsAValidDayLineOfTheKnownForms) {
  std::set<std::string> seen;
  for (const std::string& line : BuiltInHolidayLines()) {
    EXPECT_TRUE(seen.insert(line).second) << "twice: " << line;
    const auto commas = std::count(line.begin(), line.end(), ',');
    EXPECT_TRUE(commas >= 2 && commas <= 5) << line;
    // Every integer field converts, in a year each line applies to or not.
    for (int year : {1970, 1989, 2000, 2019, 2020, 2050}) {
      int month = 0;
      int day = 0;
      std::string name;
      EXPECT_NO_THROW(ParseDayLine(line, year, month, day, name)) << line;
    }
  }
}

TEST(BuiltInDayListsTest, TheLinesOfAYearNameDistinctExistingDays) {
  // Two lines on one day would give the day two names.
  for (int year = 1970; year <= 2050; ++year) {
    std::set<std::pair<int, int>> days;
    for (const std::string& line : BuiltInHolidayLines()) {
      int month = 0;
      int day = 0;
      std::string name;
      ParseDayLine(line, year, month, day, name);
      if (month == kNoLineMonth) continue;
      EXPECT_LE(day, MonthDays(year, month)) << year << ": " << line;
      EXPECT_TRUE(days.insert({month, day}).second) << year << ": " << line;
    }
  }
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

TEST_F(HolidayRulesTest, FromTwoThousandSevenTheSubstituteIsTheFirstFreeDay) {
  // 3 May 2009 is a Sunday; the 4th (みどりの日) and the 5th are holidays
  // themselves, so the Wednesday after them is the substitute.
  EXPECT_EQ(cal().DayTypeOf(2009, 5, 3), dtSunday | dtHoliday);
  EXPECT_EQ(cal().DayTypeOf(2009, 5, 4), dtHoliday);
  EXPECT_EQ(cal().DayTextOf(2009, 5, 4), "みどりの日");
  EXPECT_EQ(cal().DayTypeOf(2009, 5, 5), dtHoliday);
  EXPECT_EQ(cal().DayTypeOf(2009, 5, 6), dtSubstitute);
  EXPECT_EQ(cal().DayTextOf(2009, 5, 6), "振替休日");
  EXPECT_EQ(cal().DayTypeOf(2009, 5, 7), 0);
  // A Saturday holiday (2000-09-23) gives no substitute.
  EXPECT_EQ(cal().DayTypeOf(2000, 9, 25), 0);
}

TEST_F(HolidayRulesTest, AMayFourthOnASundayIsNoHolidayBefore2007) {
  EXPECT_EQ(cal().DayTypeOf(2003, 5, 4), dtSunday);
  EXPECT_EQ(cal().DayTextOf(2003, 5, 4), "");
  EXPECT_EQ(cal().DayTypeOf(2003, 5, 5), dtHoliday);
  EXPECT_EQ(cal().DayTypeOf(2003, 5, 6), 0);
  // 4 May 2004, a Tuesday between two holidays, is a citizens' holiday.
  EXPECT_EQ(cal().DayTypeOf(2004, 5, 4), dtHoliday);
  EXPECT_EQ(cal().DayTextOf(2004, 5, 4), "国民の休日");
}

TEST_F(HolidayRulesTest, TheHolidaysOf2026) {
  EXPECT_EQ(cal().DayTypeOf(2026, 12, 23), 0);
  EXPECT_EQ(cal().DayTypeOf(2026, 2, 23), dtHoliday);
  EXPECT_EQ(cal().DayTextOf(2026, 2, 23), "天皇誕生日");
  EXPECT_EQ(cal().DayTypeOf(2026, 5, 6), dtSubstitute);  // for Sunday 3 May
  EXPECT_EQ(cal().DayTypeOf(2026, 8, 11), dtHoliday);
  EXPECT_EQ(cal().DayTextOf(2026, 8, 11), "山の日");
  EXPECT_EQ(cal().DayTypeOf(2026, 9, 21), dtHoliday);  // 敬老の日
  EXPECT_EQ(cal().DayTypeOf(2026, 9, 22), dtHoliday);
  EXPECT_EQ(cal().DayTextOf(2026, 9, 22), "国民の休日");
  EXPECT_EQ(cal().DayTextOf(2026, 9, 23), "秋分の日");
  EXPECT_EQ(cal().DayTextOf(2026, 10, 12), "スポーツの日");
}

TEST_F(HolidayRulesTest, DayTextNamesInOrder) {
  EXPECT_EQ(cal().DayTextOf(2000, 9, 23), "秋分の日");
  EXPECT_EQ(cal().DayTextOf(2026, 3, 20), "春分の日");
  EXPECT_EQ(cal().DayTextOf(2026, 1, 1), "元日");
  EXPECT_EQ(cal().DayTextOf(2026, 12, 7), "");
  cal().SetSpecialDayList({"2026,0,1,1,Dummy"});
  EXPECT_EQ(cal().DayTextOf(2026, 1, 1), "Dummy,元日");
  cal().SetSpecialDayList({"1,1,my day"});
  EXPECT_EQ(cal().DayTextOf(2026, 1, 1), "\"my day\",元日");
  cal().SetSpecialDayList({"1,1,"});
  EXPECT_EQ(cal().DayTextOf(2026, 1, 1), ",元日");
  cal().SetHolidayList({});
  EXPECT_EQ(cal().DayTextOf(2026, 1, 1), "\"\"");
}

TEST_F(HolidayRulesTest, ComputedHolidaysComeAfterTheSpecialDays) {
  cal().SetSpecialDayList({"9,22,x", "5,6,y"});
  EXPECT_EQ(cal().DayTextOf(2026, 9, 22), "x,国民の休日");
  EXPECT_EQ(cal().DayTextOf(2026, 5, 6), "y,振替休日");
  EXPECT_EQ(cal().DayTypeOf(2026, 5, 6), dtSpecialDay | dtSubstitute);
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

}  // namespace
}  // namespace murva
