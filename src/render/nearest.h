// Rounding to the nearest integer with halves going to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2), independent of the floating-point
// rounding mode in force.
#pragma once

namespace murva {

int Nearest(double value);

}  // namespace murva
