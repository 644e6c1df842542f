#include "settings/leading_spaces.h"

#include <gtest/gtest.h>

namespace murva {
namespace {

TEST(EncodeLeadingSpaces, CountsTheLeadingBlanksInThreeDigits) {
  EXPECT_EQ(EncodeLeadingSpaces("  Hello"), "002Hello");
  EXPECT_EQ(EncodeLeadingSpaces("Hello"), "000Hello");
  EXPECT_EQ(EncodeLeadingSpaces("  $yyyy年 $mm月  "), "002$yyyy年 $mm月  ");
}

TEST(EncodeLeadingSpaces, EmptyTextIsAnEmptyValue) { EXPECT_EQ(EncodeLeadingSpaces(""), ""); }

TEST(EncodeLeadingSpaces, BlanksAloneAreTheCountAlone) {
  EXPECT_EQ(EncodeLeadingSpaces("   "), "003");
  EXPECT_EQ(EncodeLeadingSpaces(" "), "001");
}

TEST(EncodeLeadingSpaces, MoreThan999BlanksKeepTheRestInTheText) {
  std::string text = std::string(1002, ' ') + "x";
  std::string value = EncodeLeadingSpaces(text);
  EXPECT_EQ(value, "999   x");
  EXPECT_EQ(DecodeLeadingSpaces(value), text);
}

TEST(DecodeLeadingSpaces, PutsTheCountedBlanksBeforeTheRest) {
  EXPECT_EQ(DecodeLeadingSpaces("002Hello"), "  Hello");
  EXPECT_EQ(DecodeLeadingSpaces("000Hello"), "Hello");
  EXPECT_EQ(DecodeLeadingSpaces("003"), "   ");
  EXPECT_EQ(DecodeLeadingSpaces(""), "");
}

TEST(DecodeLeadingSpaces, CountThatIsNotANumberMeansNoBlanks) {
  // The first three characters are the count even when they are not digits.
  EXPECT_EQ(DecodeLeadingSpaces("Hello"), "lo");
  EXPECT_EQ(DecodeLeadingSpaces("年月日Title"), "Title");
  EXPECT_EQ(DecodeLeadingSpaces("-01x"), "x");
}

TEST(DecodeLeadingSpaces, ShortValueIsAllCount) {
  EXPECT_EQ(DecodeLeadingSpaces("12"), std::string(12, ' '));
}

TEST(LeadingSpaces, RoundTrip) {
  for (std::string text : {"", " ", "a", "   a b  c", "０１２　全角", "\t tab"}) {
    EXPECT_EQ(DecodeLeadingSpaces(EncodeLeadingSpaces(text)), text) << text;
  }
}

}  // namespace
}  // namespace murva
