#include "calendar/solar_terms.h"

#include "calendar/julius.h"
#include "calendar/solar_term_days.h"

namespace murva {

std::int32_t SolarTermJulius(std::int32_t year, int term) {
  if (year < kSolarTermFirstYear || year > kSolarTermLastYear || term < 0 || term >= 24) return 0;
  return SolarTermDays[static_cast<std::size_t>(year - kSolarTermFirstYear)]
                      [static_cast<std::size_t>(term)];
}

int JuliusToSolarTerm(std::int32_t julius) {
  const DateTriple date = JuliusToDate(julius);
  if (date.year < kSolarTermFirstYear || date.year > kSolarTermLastYear) return -1;
  const auto& days = SolarTermDays[static_cast<std::size_t>(date.year - kSolarTermFirstYear)];
  for (std::size_t term = 0; term < days.size(); ++term) {
    if (days[term] == julius) return static_cast<int>(term);
  }
  return -1;
}

}  // namespace murva
