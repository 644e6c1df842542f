#include "render/biorhythm.h"

#include <gtest/gtest.h>

#include "calendar/julius.h"
#include "render/nearest.h"

namespace murva {
namespace {

TEST(Nearest, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(Nearest(0.5), 0);
  EXPECT_EQ(Nearest(1.5), 2);
  EXPECT_EQ(Nearest(2.5), 2);
  EXPECT_EQ(Nearest(10.5), 10);
  EXPECT_EQ(Nearest(-0.5), 0);
  EXPECT_EQ(Nearest(-1.5), -2);
  EXPECT_EQ(Nearest(-2.5), -2);
}

TEST(Nearest, OtherValuesGoToTheCloserInteger) {
  EXPECT_EQ(Nearest(16.83), 17);
  EXPECT_EQ(Nearest(2.49), 2);
  EXPECT_EQ(Nearest(-2.51), -3);
  EXPECT_EQ(Nearest(-0.2), 0);
  EXPECT_EQ(Nearest(7.0), 7);
}

TEST(BioPeriodOfStyle, PhysicalEmotionalIntellectual) {
  EXPECT_EQ(BioPeriodOfStyle(2), 23);
  EXPECT_EQ(BioPeriodOfStyle(3), 28);
  EXPECT_EQ(BioPeriodOfStyle(4), 33);
  EXPECT_EQ(BioPeriodOfStyle(0), 0);
  EXPECT_EQ(BioPeriodOfStyle(1), 0);
  EXPECT_EQ(BioPeriodOfStyle(5), 0);
}

TEST(ParseBirthday, TwoDigitYearNeverLiesInTheFuture) {
  EXPECT_EQ(ParseBirthday("80/02/12", 2026), DateToJulius(1980, 2, 12));
  EXPECT_EQ(ParseBirthday("05/07/01", 2026), DateToJulius(2005, 7, 1));
  EXPECT_EQ(ParseBirthday("26/01/01", 2026), DateToJulius(2026, 1, 1));
  EXPECT_EQ(ParseBirthday("27/01/01", 2026), DateToJulius(1927, 1, 1));
  EXPECT_EQ(ParseBirthday("99/12/31", 2026), DateToJulius(1999, 12, 31));
  EXPECT_EQ(ParseBirthday("00/02/29", 2026), DateToJulius(2000, 2, 29));
}

TEST(ParseBirthday, OneDigitMonthAndDayAreRead) {
  EXPECT_EQ(ParseBirthday("80/2/3", 2026), DateToJulius(1980, 2, 3));
}

TEST(ParseBirthday, EmptyOrMalformedTextIsRefused) {
  EXPECT_FALSE(ParseBirthday("", 2026));
  EXPECT_FALSE(ParseBirthday("ab/02/12", 2026));
  EXPECT_FALSE(ParseBirthday("8/02/12", 2026));
  EXPECT_FALSE(ParseBirthday("1980/02/12", 2026));
  EXPECT_FALSE(ParseBirthday("80/02", 2026));
  EXPECT_FALSE(ParseBirthday("80-02-12", 2026));
  EXPECT_FALSE(ParseBirthday("80/02/12x", 2026));
  EXPECT_FALSE(ParseBirthday("80/13/01", 2026));
  EXPECT_FALSE(ParseBirthday("80/00/01", 2026));
  EXPECT_FALSE(ParseBirthday("81/02/29", 2026));  // 1981 is no leap year
  EXPECT_FALSE(ParseBirthday("80/04/31", 2026));
  EXPECT_FALSE(ParseBirthday("80/04/00", 2026));
}

TEST(BioPhase, WholePeriodsBeforeGivePeriodNotZero) {
  const std::int32_t first = DateToJulius(2026, 12, 1);
  EXPECT_EQ(BioPhase(first - 23 * 400, first, 23), 23);
  EXPECT_EQ(BioPhase(first - 28, first, 28), 28);
  EXPECT_EQ(BioPhase(first - 33 * 2, first, 33), 33);
}

TEST(BioPhase, CountsDaysSinceTheLastCycleStart) {
  const std::int32_t first = DateToJulius(2026, 12, 1);
  EXPECT_EQ(BioPhase(first - 23 * 100 - 5, first, 23), 5);
  EXPECT_EQ(BioPhase(first - 23 * 100 - 1, first, 23), 1);
  EXPECT_EQ(BioPhase(first - 24, first, 23), 1);
  EXPECT_EQ(BioPhase(first - 10, first, 23), 10);
  EXPECT_EQ(BioPhase(first, first, 23), 0);
}

TEST(BioPhase, BirthdayAfterTheMonthGivesANegativePhase) {
  const std::int32_t first = DateToJulius(2026, 12, 1);
  EXPECT_EQ(BioPhase(first + 40, first, 28), -40);
}

TEST(BioPhase, MatchesCyclesCountedDayByDay) {
  const std::int32_t birthday = DateToJulius(1980, 2, 12);
  for (int period : {23, 28, 33}) {
    for (int month = 1; month <= 12; ++month) {
      const std::int32_t first = DateToJulius(2026, month, 1);
      std::int32_t start = birthday;
      while (first - period > start) start += period;
      EXPECT_EQ(BioPhase(birthday, first, period), first - start) << period << "/" << month;
    }
  }
}

TEST(BioLift, FollowsTheSineOfTheCycle) {
  // Day + phase = a quarter period: the top of the curve.
  EXPECT_EQ(BioLift(7, 0, 28, 20), 20);
  // Half a period: back on the line.
  EXPECT_EQ(BioLift(14, 0, 28, 20), 0);
  // Three quarters: the bottom.
  EXPECT_EQ(BioLift(21, 0, 28, 20), -20);
  // The phase shifts the day along the curve.
  EXPECT_EQ(BioLift(1, 6, 28, 20), 20);
  // sin(360/23 degrees) * 20 = 5.39..
  EXPECT_EQ(BioLift(1, 0, 23, 20), 5);
}

TEST(BioLift, PhaseOfAWholePeriodDrawsTheSameCurveAsZero) {
  for (int day = 1; day <= 31; ++day) {
    EXPECT_EQ(BioLift(day, 23, 23, 37), BioLift(day, 0, 23, 37)) << day;
  }
}

TEST(BioLift, AmplitudeZeroIsAStraightLine) {
  for (int day = 1; day <= 31; ++day) EXPECT_EQ(BioLift(day, 5, 33, 0), 0);
}

}  // namespace
}  // namespace murva
