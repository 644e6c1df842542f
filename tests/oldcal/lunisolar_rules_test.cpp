#include "oldcal/lunisolar_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace murva::oldcal {
namespace {

constexpr int kSolstice = 18;

// Months of 30 days from day 1000, each holding the principal terms listed
// for it (as SolarTermNames indices), one day apart from its second day on.
struct Stretch {
  std::vector<std::int32_t> new_moons;
  std::vector<PrincipalTerm> terms;
};

Stretch MakeStretch(const std::vector<std::vector<int>>& months) {
  Stretch stretch;
  for (std::size_t i = 0; i < months.size(); ++i) {
    const std::int32_t first = 1000 + 30 * static_cast<std::int32_t>(i);
    stretch.new_moons.push_back(first);
    for (std::size_t k = 0; k < months[i].size(); ++k) {
      stretch.terms.push_back({first + 1 + 20 * static_cast<std::int32_t>(k), months[i][k]});
    }
  }
  stretch.new_moons.push_back(1000 + 30 * static_cast<std::int32_t>(months.size()));
  return stretch;
}

std::vector<int> Numbers(const std::vector<std::vector<int>>& months,
                         std::vector<std::string>& notes) {
  const Stretch stretch = MakeStretch(months);
  std::vector<int> numbers;
  for (const NamedMonth& month : NameMonths(stretch.new_moons, stretch.terms, notes)) {
    numbers.push_back(month.number);
  }
  return numbers;
}

TEST(LunisolarRulesTest, PrincipalTermsNameTheirMonths) {
  EXPECT_EQ(MonthOfPrincipalTerm(0), 2);    // 春分
  EXPECT_EQ(MonthOfPrincipalTerm(6), 5);    // 夏至
  EXPECT_EQ(MonthOfPrincipalTerm(12), 8);   // 秋分
  EXPECT_EQ(MonthOfPrincipalTerm(18), 11);  // 冬至
  EXPECT_EQ(MonthOfPrincipalTerm(20), 12);  // 大寒
  EXPECT_EQ(MonthOfPrincipalTerm(22), 1);   // 雨水
}

TEST(LunisolarRulesTest, TwelveMonthsWithoutLeap) {
  std::vector<std::string> notes;
  EXPECT_EQ(Numbers({{18}, {20}, {22}, {0}, {2}, {4}, {6}, {8}, {10}, {12}, {14}, {16}, {18}},
                    notes),
            (std::vector<int>{11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_TRUE(notes.empty());
}

TEST(LunisolarRulesTest, TheMonthWithoutPrincipalTermIsTheLeapMonth) {
  std::vector<std::string> notes;
  const Stretch stretch =
      MakeStretch({{18}, {20}, {22}, {0}, {2}, {4}, {}, {6}, {8}, {10}, {12}, {14}, {16}, {18}});
  const std::vector<NamedMonth> named = NameMonths(stretch.new_moons, stretch.terms, notes);
  ASSERT_EQ(named.size(), 14u);
  EXPECT_EQ(named[6], (NamedMonth{1180, 104}));
  EXPECT_EQ(named[7], (NamedMonth{1210, 5}));
  EXPECT_EQ(named.back(), (NamedMonth{1390, 11}));
  EXPECT_TRUE(notes.empty());
}

TEST(LunisolarRulesTest, AMonthWithTwoTermsLeavesAMonthWithoutOneThatIsNoLeapMonth) {
  // The 12th month holds 大寒 and 雨水, so the next month has no principal
  // term; were it the leap month, the vernal equinox would fall in month 1.
  std::vector<std::string> notes;
  EXPECT_EQ(Numbers({{18}, {20, 22}, {}, {0}, {2}, {4}, {}, {6}, {8}, {10}, {12}, {14}, {16}, {18}},
                    notes),
            (std::vector<int>{11, 12, 1, 2, 3, 4, 104, 5, 6, 7, 8, 9, 10, 11}));
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_NE(notes[0].find("not the leap month"), std::string::npos) << notes[0];
  EXPECT_NE(notes[1].find("holds two principal terms"), std::string::npos) << notes[1];
}

TEST(LunisolarRulesTest, WhereNoChoiceKeepsEveryCardinalTermTheWinterSolsticeDecides) {
  // As in 2033: twelve months from solstice to solstice, yet a month without
  // a principal term before the autumnal equinox; the equinox falls in month
  // 9, and the leap month follows the solstice month in the next span.
  std::vector<std::string> notes;
  EXPECT_EQ(Numbers({{18}, {20}, {22}, {0}, {2}, {4}, {6}, {8}, {10}, {}, {12}, {14}, {16, 18},
                     {}, {20}, {22}, {0}, {2}, {4}, {6}, {8}, {10}, {12}, {14}, {16}, {18}},
                    notes),
            (std::vector<int>{11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11,
                              111, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  ASSERT_FALSE(notes.empty());
  EXPECT_NE(notes[0].find("the winter solstice decides"), std::string::npos) << notes[0];
}

TEST(LunisolarRulesTest, NoChoiceInAThirteenMonthSpanTakesTheFirstMonthWithoutTerm) {
  // Two months without a principal term before a month holding 春分 and
  // 穀雨: whichever is the leap month, 春分 falls in month 3.
  std::vector<std::string> notes;
  EXPECT_EQ(Numbers({{18}, {20}, {22}, {}, {}, {0, 2}, {4}, {6}, {8}, {10}, {12}, {14}, {16}, {18}},
                    notes)[3],
            101);
  ASSERT_FALSE(notes.empty());
  EXPECT_NE(notes[0].find("no leap month keeps"), std::string::npos) << notes[0];
}

TEST(LunisolarRulesTest, RefusesWhatCannotBeNamed) {
  std::vector<std::string> notes;
  const Stretch one_solstice = MakeStretch({{16}, {18}, {20}});
  EXPECT_THROW(NameMonths(one_solstice.new_moons, one_solstice.terms, notes),
               std::invalid_argument);
  const Stretch too_long = MakeStretch(
      {{18}, {20}, {}, {22}, {0}, {}, {2}, {4}, {6}, {8}, {10}, {12}, {14}, {16}, {18}});
  EXPECT_THROW(NameMonths(too_long.new_moons, too_long.terms, notes), std::invalid_argument);
  const Stretch odd_term = MakeStretch({{18}, {19}, {18}});
  EXPECT_THROW(NameMonths(odd_term.new_moons, odd_term.terms, notes), std::invalid_argument);
}

}  // namespace
}  // namespace murva::oldcal
