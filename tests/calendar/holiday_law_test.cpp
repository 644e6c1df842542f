// The computed rest days: the substitute holiday by the rule of the day's year
// and the citizens' holiday, with their switches, on lists of our own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/calendar_ex.h"
#include "calendar/day_type.h"
#include "calendar/julius.h"
#include "calendar/str_to_int.h"

namespace murva {
namespace {

class HolidayLawTest : public ::testing::Test {
 protected:
  HolidayLawTest() { cal_.SetAutoEquinox(false); }

  int Type(std::int32_t year, int month, int day) { return cal_.DayTypeOf(year, month, day); }
  std::string Text(std::int32_t year, int month, int day) {
    return cal_.DayTextOf(year, month, day);
  }

  FixedClock clock_{LocalDateTime{2026, 12, 6, 9, 0, 0}};
  TCalendarEx cal_{clock_};
};

// --- substitute holidays -----------------------------------------------------

TEST_F(HolidayLawTest, NoSubstituteBeforeTwelfthAprilNineteenSeventyThree) {
  cal_.SetHolidayList({"2,11,a", "4,8,b", "4,29,c"});
  EXPECT_EQ(Type(1973, 2, 11), dtSunday | dtHoliday);
  EXPECT_EQ(Type(1973, 2, 12), 0);
  EXPECT_EQ(Type(1973, 4, 8), dtSunday | dtHoliday);
  EXPECT_EQ(Type(1973, 4, 9), 0);
  // 29 April 1973, a Sunday, gave the first substitute holiday.
  EXPECT_EQ(Type(1973, 4, 30), dtSubstitute);
  EXPECT_EQ(Text(1973, 4, 30), "振替休日");
}

TEST_F(HolidayLawTest, UntilTwoThousandSixOnlyTheMondayIsASubstitute) {
  // 3 May 1998 is a Sunday; 4 and 5 May are holidays of the list.
  cal_.SetHolidayList({"5,3,a", "5,4,b", "5,5,c"});
  EXPECT_EQ(Type(1998, 5, 4), dtHoliday);
  EXPECT_EQ(Type(1998, 5, 5), dtHoliday);
  EXPECT_EQ(Type(1998, 5, 6), 0);
  EXPECT_EQ(Text(2006, 5, 4), "b");
  // The same days in 2009 give Wednesday 6 May.
  EXPECT_EQ(Type(2009, 5, 6), dtSubstitute);
  EXPECT_EQ(Type(2009, 5, 7), 0);
}

TEST_F(HolidayLawTest, FromTwoThousandSevenTheWalkPassesEveryHoliday) {
  // A week of holidays from Sunday 2 May 2010 on: Saturday 8 May is the
  // substitute, and only it.
  cal_.SetHolidayList({"5,2,a", "5,3,a", "5,4,a", "5,5,a", "5,6,a", "5,7,a"});
  for (int day = 2; day <= 7; ++day) EXPECT_EQ(Type(2010, 5, day) & dtSubstitute, 0) << day;
  EXPECT_EQ(Type(2010, 5, 8), dtSaturday | dtSubstitute);
  EXPECT_EQ(Type(2010, 5, 9), dtSunday);
  // Holidays before the Sunday give nothing: 1 May 2010 is a Saturday.
  cal_.SetHolidayList({"4,30,a", "5,1,a"});
  EXPECT_EQ(Type(2010, 5, 2), dtSunday);
  EXPECT_EQ(Type(2010, 5, 3), 0);
}

TEST_F(HolidayLawTest, AMonthOfHolidays) {
  std::vector<std::string> lines;
  for (int day = 1; day <= 31; ++day) lines.push_back("5," + std::to_string(day) + ",x");
  cal_.SetHolidayList(lines);
  EXPECT_EQ(Type(2026, 5, 20), dtHoliday);
  EXPECT_EQ(Type(2026, 6, 1), dtSubstitute);  // after Sunday 31 May
}

TEST_F(HolidayLawTest, SubstitutesAcrossTheTurnOfTheYear) {
  // 31 December 2017 is a Sunday; 1 January 2018 is a holiday itself.
  cal_.SetHolidayList({"12,31,a", "1,1,b"});
  EXPECT_EQ(Type(2018, 1, 1), dtHoliday);
  EXPECT_EQ(Type(2018, 1, 2), dtSubstitute);
  // 31 December 1995, also a Sunday: the Monday rule of the time gives none.
  EXPECT_EQ(Type(1996, 1, 1), dtHoliday);
  EXPECT_EQ(Type(1996, 1, 2), 0);
}

TEST_F(HolidayLawTest, SubstitutesAfterAnEquinoxDay) {
  cal_.SetAutoEquinox(true);
  // 21 March 1999 and 21 March 2010 (Sundays) were vernal equinox days.
  EXPECT_EQ(Type(1999, 3, 22), dtSubstitute);
  EXPECT_EQ(Type(2010, 3, 22), dtSubstitute);
  cal_.SetAutoEquinox(false);
  EXPECT_EQ(Type(2010, 3, 22), 0);
}

TEST_F(HolidayLawTest, AutoFurikaeOffGivesNoSubstitute) {
  cal_.SetHolidayList({"5,3,a", "5,4,b", "5,5,c"});
  cal_.SetAutoFurikae(false);
  EXPECT_EQ(Type(2009, 5, 6), 0);
  EXPECT_EQ(Text(2009, 5, 6), "");
}

// --- citizens' holidays --------------------------------------------------------

TEST_F(HolidayLawTest, ADayBetweenTwoHolidaysFromNineteenEightySix) {
  cal_.SetHolidayList({"5,3,a", "5,5,b"});
  EXPECT_EQ(Type(1985, 5, 4), dtSaturday);  // before the rule
  EXPECT_EQ(Type(1988, 5, 4), dtHoliday);   // a Wednesday
  EXPECT_EQ(Text(1988, 5, 4), "国民の休日");
  EXPECT_EQ(Type(1991, 5, 4), dtSaturday | dtHoliday);
  EXPECT_EQ(Type(2028, 5, 4), dtHoliday);
  // The first possible day: Saturday 28 December 1985.
  cal_.SetHolidayList({"12,27,a", "12,29,b"});
  EXPECT_EQ(Type(1985, 12, 28), dtSaturday | dtHoliday);
  cal_.SetHolidayList({"12,26,a", "12,28,b"});
  EXPECT_EQ(Type(1985, 12, 27), dtHoliday);
  cal_.SetHolidayList({"12,25,a", "12,27,b"});
  EXPECT_EQ(Type(1985, 12, 26), 0);
}

TEST_F(HolidayLawTest, NoCitizensHolidayOnASundayOrASubstituteHoliday) {
  cal_.SetHolidayList({"5,3,a", "5,5,b"});
  EXPECT_EQ(Type(1997, 5, 4), dtSunday);
  // 3 May 1992 is a Sunday: 4 May is its substitute, named as such.
  EXPECT_EQ(Type(1992, 5, 4), dtSubstitute);
  EXPECT_EQ(Text(1992, 5, 4), "振替休日");
  // Without the substitute rule the day stays a plain Monday.
  cal_.SetAutoFurikae(false);
  EXPECT_EQ(Type(1992, 5, 4), 0);
  EXPECT_EQ(Text(1992, 5, 4), "");
  EXPECT_EQ(Type(1988, 5, 4), dtHoliday);
}

TEST_F(HolidayLawTest, OnlyHolidaysByNameEncloseACitizensHoliday) {
  // 11 February 2001 is a Sunday, the 12th its substitute; the 13th lies
  // between that substitute and the holiday of the 14th.
  cal_.SetHolidayList({"2,11,a", "2,14,b"});
  EXPECT_EQ(Type(2001, 2, 12), dtSubstitute);
  EXPECT_EQ(Type(2001, 2, 13), 0);
  // Two days between two holidays stay working days (3 May 2028 is a
  // Wednesday).
  cal_.SetHolidayList({"5,3,a", "5,6,b"});
  EXPECT_EQ(Type(2028, 5, 4), 0);
  EXPECT_EQ(Type(2028, 5, 5), 0);
}

TEST_F(HolidayLawTest, EquinoxDaysEncloseCitizensHolidays) {
  cal_.SetAutoEquinox(true);
  cal_.SetHolidayList({"2003,2,9,3,2,敬老の日"});
  // 21 September 2015 敬老の日, 23 September 秋分の日.
  EXPECT_EQ(Type(2015, 9, 22), dtHoliday);
  EXPECT_EQ(Text(2015, 9, 22), "国民の休日");
  cal_.SetAutoEquinox(false);
  EXPECT_EQ(Type(2015, 9, 22), 0);
}

TEST_F(HolidayLawTest, AutoKokuminSwitchesTheCitizensHolidayAlone) {
  EXPECT_TRUE(cal_.AutoKokumin());
  int redraws = 0;
  cal_.SetRedrawHandler([&] { ++redraws; });
  cal_.SetHolidayList({"5,3,a", "5,5,b", "2,11,c"});
  cal_.SetAutoKokumin(false);
  EXPECT_EQ(redraws, 2);
  EXPECT_FALSE(cal_.AutoKokumin());
  EXPECT_EQ(Type(2028, 5, 4), 0);
  EXPECT_EQ(Text(2028, 5, 4), "");
  EXPECT_EQ(Type(2001, 2, 12), dtSubstitute);  // substitutes stay
  EXPECT_EQ(Type(2026, 5, 4), dtSubstitute);
  cal_.SetAutoKokumin(true);
  EXPECT_EQ(Type(2028, 5, 4), dtHoliday);
}

TEST_F(HolidayLawTest, AHolidayByNameIsNothingElse) {
  // 4 May between two holidays, and after a Sunday 3 May, but named itself.
  cal_.SetHolidayList({"5,3,a", "5,4,b", "5,5,c"});
  EXPECT_EQ(Text(2026, 5, 4), "b");
  EXPECT_EQ(Text(1998, 5, 4), "b");
  EXPECT_EQ(Type(1998, 5, 4), dtHoliday);
}

TEST_F(HolidayLawTest, ABrokenLineOfTheMonthBeforeIsReadByTheLookBack) {
  cal_.SetHolidayList({"4,x,broken"});
  // 1 May asks whether 30 April is a holiday; 2 May stops at 1 May.
  EXPECT_THROW(Type(2026, 5, 1), EConvertError);
  EXPECT_THROW(Text(2026, 5, 1), EConvertError);
  EXPECT_EQ(Type(2026, 5, 2), dtSaturday);
  // Before 2007 only a Monday looks back for a substitute, and before 1986
  // no day for a citizens' holiday: Wednesday 1 May 1985 does not.
  EXPECT_EQ(Type(1985, 5, 1), 0);
  EXPECT_THROW(Type(1978, 5, 1), EConvertError);  // a Monday
  EXPECT_EQ(Type(1972, 5, 1), 0);                 // a Monday before the rule
}

}  // namespace
}  // namespace murva
