// The generator of the program's almanac tables: the lunisolar month table
// (src/calendar/jdoldcal.cpp) and the days of the 24 solar terms
// (src/calendar/solar_term_days.cpp) for the years the program covers.
//
// New moons and solar terms are computed as moments (astronomy.h), reduced
// to days of Japan Standard Time, and the months are named by the rules of
// lunisolar_rules.h. The program itself does no astronomy: it carries the
// generated sources, which are committed; a test regenerates them and
// compares byte for byte.
#pragma once

#include <string>
#include <vector>

namespace murva::oldcal {

struct GeneratedTables {
  std::string jdoldcal_source;         // src/calendar/jdoldcal.cpp
  std::string solar_term_days_source;  // src/calendar/solar_term_days.cpp
  // What the generator noticed: departures from the simple naming rules,
  // months holding two principal terms, and events within a few minutes of
  // midnight (where the day depends on Delta T and on the precision of the
  // theories).
  std::vector<std::string> notes;
};

// Events closer than this to midnight (JST) are listed in the notes.
inline constexpr double kCloseCallMinutes = 5.0;

GeneratedTables GenerateTables();

}  // namespace murva::oldcal
