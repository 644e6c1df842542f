#include "render/almanac_line.h"

#include <algorithm>

#include "calendar/almanac_names.h"
#include "calendar/old_calendar.h"
#include "calendar/solar_terms.h"

namespace murva {

std::string AlmanacText(std::int32_t julius, bool show_rokuyo, bool show_solar_terms) {
  if (show_solar_terms) {
    const int term = JuliusToSolarTerm(julius);
    if (term >= 0) return std::string(SolarTermNames[static_cast<std::size_t>(term)]);
  }
  if (show_rokuyo) {
    const int rokuyo = JuliusToRokuyo(julius);
    if (rokuyo != 0) return std::string(RokuyoNames[static_cast<std::size_t>(rokuyo)]);
  }
  return {};
}

int AlmanacFontPoints(int day_points) {
  return std::max(kMinAlmanacPoints, (2 * day_points + 1) / 3);
}

}  // namespace murva
