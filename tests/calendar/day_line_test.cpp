#include "calendar/day_line.h"

#include <gtest/gtest.h>

#include <string>

#include "calendar/str_to_int.h"

namespace murva {
namespace {

struct Parsed {
  int month;
  int day;
  std::string name;
  friend bool operator==(const Parsed&, const Parsed&) = default;
};

void PrintTo(const Parsed& p, std::ostream* out) {
  *out << p.month << "/" << p.day << " '" << p.name << "'";
}

Parsed Parse(const std::string& line, int year, int asked_month) {
  Parsed p{asked_month, -1, "junk"};
  ParseDayLine(line, year, p.month, p.day, p.name);
  return p;
}

const Parsed kNoMatch{13, 32, ""};

TEST(ParseDayLineTest, FixedDateEveryYear) {
  EXPECT_EQ(Parse("1,1,元旦", 2026, 1), (Parsed{1, 1, "元旦"}));
  EXPECT_EQ(Parse("1,1,元旦", 2026, 0), (Parsed{1, 1, "元旦"}));
  EXPECT_EQ(Parse("1,1,元旦", 2026, 2), kNoMatch);
  EXPECT_EQ(Parse("12,23,天皇誕生日", 1990, 12), (Parsed{12, 23, "天皇誕生日"}));
}

TEST(ParseDayLineTest, NthWeekdayEveryYear) {
  // Second Monday of January 2000 is the 10th; of January 2001 the 8th.
  EXPECT_EQ(Parse("1,2,2,成人", 2000, 1), (Parsed{1, 10, "成人"}));
  EXPECT_EQ(Parse("1,2,2,成人", 2001, 1), (Parsed{1, 8, "成人"}));
  // First Sunday of a month that begins on a Sunday (February 2015) is the 1st.
  EXPECT_EQ(Parse("2,1,1,x", 2015, 2), (Parsed{2, 1, "x"}));
  // First Saturday of December 2026 (begins on a Tuesday) is the 5th.
  EXPECT_EQ(Parse("12,1,7,x", 2026, 0), (Parsed{12, 5, "x"}));
  EXPECT_EQ(Parse("12,1,7,x", 2026, 11), kNoMatch);
}

TEST(ParseDayLineTest, WeekdayBeyondTheMonthEndGivesADayPastItsLength) {
  // Fifth Monday of February 2026 would be 30 February.
  const Parsed p = Parse("2,5,2,x", 2026, 2);
  EXPECT_EQ(p.month, 2);
  EXPECT_EQ(p.day, 30);
  // Fifth Sunday of March 2026 exists: the 29th.
  EXPECT_EQ(Parse("3,5,1,x", 2026, 3).day, 29);
}

TEST(ParseDayLineTest, OutOfRangeWeekdayNumbersAreMalformedLinesNotArithmetic) {
  // Hand-edited day lists (CalenHol05=2147483647,3/ gives the first line)
  // name no occurrence 1..5 or no month 1..12: such a line never applies,
  // with no overflow on the way.
  for (const char* line :
       {"2026,0,5,2147483647,3,Dummy", "2026,0,5,-2147483648,3,Dummy", "5,2147483647,3,x",
        "5,0,1,x", "5,6,1,x", "5,-1,1,x", "2026,0,5,6,1,Dummy"}) {
    EXPECT_EQ(Parse(line, 2026, 5), kNoMatch) << line;
  }
  for (const char* line : {"13,1,1,x", "0,1,1,x", "2147483647,1,1,x", "-2147483648,1,1,x",
                           "2026,0,2147483647,1,1,x"}) {
    EXPECT_EQ(Parse(line, 2026, 0), kNoMatch) << line;
  }
  // Any weekday number counts modulo 7, the largest ones included.
  EXPECT_EQ(Parse("5,1,2147483647,x", 2026, 5), Parse("5,1,1,x", 2026, 5));
  EXPECT_EQ(Parse("5,1,-2147483648,x", 2026, 5), Parse("5,1,5,x", 2026, 5));
  // A number beyond the integer range is no integer at all.
  EXPECT_THROW(Parse("5,99999999999,1,x", 2026, 5), EConvertError);
}

TEST(ParseDayLineTest, YearSelectorOnlyThatYear) {
  EXPECT_EQ(Parse("2026,0,5,3,Dummy", 2026, 5), (Parsed{5, 3, "Dummy"}));
  EXPECT_EQ(Parse("2026,0,5,3,Dummy", 2027, 5), kNoMatch);
  EXPECT_EQ(Parse("2026,0,5,3,Dummy", 2025, 5), kNoMatch);
}

TEST(ParseDayLineTest, YearSelectorUpToTheYear) {
  EXPECT_EQ(Parse("1999,1,1,15,成人の日OLD", 1999, 1), (Parsed{1, 15, "成人の日OLD"}));
  EXPECT_EQ(Parse("1999,1,1,15,成人の日OLD", 1970, 1), (Parsed{1, 15, "成人の日OLD"}));
  EXPECT_EQ(Parse("1999,1,1,15,成人の日OLD", 2000, 1), kNoMatch);
}

TEST(ParseDayLineTest, YearSelectorFromTheYear) {
  EXPECT_EQ(Parse("2000,2,1,2,2,成人の日NEW", 2000, 1), (Parsed{1, 10, "成人の日NEW"}));
  EXPECT_EQ(Parse("2000,2,1,2,2,成人の日NEW", 1999, 1), kNoMatch);
  EXPECT_EQ(Parse("2003,2,7,3,2,海の日NEW", 2003, 7), (Parsed{7, 21, "海の日NEW"}));
}

TEST(ParseDayLineTest, OtherYearSelectorsMeanEveryYear) {
  EXPECT_EQ(Parse("1900,3,5,5,x", 2026, 5), (Parsed{5, 5, "x"}));
  EXPECT_EQ(Parse("1900,-1,5,2,1,x", 2026, 5), (Parsed{5, 10, "x"}));
}

TEST(ParseDayLineTest, OtherFieldCountsNeverMatch) {
  EXPECT_EQ(Parse("", 2026, 0), kNoMatch);
  EXPECT_EQ(Parse("5", 2026, 0), kNoMatch);
  EXPECT_EQ(Parse("5,5", 2026, 5), kNoMatch);
  EXPECT_EQ(Parse("1,2,3,4,5,6,7", 2026, 0), kNoMatch);
  EXPECT_EQ(Parse("x,,,,,,,,,,,,,,,,,,,,", 2026, 0), kNoMatch);
  // Not even a non-number is looked at.
  EXPECT_EQ(Parse("a,b", 2026, 0), kNoMatch);
}

TEST(ParseDayLineTest, TrailingCommaMakesTheWeekdayForm) {
  // "1,1,元旦," has four fields: its weekday field is not a number.
  EXPECT_THROW(Parse("1,1,元旦,", 2026, 1), EConvertError);
  EXPECT_EQ(Parse("1,1,7,", 2026, 1), (Parsed{1, 3, ""}));
}

TEST(ParseDayLineTest, NonIntegerFieldsRaiseOnlyWhenRead) {
  // The month field is read at every query.
  EXPECT_THROW(Parse("x,1,元旦", 2026, 5), EConvertError);
  EXPECT_THROW(Parse("2026,0,x,3,Dummy", 2026, 1), EConvertError);
  // The other fields only when the month matches.
  EXPECT_EQ(Parse("5,x,名", 2026, 6), kNoMatch);
  EXPECT_THROW(Parse("5,x,名", 2026, 5), EConvertError);
  EXPECT_EQ(Parse("2026,0,5,x,Dummy", 2026, 6), kNoMatch);
  EXPECT_THROW(Parse("2026,0,5,x,Dummy", 2026, 5), EConvertError);
  // The day field of a five-field line is read only when the year applies.
  EXPECT_EQ(Parse("2026,0,5,x,Dummy", 2027, 5), kNoMatch);
  EXPECT_THROW(Parse("2026,0,5,,Dummy", 2026, 5), EConvertError);
}

}  // namespace
}  // namespace murva
