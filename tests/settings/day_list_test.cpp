#include "settings/day_list.h"

#include <gtest/gtest.h>

namespace murva {
namespace {

using Cells = std::vector<std::string>;

TEST(ParseDayList, EachPieceEndsAtASlash) {
  EXPECT_EQ(ParseDayList("3/4/5/"), (Cells{"3", "4", "5"}));
  EXPECT_EQ(ParseDayList(""), Cells{});
}

TEST(ParseDayList, RestWithoutSlashIsIgnored) {
  EXPECT_EQ(ParseDayList("3/4/5"), (Cells{"3", "4"}));
  EXPECT_EQ(ParseDayList("15"), Cells{});
}

TEST(ParseDayList, PiecesAreTakenAsTheyStand) {
  EXPECT_EQ(ParseDayList("05//x/ 7/"), (Cells{"05", "", "x", " 7"}));
}

TEST(ParseDayList, AtMost31PiecesAreTaken) {
  std::string value;
  for (int i = 1; i <= 40; ++i) value += std::to_string(i) + "/";
  Cells cells = ParseDayList(value);
  ASSERT_EQ(cells.size(), 31u);
  EXPECT_EQ(cells.front(), "1");
  EXPECT_EQ(cells.back(), "31");
}

TEST(ParseDayList, RestIsCutTo255CharactersAfterEachPiece) {
  // The slash at position 255 of the rest is still seen; one further out is not.
  std::string near_end = "1/" + std::string(254, 'x') + "/";
  EXPECT_EQ(ParseDayList(near_end), (Cells{"1", std::string(254, 'x')}));
  std::string beyond = "1/" + std::string(255, 'x') + "/";
  EXPECT_EQ(ParseDayList(beyond), (Cells{"1"}));
}

TEST(FormatDayList, WritesWholeDaysAsTypedEachWithASlash) {
  EXPECT_EQ(FormatDayList({"3", "4", "5"}), "3/4/5/");
  EXPECT_EQ(FormatDayList({"05", "31"}), "05/31/");
}

TEST(FormatDayList, LeavesOutCellsThatAreNoDayOfAMonth) {
  EXPECT_EQ(FormatDayList({"", "0", "32", "x", "1", " 2", "-3", "+4", "2.5", "0x1F", "7/"}),
            "1/");
}

TEST(FormatDayList, OnlyThe31GridColumnsCount) {
  Cells cells(31, "");
  cells.push_back("9");
  EXPECT_EQ(FormatDayList(cells), "");
  cells[30] = "8";
  EXPECT_EQ(FormatDayList(cells), "8/");
}

TEST(DayList, FormattedListReadsBackToItsDays) {
  Cells cells = {"1", "", "15", "abc", "031"};
  EXPECT_EQ(ParseDayList(FormatDayList(cells)), (Cells{"1", "15", "031"}));
}

}  // namespace
}  // namespace murva
