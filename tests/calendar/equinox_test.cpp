#include "calendar/equinox.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "calendar/julius.h"

namespace murva {
namespace {

TEST(EquinoxTest, VernalEquinoxDays) {
  EXPECT_TRUE(IsSpringEquinoxDay(2000, 3, 20));
  EXPECT_TRUE(IsSpringEquinoxDay(2003, 3, 21));
  EXPECT_TRUE(IsSpringEquinoxDay(2026, 3, 20));
  EXPECT_TRUE(IsSpringEquinoxDay(2027, 3, 21));
  EXPECT_FALSE(IsSpringEquinoxDay(2000, 3, 21));
  EXPECT_FALSE(IsSpringEquinoxDay(2027, 3, 20));
  EXPECT_EQ(SpringEquinoxJulius(2000), DateToJulius(2000, 3, 20));
}

TEST(EquinoxTest, AutumnalEquinoxDays) {
  EXPECT_TRUE(IsAutumnEquinoxDay(2000, 9, 23));
  EXPECT_TRUE(IsAutumnEquinoxDay(2012, 9, 22));
  EXPECT_TRUE(IsAutumnEquinoxDay(2024, 9, 22));
  EXPECT_TRUE(IsAutumnEquinoxDay(2026, 9, 23));
  EXPECT_FALSE(IsAutumnEquinoxDay(2024, 9, 23));
  EXPECT_EQ(AutumnEquinoxJulius(2012), DateToJulius(2012, 9, 22));
}

TEST(EquinoxTest, MonthAndDayOnlyAreCompared) {
  // The wrong month never matches, whatever the day.
  EXPECT_FALSE(IsSpringEquinoxDay(2000, 9, 20));
  EXPECT_FALSE(IsAutumnEquinoxDay(2000, 3, 23));
}

// Published equinox holidays (day of March / of September), 1970..2050.
constexpr std::array<std::pair<int, int>, 81> kVernal = {{
    {1970, 21}, {1971, 21}, {1972, 20}, {1973, 21}, {1974, 21}, {1975, 21}, {1976, 20},
    {1977, 21}, {1978, 21}, {1979, 21}, {1980, 20}, {1981, 21}, {1982, 21}, {1983, 21},
    {1984, 20}, {1985, 21}, {1986, 21}, {1987, 21}, {1988, 20}, {1989, 21}, {1990, 21},
    {1991, 21}, {1992, 20}, {1993, 20}, {1994, 21}, {1995, 21}, {1996, 20}, {1997, 20},
    {1998, 21}, {1999, 21}, {2000, 20}, {2001, 20}, {2002, 21}, {2003, 21}, {2004, 20},
    {2005, 20}, {2006, 21}, {2007, 21}, {2008, 20}, {2009, 20}, {2010, 21}, {2011, 21},
    {2012, 20}, {2013, 20}, {2014, 21}, {2015, 21}, {2016, 20}, {2017, 20}, {2018, 21},
    {2019, 21}, {2020, 20}, {2021, 20}, {2022, 21}, {2023, 21}, {2024, 20}, {2025, 20},
    {2026, 20}, {2027, 21}, {2028, 20}, {2029, 20}, {2030, 20}, {2031, 21}, {2032, 20},
    {2033, 20}, {2034, 20}, {2035, 21}, {2036, 20}, {2037, 20}, {2038, 20}, {2039, 21},
    {2040, 20}, {2041, 20}, {2042, 20}, {2043, 21}, {2044, 20}, {2045, 20}, {2046, 20},
    {2047, 21}, {2048, 20}, {2049, 20}, {2050, 20}
}};
constexpr std::array<std::pair<int, int>, 81> kAutumnal = {{
    {1970, 23}, {1971, 24}, {1972, 23}, {1973, 23}, {1974, 23}, {1975, 24}, {1976, 23},
    {1977, 23}, {1978, 23}, {1979, 24}, {1980, 23}, {1981, 23}, {1982, 23}, {1983, 23},
    {1984, 23}, {1985, 23}, {1986, 23}, {1987, 23}, {1988, 23}, {1989, 23}, {1990, 23},
    {1991, 23}, {1992, 23}, {1993, 23}, {1994, 23}, {1995, 23}, {1996, 23}, {1997, 23},
    {1998, 23}, {1999, 23}, {2000, 23}, {2001, 23}, {2002, 23}, {2003, 23}, {2004, 23},
    {2005, 23}, {2006, 23}, {2007, 23}, {2008, 23}, {2009, 23}, {2010, 23}, {2011, 23},
    {2012, 22}, {2013, 23}, {2014, 23}, {2015, 23}, {2016, 22}, {2017, 23}, {2018, 23},
    {2019, 23}, {2020, 22}, {2021, 23}, {2022, 23}, {2023, 23}, {2024, 22}, {2025, 23},
    {2026, 23}, {2027, 23}, {2028, 22}, {2029, 23}, {2030, 23}, {2031, 23}, {2032, 22},
    {2033, 23}, {2034, 23}, {2035, 23}, {2036, 22}, {2037, 23}, {2038, 23}, {2039, 23},
    {2040, 22}, {2041, 23}, {2042, 23}, {2043, 23}, {2044, 22}, {2045, 22}, {2046, 23},
    {2047, 23}, {2048, 22}, {2049, 22}, {2050, 23}
}};

TEST(EquinoxTest, AgreesWithThePublishedDaysFrom1970To2050) {
  for (const auto& [year, day] : kVernal) {
    EXPECT_EQ(JuliusToDate(SpringEquinoxJulius(year)), (DateTriple{year, 3, day})) << year;
  }
  for (const auto& [year, day] : kAutumnal) {
    EXPECT_EQ(JuliusToDate(AutumnEquinoxJulius(year)), (DateTriple{year, 9, day})) << year;
  }
}

}  // namespace
}  // namespace murva
