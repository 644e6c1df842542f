#include "schedule/schedule_date.h"

#include <gtest/gtest.h>

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
  for (const char* text :
       {"", "2025", "2025/06/", "2025/@@/15", "2025/02/29", "2025/13/01", "2025/06/15 x",
        "202025/06/1", "0000/01/01", "2025-06-15", "2025/06/15/01"}) {
    EXPECT_FALSE(ReadDateText(text, 2025).has_value()) << text;
  }
  EXPECT_TRUE(ReadDateText("2024/02/29", 2025).has_value());
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

}  // namespace
}  // namespace murva
