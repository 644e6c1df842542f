#include "calendar/day_list_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/builtin_day_lists.h"
#include "calendar/calendar_ex1.h"
#include "calendar/day_type.h"
#include "calendar/str_to_int.h"

namespace murva {
namespace {

class DayListLinesTest : public ::testing::Test {
 protected:
  FixedClock clock_{LocalDateTime{2026, 12, 6, 9, 0, 0}};
  std::unique_ptr<TCalendarEx> calendar_ = MakeCalendarEx1(clock_);
  TCalendarEx& cal() { return *calendar_; }
};

TEST(DayListLineTest, Form) {
  EXPECT_EQ(DayListLine(2026, 5, "3"), "2026,0,5,3,Dummy");
  EXPECT_EQ(DayListLine(2026, 12, "05"), "2026,0,12,05,Dummy");
  EXPECT_EQ(DayListLine(999, 1, "1"), "0999,0,1,1,Dummy");
}

TEST_F(DayListLinesTest, SystemMethodKeepsTheBuiltInRules) {
  DayGrid grid;
  grid[4] = {"3", "4", "5"};
  LoadHolidayLines(cal(), grid, kHolidayMethodSystem, 2026, 8);
  EXPECT_EQ(cal().HolidayList(), BuiltInHolidayLines());
  EXPECT_TRUE(cal().AutoEquinox());
  EXPECT_TRUE(cal().AutoFurikae());
  EXPECT_TRUE(cal().AutoKokumin());
}

TEST_F(DayListLinesTest, UserMethodReplacesTheBuiltInRules) {
  DayGrid grid;
  grid[4] = {"3", "4", "5"};
  LoadHolidayLines(cal(), grid, kHolidayMethodUser, 2026, 8);
  EXPECT_EQ(cal().HolidayList(),
            (std::vector<std::string>{"2026,0,5,3,Dummy", "2027,0,5,3,Dummy", "2026,0,5,4,Dummy",
                                      "2027,0,5,4,Dummy", "2026,0,5,5,Dummy",
                                      "2027,0,5,5,Dummy"}));
  EXPECT_FALSE(cal().AutoEquinox());
  EXPECT_TRUE(cal().AutoFurikae());
  EXPECT_FALSE(cal().AutoKokumin());
  for (int day = 3; day <= 5; ++day) {
    EXPECT_NE(cal().DayTypeOf(2026, 5, day) & dtHoliday, 0) << day;
    EXPECT_NE(cal().DayTypeOf(2027, 5, day) & dtHoliday, 0) << day;
  }
  // The built-in days and the equinoxes are gone.
  EXPECT_EQ(cal().DayTypeOf(2026, 1, 1) & dtHoliday, 0);
  EXPECT_EQ(cal().DayTypeOf(2026, 3, 20), 0);
}

TEST_F(DayListLinesTest, AHandEditedCellWithHugeNumbersMarksNoDay) {
  // CalenHol05=2147483647,3/ and CalenSpc05=3,2147483647/: a cell with a
  // comma makes an n-th-weekday line of absurd numbers.
  DayGrid holidays;
  holidays[4] = {"2147483647,3", "-2147483648,2147483647"};
  DayGrid specials;
  specials[4] = {"2147483647,2147483647"};
  LoadHolidayLines(cal(), holidays, kHolidayMethodUser, 2026, 8);
  LoadSpecialDayLines(cal(), specials, 2026, 8);
  for (int day = 1; day <= 31; ++day) {
    EXPECT_EQ(cal().DayTypeOf(2026, 5, day) & (dtHoliday | dtSpecialDay), 0) << day;
    EXPECT_EQ(cal().DayTextOf(2026, 5, day), "") << day;
  }
}

TEST_F(DayListLinesTest, UserHolidayOnASundayStillGivesASubstituteMonday) {
  DayGrid grid;
  grid[11] = {"6"};  // 6 December 2026 is a Sunday
  LoadHolidayLines(cal(), grid, kHolidayMethodUser, 2026, 12);
  EXPECT_EQ(cal().DayTypeOf(2026, 12, 6), dtSunday | dtHoliday);
  EXPECT_EQ(cal().DayTypeOf(2026, 12, 7), dtSubstitute);
  EXPECT_EQ(cal().DayTextOf(2026, 12, 7), "振替休日");
}

TEST_F(DayListLinesTest, UserHolidaysFollowTheSubstituteRuleOfTheirYear) {
  DayGrid grid;
  grid[1] = {"11", "12"};  // 11 February is a Sunday in 2001 and in 2018
  LoadHolidayLines(cal(), grid, kHolidayMethodUser, 2001, 8);
  EXPECT_EQ(cal().DayTypeOf(2001, 2, 12), dtHoliday);
  EXPECT_EQ(cal().DayTypeOf(2001, 2, 13), 0);
  LoadHolidayLines(cal(), grid, kHolidayMethodUser, 2018, 8);
  EXPECT_EQ(cal().DayTypeOf(2018, 2, 13), dtSubstitute);
  EXPECT_EQ(cal().DayTypeOf(2018, 2, 14), 0);
  // Before 12 April 1973 there were no substitute holidays.
  grid[1] = {"13"};  // a Sunday in 1972
  LoadHolidayLines(cal(), grid, kHolidayMethodUser, 1972, 1);
  EXPECT_EQ(cal().DayTypeOf(1972, 2, 13), dtSunday | dtHoliday);
  EXPECT_EQ(cal().DayTypeOf(1972, 2, 14), 0);
}

TEST_F(DayListLinesTest, NoDayIsAddedBetweenTwoUserHolidays) {
  DayGrid grid;
  grid[4] = {"6", "8"};  // Wednesday and Friday
  LoadHolidayLines(cal(), grid, kHolidayMethodUser, 2026, 3);
  EXPECT_EQ(cal().DayTypeOf(2026, 5, 6), dtHoliday);
  EXPECT_EQ(cal().DayTypeOf(2026, 5, 7), 0);
  EXPECT_EQ(cal().DayTextOf(2026, 5, 7), "");
  EXPECT_EQ(cal().DayTypeOf(2026, 5, 8), dtHoliday);
}

TEST_F(DayListLinesTest, NextYearOnlyAfterJune) {
  DayGrid grid;
  grid[0] = {"15"};
  LoadHolidayLines(cal(), grid, kHolidayMethodUser, 2026, 7);
  EXPECT_NE(cal().DayTypeOf(2027, 1, 15) & dtHoliday, 0);
  LoadHolidayLines(cal(), grid, kHolidayMethodUser, 2026, 6);
  EXPECT_EQ(cal().HolidayList(), (std::vector<std::string>{"2026,0,1,15,Dummy"}));
  EXPECT_EQ(cal().DayTypeOf(2027, 1, 15) & dtHoliday, 0);
  EXPECT_NE(cal().DayTypeOf(2026, 1, 15) & dtHoliday, 0);
}

TEST_F(DayListLinesTest, SpecialDaysAreClearedAndAlwaysLoaded) {
  cal().SetSpecialDayList({"1,1,old"});
  DayGrid grid;
  grid[1] = {"14"};
  grid[11] = {"24", "25"};
  LoadSpecialDayLines(cal(), grid, 2026, 3);
  EXPECT_EQ(cal().SpecialDayList(),
            (std::vector<std::string>{"2026,0,2,14,Dummy", "2026,0,12,24,Dummy",
                                      "2026,0,12,25,Dummy"}));
  EXPECT_EQ(cal().DayTypeOf(2026, 2, 14), dtSaturday | dtSpecialDay);
  LoadSpecialDayLines(cal(), DayGrid{}, 2026, 3);
  EXPECT_TRUE(cal().SpecialDayList().empty());
}

TEST_F(DayListLinesTest, CellsAreUsedAsTypedAndEmptyCellsSkipped) {
  DayGrid grid;
  grid[4] = {"05", "", "x"};
  LoadSpecialDayLines(cal(), grid, 2026, 1);
  EXPECT_EQ(cal().SpecialDayList(),
            (std::vector<std::string>{"2026,0,5,05,Dummy", "2026,0,5,x,Dummy"}));
  EXPECT_EQ(cal().DayTypeOf(2026, 4, 30) & dtSpecialDay, 0);
  // The cell that is not a day reports a conversion error for May queries.
  EXPECT_THROW(cal().DayTypeOf(2026, 5, 5), EConvertError);
}

TEST_F(DayListLinesTest, AtMost31CellsAMonth) {
  DayGrid grid;
  for (int i = 1; i <= 40; ++i) grid[0].push_back(std::to_string(i));
  LoadSpecialDayLines(cal(), grid, 2026, 1);
  ASSERT_EQ(cal().SpecialDayList().size(), 31u);
  EXPECT_EQ(cal().SpecialDayList().back(), "2026,0,1,31,Dummy");
}

}  // namespace
}  // namespace murva
