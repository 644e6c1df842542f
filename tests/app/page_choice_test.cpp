#include <gtest/gtest.h>

#include "app/page_choice.h"
#include "app_test_support.h"

namespace murva {
namespace {

StoredPaths PathsOf(std::initializer_list<int> pages) {
  StoredPaths paths;
  for (int page : pages) paths[page - 1] = "/pictures/" + std::to_string(page) + ".bmp";
  return paths;
}

TEST(ChooseWeekdayPage, UsesTheStoredPageOfTheWeekday) {
  const std::array<int, 7> week = {2, 0, 0, 0, 0, 4, 6};  // Sunday page 3, Friday 5, Saturday 7
  const StoredPaths paths = PathsOf({1, 3, 5, 7});
  EXPECT_EQ(ChooseWeekdayPage(1, week, paths), 3);
  EXPECT_EQ(ChooseWeekdayPage(6, week, paths), 5);
  EXPECT_EQ(ChooseWeekdayPage(7, week, paths), 7);
  EXPECT_EQ(ChooseWeekdayPage(2, week, paths), 1);
}

TEST(ChooseWeekdayPage, PageWithoutBackgroundFallsBackToPageOne) {
  const std::array<int, 7> week = {2, 2, 2, 2, 2, 2, 2};
  EXPECT_EQ(ChooseWeekdayPage(4, week, PathsOf({1})), 1);
}

TEST(ChooseRandomPage, OnlyConfiguredPagesAreChosen) {
  testing::ScriptedRandom random;
  random.values = {0, 0, 0};
  EXPECT_EQ(ChooseRandomPage(PathsOf({3}), 1, random), 3);
  EXPECT_EQ(ChooseRandomPage(PathsOf({3}), 3, random), 3);  // one candidate: every time
  EXPECT_FALSE(ChooseRandomPage(PathsOf({}), 1, random).has_value());
}

TEST(ChooseRandomPage, LastPageIsSkippedToTheNextCandidate) {
  testing::ScriptedRandom random;
  random.values = {1, 2};
  // Candidates 2, 4, 6: index 1 is page 4, the last one, so page 6 follows.
  EXPECT_EQ(ChooseRandomPage(PathsOf({2, 4, 6}), 4, random), 6);
  // Index 2 is page 6, the last one: the choice wraps round to page 2.
  EXPECT_EQ(ChooseRandomPage(PathsOf({2, 4, 6}), 6, random), 2);
}

TEST(ChooseRandomPage, NeverTheSamePageTwiceInARow) {
  SeededRandom random(12345);
  const StoredPaths paths = PathsOf({1, 2, 5, 8});
  int last = 1;
  std::array<int, 9> seen{};
  for (int run = 0; run < 2000; ++run) {
    const int page = *ChooseRandomPage(paths, last, random);
    ASSERT_NE(page, last);
    ASSERT_FALSE(paths[page - 1].empty());
    ++seen[page];
    last = page;
  }
  for (int page : {1, 2, 5, 8}) EXPECT_GT(seen[page], 300) << "page " << page;
}

}  // namespace
}  // namespace murva
