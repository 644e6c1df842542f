#include "calendar/equinox.h"

#include <cmath>
#include <numbers>

#include "calendar/julius.h"

namespace murva {

namespace {

double SinDeg(double degrees) { return std::sin(degrees * std::numbers::pi / 180.0); }

}  // namespace

std::int32_t SpringEquinoxJulius(std::int32_t year) {
  const double t = static_cast<double>(year) - 2000.0;
  const double s = SinDeg(321 - 30.37 * t) + SinDeg(249 + 0.19 * t) +
                   SinDeg(202 - 132.57 * t) + SinDeg(84 - 90.37 * t);
  const double a = 0.002 * s - 0.00004871850323926 * t + 0.001 * SinDeg(132 - 134.81 * t) +
                   0.005 * SinDeg(239 - 19.34 * t);
  const double moment = 2451624.683 + 365.24229 * t + (0.0000001 * t * t - a);
  return static_cast<std::int32_t>(std::trunc(moment));
}

std::int32_t AutumnEquinoxJulius(std::int32_t year) {
  const double t = static_cast<double>(year) - 2000.0;
  const double s = SinDeg(485 - 30.37 * t) + SinDeg(249 + 0.19 * t) +
                   SinDeg(268.2 - 132.57 * t) + SinDeg(309.2 - 90.37 * t);
  const double a = 0.002 * s + 0.00004871850323926 * t + 0.001 * SinDeg(244.6 - 134.81 * t) +
                   0.005 * SinDeg(248.6 - 19.34 * t);
  const double moment = 2451811.096 + 365.24206 * t + (0.0000001 * t * t - a);
  return static_cast<std::int32_t>(std::trunc(moment));
}

bool IsSpringEquinoxDay(std::int32_t year, int month, int day) {
  const DateTriple date = JuliusToDate(SpringEquinoxJulius(year));
  return date.month == month && date.day == day;
}

bool IsAutumnEquinoxDay(std::int32_t year, int month, int day) {
  const DateTriple date = JuliusToDate(AutumnEquinoxJulius(year));
  return date.month == month && date.day == day;
}

}  // namespace murva
