// The day lists the main window's calendar carries when the user has not
// chosen his own: the national holidays of Japan and an empty special-day list.
#pragma once

#include <string>
#include <vector>

namespace murva {

// The built-in holiday lines, in their fixed order: the national holidays of
// Japan from 1970 on, as the holiday law has been amended, in the ordinary
// day-line form. A holiday whose date or name held only for a closed span of
// years is given one year-limited line per year of the span, because a line
// selects one year, the years up to one year or the years from one year.
// The equinox days, the substitute holidays and the citizens' holidays are
// not listed; the calendar computes them.
const std::vector<std::string>& BuiltInHolidayLines();

// The built-in special-day list: one empty line, which never matches.
const std::vector<std::string>& BuiltInSpecialDayLines();

}  // namespace murva
