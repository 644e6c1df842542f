// Apparent geocentric longitudes of the Sun and the Moon, and the moments of
// new moons and of the Sun's passage through a chosen longitude.
//
// Positions come from libnova: the Earth from VSOP87 and the Moon from
// ELP 2000-82B, both referred to the mean ecliptic and equinox of J2000.
// This module carries them to the ecliptic and equinox of date (IAU 1976
// precession), adds the nutation in longitude, the annual aberration of the
// Sun and the light time of the Moon. All moments are Julian ephemeris dates
// (Terrestrial Time); TtToJst turns them into Japan Standard Time.
#pragma once

#include <cstdint>

namespace murva::oldcal {

// Apparent longitude of the Sun, degrees 0..360, at a Julian ephemeris date.
double ApparentSolarLongitude(double jde);

// Apparent longitude of the Moon, degrees 0..360, at a Julian ephemeris date.
double ApparentLunarLongitude(double jde);

// The moment of the new moon (the Moon's apparent longitude equals the
// Sun's) nearest to a moment less than about ten days from it.
double NewMoonNear(double jde);

// The moment, within about ten days of a guess, at which the Sun's apparent
// longitude reaches `longitude` degrees.
double SolarLongitudeMoment(double longitude, double jde_guess);

// The mean new moon of lunation k, counted from the new moon of
// 2000-01-06 (k = 0): a first guess for NewMoonNear.
double MeanNewMoon(double k);

// A moment in Japan Standard Time: the civil day number and the minutes
// since that day's midnight.
struct JstMoment {
  std::int32_t day = 0;
  double minutes = 0;
};

// Terrestrial Time (Julian ephemeris date) to Japan Standard Time
// (UT + 9 hours, UT = TT - Delta T).
JstMoment TtToJst(double jde);

}  // namespace murva::oldcal
