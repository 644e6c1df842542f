// The 24 solar terms by date, looked up in the built-in table.
#pragma once

#include <cstdint>

namespace murva {

// Day number of a solar term (index into SolarTermNames, 0 = 春分) in a
// year; 0 for a year outside the table or a term outside 0..23.
std::int32_t SolarTermJulius(std::int32_t year, int term);

// Index into SolarTermNames of the solar term falling on a day, or -1 when
// none does or the day lies outside the table.
int JuliusToSolarTerm(std::int32_t julius);

}  // namespace murva
