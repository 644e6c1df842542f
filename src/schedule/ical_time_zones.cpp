#include "schedule/ical_time_zones.h"

#include <cctype>
#include <cstdio>

#include "schedule/windows_zone_names.h"

namespace murva {
namespace {

constexpr std::size_t kLongestZoneName = 64;

// A name the database may hold: letters, digits, "_", "-", "+" and "/"
// between parts, no part "." or "..".
bool PlainZoneName(const std::string& name) {
  if (name.empty() || name.size() > kLongestZoneName || name.front() == '/' ||
      name.back() == '/') {
    return false;
  }
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (!std::isalnum(byte) && c != '_' && c != '-' && c != '+' && c != '/') return false;
  }
  return name.find("//") == std::string::npos;
}

// "(UTC+09:00) ..." or "(GMT-05:00) ...": the fixed zone of that offset in
// whole hours, as the database names it (Etc/GMT-9 is nine hours ahead).
icaltimezone* OffsetZone(const std::string& tzid) {
  int hours = 0;
  int minutes = 0;
  char sign = 0;
  if (std::sscanf(tzid.c_str(), "(UTC%c%d:%d)", &sign, &hours, &minutes) != 3 &&
      std::sscanf(tzid.c_str(), "(GMT%c%d:%d)", &sign, &hours, &minutes) != 3) {
    return nullptr;
  }
  if ((sign != '+' && sign != '-') || minutes != 0 || hours < 0 || hours > 14) return nullptr;
  if (hours == 0) return icaltimezone_get_utc_timezone();
  return DatabaseZone("Etc/GMT" + std::string(1, sign == '+' ? '-' : '+') + std::to_string(hours));
}

}  // namespace

icaltimezone* DatabaseZone(const std::string& name) {
  if (name == "UTC" || name == "GMT" || name == "Z" || name == "Etc/UTC" || name == "Etc/GMT") {
    return icaltimezone_get_utc_timezone();
  }
  if (!PlainZoneName(name)) return nullptr;
  return icaltimezone_get_builtin_timezone(name.c_str());
}

icaltimezone* ICalTimeZones::Find(const std::string& tzid) const {
  // A zone of the database by its name, also behind the prefixes calendar
  // programs put before it ("/mozilla.org/20050126_1/America/New_York").
  for (std::size_t from = 0; from != std::string::npos;) {
    const std::string part = tzid.substr(from);
    if (part.find('/') != std::string::npos || from == 0) {
      if (icaltimezone* zone = DatabaseZone(part)) return zone;
    }
    const std::size_t slash = tzid.find('/', from);
    from = slash == std::string::npos ? slash : slash + 1;
  }
  if (const auto windows = ZoneOfWindowsName(tzid)) {
    if (icaltimezone* zone = DatabaseZone(std::string(*windows))) return zone;
  }
  if (calendar_ != nullptr) {
    if (icaltimezone* zone = icalcomponent_get_timezone(calendar_, tzid.c_str())) return zone;
  }
  return OffsetZone(tzid);
}

icaltimezone* ICalTimeZones::Resolve(const std::string& tzid) {
  const auto known = resolved_.find(tzid);
  if (known != resolved_.end()) return known->second;
  icaltimezone* zone = Find(tzid);
  resolved_.emplace(tzid, zone);
  if (zone == nullptr) unknown_.push_back(tzid);
  return zone;
}

}  // namespace murva
