#include "oldcal/astronomy.h"

#include <libnova/earth.h>
#include <libnova/lunar.h>
#include <libnova/nutation.h>

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "oldcal/delta_t.h"

namespace murva::oldcal {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerCentury = 36525.0;
constexpr double kArcsecond = 1.0 / 3600.0;
constexpr double kLightKmPerSecond = 299792.458;
constexpr double kSecondsPerDay = 86400.0;
// The constant of annual aberration, arcseconds (at 1 AU).
constexpr double kAberration = 20.4898;
// Convergence of the searches: about a hundredth of a second.
constexpr double kMomentTolerance = 1e-7;
constexpr int kMaxIterations = 50;
// Truncation of the lunar series: every term, and the terms above 1e-7
// radians (0.02", some twenty times faster, within a few hundredths of an
// arcsecond of the full series), which the searches use.
constexpr double kFullSeries = 0;
constexpr double kSearchSeries = 1e-7;

double Radians(double degrees) { return degrees * kPi / 180.0; }
double Degrees(double radians) { return radians * 180.0 / kPi; }

double Normalize360(double degrees) {
  double d = std::fmod(degrees, 360.0);
  if (d < 0) d += 360.0;
  return d;
}

// -180 < result <= 180
double Normalize180(double degrees) {
  double d = Normalize360(degrees);
  if (d > 180.0) d -= 360.0;
  return d;
}

struct Ecliptic {
  double longitude;  // degrees
  double latitude;   // degrees
};

// Ecliptic coordinates referred to the mean ecliptic and equinox of J2000
// carried to the mean ecliptic and equinox of date: the IAU 1976 precession
// quantities (Lieske) from J2000, applied in ecliptic coordinates.
Ecliptic PrecessFromJ2000(Ecliptic j2000, double jde) {
  const double t = (jde - kJ2000) / kDaysPerCentury;
  const double eta = Radians((47.0029 * t - 0.03302 * t * t + 0.000060 * t * t * t) * kArcsecond);
  const double pi_node = Radians(174.876384 + (-869.8089 * t + 0.03536 * t * t) * kArcsecond);
  const double p = Radians((5029.0966 * t + 1.11113 * t * t - 0.000006 * t * t * t) * kArcsecond);
  const double lambda0 = Radians(j2000.longitude);
  const double beta0 = Radians(j2000.latitude);
  const double a = std::cos(eta) * std::cos(beta0) * std::sin(pi_node - lambda0) -
                   std::sin(eta) * std::sin(beta0);
  const double b = std::cos(beta0) * std::cos(pi_node - lambda0);
  const double c = std::cos(eta) * std::sin(beta0) +
                   std::sin(eta) * std::cos(beta0) * std::sin(pi_node - lambda0);
  Ecliptic of_date;
  of_date.longitude = Normalize360(Degrees(p + pi_node - std::atan2(a, b)));
  of_date.latitude = Degrees(std::asin(c));
  return of_date;
}

// Nutation in longitude, degrees (IAU 1980 series of libnova). libnova
// takes the moment in Universal Time.
double NutationInLongitude(double jde) {
  const double ut = jde - DeltaTSeconds(DecimalYear(jde)) / kSecondsPerDay;
  ln_nutation nutation{};
  ln_get_nutation(ut, &nutation);
  return nutation.longitude;
}

// Finds t near `guess` with f(t) = 0, f continuous and monotonic near the
// root, by the secant method; `rate` (units of f per day) sets the second
// starting point.
template <typename F>
double FindRoot(F f, double guess, double rate) {
  double t0 = guess;
  double f0 = f(t0);
  double t1 = t0 - f0 / rate;
  for (int i = 0; i < kMaxIterations; ++i) {
    const double f1 = f(t1);
    if (f1 == f0) return t1;
    const double t2 = t1 - f1 * (t1 - t0) / (f1 - f0);
    t0 = t1;
    f0 = f1;
    t1 = t2;
    if (std::abs(t1 - t0) < kMomentTolerance) return t1;
  }
  throw std::runtime_error("the search for an astronomical moment did not converge");
}

// Apparent longitude of the Moon from the ELP 2000-82B series truncated at
// `precision` (radians per term; 0 = every term).
double LunarLongitude(double jde, double precision) {
  // The Moon is seen where it was when its light left it; the distance for
  // the light time comes from the cheap truncated series.
  ln_rect_posn moon{};
  ln_get_lunar_geo_posn(jde, &moon, kSearchSeries);
  const double distance_km = std::sqrt(moon.X * moon.X + moon.Y * moon.Y + moon.Z * moon.Z);
  const double light_time = distance_km / kLightKmPerSecond / kSecondsPerDay;
  ln_get_lunar_geo_posn(jde - light_time, &moon, precision);
  const Ecliptic j2000{Normalize360(Degrees(std::atan2(moon.Y, moon.X))),
                       Degrees(std::atan2(moon.Z, std::hypot(moon.X, moon.Y)))};
  const Ecliptic of_date = PrecessFromJ2000(j2000, jde);
  return Normalize360(of_date.longitude + NutationInLongitude(jde));
}

}  // namespace

double ApparentSolarLongitude(double jde) {
  ln_helio_posn earth{};
  ln_get_earth_helio_coords(jde, &earth);
  const Ecliptic sun = PrecessFromJ2000({earth.L + 180.0, -earth.B}, jde);
  const double aberration = kAberration * kArcsecond / earth.R;
  return Normalize360(sun.longitude + NutationInLongitude(jde) - aberration);
}

double ApparentLunarLongitude(double jde) { return LunarLongitude(jde, kFullSeries); }

double MeanNewMoon(double k) { return 2451550.09766 + 29.530588861 * k; }

double NewMoonNear(double jde) {
  const auto elongation = [](double t, double precision) {
    return Normalize180(LunarLongitude(t, precision) - ApparentSolarLongitude(t));
  };
  // The search runs on the truncated lunar series (the Moon gains about
  // 12.19 degrees a day on the Sun); one Newton step on the full series
  // then moves the moment by the truncation's small error.
  const double approximate =
      FindRoot([&](double t) { return elongation(t, kSearchSeries); }, jde, 12.19);
  const double step = 1e-4;
  const double rate = (elongation(approximate + step, kSearchSeries) -
                       elongation(approximate - step, kSearchSeries)) /
                      (2 * step);
  return approximate - elongation(approximate, kFullSeries) / rate;
}

double SolarLongitudeMoment(double longitude, double jde_guess) {
  const auto offset = [longitude](double t) {
    return Normalize180(ApparentSolarLongitude(t) - longitude);
  };
  return FindRoot(offset, jde_guess, 360.0 / 365.2422);
}

JstMoment TtToJst(double jde) {
  const double ut = jde - DeltaTSeconds(DecimalYear(jde)) / kSecondsPerDay;
  // Civil day n runs from Julian date n - 0.5 to n + 0.5 in its own zone.
  const double jst = ut + 9.0 / 24.0 + 0.5;
  const double day = std::floor(jst);
  JstMoment moment;
  moment.day = static_cast<std::int32_t>(day);
  moment.minutes = (jst - day) * 1440.0;
  return moment;
}

}  // namespace murva::oldcal
