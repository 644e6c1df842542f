#include "schedule/schedule_date.h"

#include <gtest/gtest.h>

#include "schedule/cp932_bytes.h"
#include "schedule/field_integer.h"

namespace murva {
namespace {

TEST(DateTexts, FourAndTwoDigitYears) {
  EXPECT_EQ(DateText({2025, 6, 5}), "2025/06/05");
  EXPECT_EQ(DateText({2025, 6, 5}, DateTextFormat::kTwoDigitYear), "25/06/05");
  EXPECT_EQ(DateText({2000, 12, 31}, DateTextFormat::kTwoDigitYear), "00/12/31");
}

TEST(DateReading, PlainAndLooseForms) {
  EXPECT_EQ(ReadDateText("2025/06/15", 2025), (CivilDate{2025, 6, 15}));
  EXPECT_EQ(ReadDateText("2025/6/5", 2025), (CivilDate{2025, 6, 5}));
  EXPECT_EQ(ReadDateText(" 2025 / 06 / 15 ", 2025), (CivilDate{2025, 6, 15}));
  // One or two digits of year lie in the current century; two numbers are
  // month and day of the current year.
  EXPECT_EQ(ReadDateText("97/01/01", 2025), (CivilDate{2097, 1, 1}));
  EXPECT_EQ(ReadDateText("06/15", 2025), (CivilDate{2025, 6, 15}));
}

TEST(DateReading, RefusesWhatIsNoDate) {
  for (const char* text : {"", "2025", "2025/06/", "2025/@@/15", "2025/02/29", "2025/13/01",
                           "2025/06/15 x", "202025/06/1", "0000/01/01", "2025-06-15",
                           "2025/06/15/01"}) {
    EXPECT_FALSE(ReadDateText(text, 2025).has_value()) << text;
  }
  EXPECT_TRUE(ReadDateText("2024/02/29", 2025).has_value());
}

TEST(DateArithmetic, WeekdaysAndMonthLengths) {
  EXPECT_EQ(WeekdayOf({2025, 6, 15}), 1);  // Sunday
  EXPECT_EQ(WeekdayOf({2000, 1, 1}), 7);   // Saturday
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(2100, 2), 28);
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_EQ(AddDays({2025, 12, 31}, 1), (CivilDate{2026, 1, 1}));
  EXPECT_EQ(AddDays({2024, 2, 28}, 1), (CivilDate{2024, 2, 29}));
  EXPECT_EQ(DayNumberOf({2025, 7, 16}) - DayNumberOf({2025, 6, 15}), 31);
}

TEST(FieldIntegers, LeadingBlanksAndSignsButNothingAfter) {
  EXPECT_EQ(ReadFieldInteger("07"), 7);
  EXPECT_EQ(ReadFieldInteger(" 7"), 7);
  EXPECT_EQ(ReadFieldInteger("-1"), -1);
  EXPECT_FALSE(ReadFieldInteger("7 ").has_value());
  EXPECT_FALSE(ReadFieldInteger("@@").has_value());
  EXPECT_FALSE(ReadFieldInteger("").has_value());
  EXPECT_FALSE(ReadFieldInteger("-").has_value());
  EXPECT_FALSE(ReadFieldInteger("99999999999").has_value());
  EXPECT_EQ(ReadFieldInteger("W5", 0), 0);
}

TEST(Cp932Cutting, NeverSplitsADoubleByteCharacter) {
  const std::string text = ToCp932("aあい");  // 1 + 2 + 2 bytes
  EXPECT_EQ(Cp932Prefix(text, 2), "a");
  EXPECT_EQ(Cp932Prefix(text, 3), ToCp932("aあ"));
  EXPECT_EQ(Cp932Prefix(text, 4), ToCp932("aあ"));
  EXPECT_EQ(Cp932Prefix(text, 9), text);
  EXPECT_EQ(Cp932Prefix(ToCp932("ｱｲｳ"), 2), ToCp932("ｱｲ"));  // half-width: one byte each
  EXPECT_EQ(Cp932Slice("abcdef", 2, 4), "cd");
  EXPECT_EQ(Cp932Slice("ab", 5, 9), "");
}

}  // namespace
}  // namespace murva
