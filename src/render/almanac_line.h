// The almanac line of the box form: under each day number, in a smaller font,
// the day's rokuyō, or the name of the solar term that falls on it.
#pragma once

#include <cstdint>
#include <string>

namespace murva {

// What the almanac line shows for a day: the solar term's name when solar
// terms are shown and one falls on the day; otherwise the rokuyō when it is
// shown and the day lies in the old-calendar table; otherwise nothing.
std::string AlmanacText(std::int32_t julius, bool show_rokuyo, bool show_solar_terms);

// The first size (points) tried for the almanac line under a day font of
// `day_points`: two thirds of it, at least kMinAlmanacPoints.
int AlmanacFontPoints(int day_points);

// The almanac line is never set smaller than this.
inline constexpr int kMinAlmanacPoints = 5;

}  // namespace murva
