// The difference between Terrestrial Time, in which the positions of the Sun
// and the Moon are computed, and Universal Time, on which civil time (and so
// Japan Standard Time) is based.
#pragma once

namespace murva::oldcal {

// Delta T = TT - UT in seconds at a decimal year (2000.0 = the start of
// 2000), by the polynomial expressions of Espenak and Meeus (2006), which
// follow the observed values up to 2005 and extrapolate after that. Valid
// from 1860 to 2150, which covers the table's years with margin.
double DeltaTSeconds(double decimal_year);

// The decimal year of a Julian ephemeris date.
double DecimalYear(double jde);

}  // namespace murva::oldcal
