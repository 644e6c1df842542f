#include "render/nearest.h"

#include <cmath>

namespace murva {

int Nearest(double value) {
  const double lower = std::floor(value);
  const double fraction = value - lower;
  double result = lower;
  if (fraction > 0.5) {
    result = lower + 1.0;
  } else if (fraction == 0.5) {
    result = std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
  }
  return static_cast<int>(result);
}

}  // namespace murva
