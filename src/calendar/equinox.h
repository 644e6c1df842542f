// The vernal and autumnal equinox days, by an astronomical approximation in
// Japan time. The moment is computed in double precision; its integer part is
// the day number of the equinox day.
#pragma once

#include <cstdint>

namespace murva {

std::int32_t SpringEquinoxJulius(std::int32_t year);
std::int32_t AutumnEquinoxJulius(std::int32_t year);

// Whether month and day are those of the year's equinox day (the year of the
// computed day is not compared).
bool IsSpringEquinoxDay(std::int32_t year, int month, int day);
bool IsAutumnEquinoxDay(std::int32_t year, int month, int day);

}  // namespace murva
