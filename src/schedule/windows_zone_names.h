// The time-zone names of Windows ("Tokyo Standard Time"), which calendars
// exported from Outlook and Exchange put into TZID, and the zones of the
// zone database they stand for (the zone of each name's main territory).
#pragma once

#include <optional>
#include <string_view>

namespace murva {

// The zone database's name of a Windows zone name (letter case aside), or
// nullopt for a name that is none.
std::optional<std::string_view> ZoneOfWindowsName(std::string_view windows_name);

}  // namespace murva
