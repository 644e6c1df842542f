#include "calendar/solar_terms.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "calendar/almanac_names.h"
#include "calendar/equinox.h"
#include "calendar/julius.h"
#include "calendar/solar_term_days.h"

namespace murva {
namespace {

// The terms in the order they fall within a calendar year: 小寒 .. 冬至.
constexpr int kFirstTermOfYear = 19;

TEST(SolarTermsTest, EveryYearHoldsTheTermsInOrderAbout15DaysApart) {
  for (int year = kSolarTermFirstYear; year <= kSolarTermLastYear; ++year) {
    std::int32_t previous = DateToJulius(year, 1, 1) - 1;
    for (int i = 0; i < 24; ++i) {
      const int term = (kFirstTermOfYear + i) % 24;
      const std::int32_t day = SolarTermJulius(year, term);
      ASSERT_EQ(JuliusToDate(day).year, year) << term;
      if (i > 0) {
        EXPECT_GE(day - previous, 14) << year << " " << term;
        EXPECT_LE(day - previous, 16) << year << " " << term;
      }
      EXPECT_EQ(JuliusToSolarTerm(day), term);
      EXPECT_EQ(JuliusToSolarTerm(day + 1), -1);
      previous = day;
    }
  }
}

TEST(SolarTermsTest, PublishedDays) {
  struct Case {
    int year, month, day;
    std::string name;
  };
  const std::vector<Case> cases = {
      {2000, 3, 20, "春分"},  {2000, 12, 21, "冬至"},
      {2021, 2, 3, "立春"},   // 23:59 JST, the first 3 February since 1897
      {2024, 2, 4, "立春"},   {2025, 2, 3, "立春"},
      {2025, 12, 22, "冬至"},  {2026, 3, 20, "春分"},
      {2026, 10, 8, "寒露"},  {2023, 6, 21, "夏至"},
  };
  for (const Case& c : cases) {
    const int term = JuliusToSolarTerm(DateToJulius(c.year, c.month, c.day));
    ASSERT_GE(term, 0) << c.year << "-" << c.month << "-" << c.day;
    EXPECT_EQ(SolarTermNames[static_cast<std::size_t>(term)], c.name)
        << c.year << "-" << c.month << "-" << c.day;
  }
}

TEST(SolarTermsTest, OutsideTheTable) {
  EXPECT_EQ(SolarTermJulius(kSolarTermFirstYear - 1, 0), 0);
  EXPECT_EQ(SolarTermJulius(kSolarTermLastYear + 1, 0), 0);
  EXPECT_EQ(SolarTermJulius(2000, -1), 0);
  EXPECT_EQ(SolarTermJulius(2000, 24), 0);
  EXPECT_EQ(JuliusToSolarTerm(DateToJulius(1899, 12, 22)), -1);
  EXPECT_EQ(JuliusToSolarTerm(DateToJulius(2101, 3, 21)), -1);
}

// The equinox days of the holiday rules come from an approximation; the
// solar-term table from the positions of the Sun. They agree on every year
// of the table but these, where the approximation's moment lies on the
// other side of midnight.
TEST(SolarTermsTest, EquinoxesAgreeWithTheHolidayRules) {
  std::vector<std::string> spring_differs;
  std::vector<std::string> autumn_differs;
  for (int year = kSolarTermFirstYear; year <= kSolarTermLastYear; ++year) {
    if (SolarTermJulius(year, 0) != SpringEquinoxJulius(year)) {
      spring_differs.push_back(std::to_string(year));
    }
    if (SolarTermJulius(year, 12) != AutumnEquinoxJulius(year)) {
      autumn_differs.push_back(std::to_string(year));
    }
  }
  EXPECT_EQ(spring_differs, std::vector<std::string>{});
  EXPECT_EQ(autumn_differs, std::vector<std::string>{});
}

}  // namespace
}  // namespace murva
