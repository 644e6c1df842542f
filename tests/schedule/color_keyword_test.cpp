#include "schedule/color_keyword.h"

#include <gtest/gtest.h>

namespace murva {
namespace {

TEST(ColorKeywordTable, EighteenTenCharacterFields) {
  ASSERT_EQ(kColorKeywordTable.size(), 180u);
  for (int i = 0; i < kColorKeywordCount; ++i) {
    std::string item = kColorKeywordItems[static_cast<std::size_t>(i)];
    for (char& c : item) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    item.resize(10, ' ');
    EXPECT_EQ(kColorKeywordTable.substr(static_cast<std::size_t>(i) * 10, 10), item);
  }
}

TEST(ColorKeywordLookup, EveryNameSelectsItsOwnColourInAnyCase) {
  for (int i = 0; i < kColorKeywordCount; ++i) {
    const std::string item = kColorKeywordItems[static_cast<std::size_t>(i)];
    std::string lower = item;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(LookupColorKeyword(item), kColorKeywordColors[static_cast<std::size_t>(i)]) << item;
    EXPECT_EQ(LookupColorKeyword(lower), kColorKeywordColors[static_cast<std::size_t>(i)]) << item;
    EXPECT_EQ(LookupPreviewColor(item), kColorKeywordColors[static_cast<std::size_t>(i)]) << item;
  }
}

TEST(ColorKeywordLookup, RedInThreeSpellings) {
  EXPECT_EQ(LookupColorKeyword("red"), 0x0000FFu);
  EXPECT_EQ(LookupColorKeyword("Red"), 0x0000FFu);
  EXPECT_EQ(LookupColorKeyword("RED"), 0x0000FFu);
}

TEST(ColorKeywordLookup, OnlyTheFirstSevenCharactersCount) {
  EXPECT_EQ(LookupColorKeyword("Fuchsia2"), 0xFF00FFu);
  EXPECT_EQ(LookupColorKeyword("FuchsiaPink"), 0xFF00FFu);
}

TEST(ColorKeywordLookup, UnknownAndEmptyNamesGiveNoColour) {
  EXPECT_FALSE(LookupColorKeyword("Pink").has_value());
  EXPECT_FALSE(LookupColorKeyword("").has_value());
  EXPECT_FALSE(LookupColorKeyword("Reddish").has_value());
  EXPECT_FALSE(LookupPreviewColor("").has_value());
  EXPECT_FALSE(LookupPreviewColor("Pink").has_value());
}

TEST(ColorKeywordLookup, PartsOfNamesFollowThePositionRule) {
  // "GRAY" is first found inside "DKGRAY", whose colour is the same grey.
  EXPECT_EQ(LookupPreviewColor("Gray"), 0x808080u);
  // A name that matches the start of a field plus blanks selects that field.
  EXPECT_EQ(LookupColorKeyword("Aqu"), std::nullopt);
  EXPECT_EQ(LookupColorKeyword("A"), 0xFFFF00u);  // "A    " at the end of AQUA
}

TEST(KeywordNames, BetweenTheFirstTwoPercentSigns) {
  EXPECT_EQ(KeywordNameOf("25/06/15 00 1 text%Red%"), "Red");
  EXPECT_EQ(KeywordNameOf("a%b%c%d"), "b");
  EXPECT_EQ(KeywordNameOf("100% sure"), "");
  EXPECT_EQ(KeywordNameOf("none"), "");
  EXPECT_EQ(KeywordNameOf("%%"), "");
}

}  // namespace
}  // namespace murva
