#include "oldcal/astronomy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "calendar/julius.h"
#include "oldcal/delta_t.h"

namespace murva::oldcal {
namespace {

struct Moment {
  int year, month, day, hour, minute;  // Japan Standard Time
};

// Published moments, to the minute; the computation must land within a
// minute of them.
void ExpectJst(double jde, const Moment& expected) {
  const JstMoment moment = TtToJst(jde);
  const double minutes =
      (moment.day - DateToJulius(expected.year, expected.month, expected.day)) * 1440.0 +
      moment.minutes - (expected.hour * 60 + expected.minute);
  EXPECT_LT(std::abs(minutes), 1.0) << expected.year << "-" << expected.month << "-"
                                   << expected.day << " off by " << minutes << " minutes";
}

double LunationNear(int year, int month, int day) {
  return std::round((DateToJulius(year, month, day) - MeanNewMoon(0)) / 29.530588861);
}

TEST(AstronomyTest, NewMoons) {
  // 2017-02-26 23:58 JST and 2005-12-02 00:01 JST: on either side of
  // midnight by a minute or two.
  ExpectJst(NewMoonNear(MeanNewMoon(LunationNear(2017, 2, 26))), {2017, 2, 26, 23, 58});
  ExpectJst(NewMoonNear(MeanNewMoon(LunationNear(2005, 12, 2))), {2005, 12, 2, 0, 1});
  ExpectJst(NewMoonNear(MeanNewMoon(LunationNear(2000, 1, 6))), {2000, 1, 7, 3, 14});
}

TEST(AstronomyTest, EquinoxesAndSolstices) {
  ExpectJst(SolarLongitudeMoment(0, 2451624.0), {2000, 3, 20, 16, 35});
  ExpectJst(SolarLongitudeMoment(270, 2451900.0), {2000, 12, 21, 22, 37});
  ExpectJst(SolarLongitudeMoment(0, 2460390.0), {2024, 3, 20, 12, 6});
  // Far from J2000 the precession matters: a frame left at J2000 would put
  // the equinox of 2100 more than a day off.
  const double equinox_2100 = SolarLongitudeMoment(0, DateToJulius(2100, 3, 20));
  EXPECT_NEAR(ApparentSolarLongitude(equinox_2100), 0.0, 1e-6);
  EXPECT_EQ(TtToJst(equinox_2100).day, DateToJulius(2100, 3, 20));
}

TEST(AstronomyTest, TheMoonMeetsTheSunAtNewMoon) {
  const double moment = NewMoonNear(MeanNewMoon(1234));
  EXPECT_NEAR(std::remainder(ApparentLunarLongitude(moment) - ApparentSolarLongitude(moment), 360.0),
              0.0, 1e-4);
}

TEST(DeltaTTest, ValuesAndContinuity) {
  EXPECT_NEAR(DeltaTSeconds(1900.0), -2.79, 0.01);
  EXPECT_NEAR(DeltaTSeconds(2000.0), 63.86, 0.01);
  for (double boundary : {1900.0, 1920.0, 1941.0, 1961.0, 1986.0, 2005.0, 2050.0}) {
    EXPECT_NEAR(DeltaTSeconds(boundary - 1e-9), DeltaTSeconds(boundary), 0.2) << boundary;
  }
  EXPECT_THROW(DeltaTSeconds(1800.0), std::out_of_range);
  EXPECT_THROW(DeltaTSeconds(2200.0), std::out_of_range);
}

}  // namespace
}  // namespace murva::oldcal
