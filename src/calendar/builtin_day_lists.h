// The day lists the main window's calendar carries when the user has not
// chosen his own: the public holidays of Japan and an empty special-day list.
#pragma once

#include <string>
#include <vector>

namespace murva {

// The 17 built-in holiday lines, in their fixed order.
const std::vector<std::string>& BuiltInHolidayLines();

// The built-in special-day list: one empty line, which never matches.
const std::vector<std::string>& BuiltInSpecialDayLines();

}  // namespace murva
