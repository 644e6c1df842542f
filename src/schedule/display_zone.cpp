#include "schedule/display_zone.h"

#include <libical/ical.h>

#include <ctime>

#include "schedule/ical_library.h"

namespace murva {

std::recursive_mutex& LibicalMutex() {
  static std::recursive_mutex mutex;
  return mutex;
}

std::unique_lock<std::recursive_mutex> LockLibical() {
  std::unique_lock<std::recursive_mutex> lock(LibicalMutex());
  static const bool quiet = [] {
    icalerror_set_errors_are_fatal(0);
    return true;
  }();
  (void)quiet;
  return lock;
}

DisplayZone DisplayZone::System() { return DisplayZone(); }

std::optional<DisplayZone> DisplayZone::Named(const std::string& name) {
  const auto lock = LockLibical();
  icaltimezone* zone = name == "UTC" ? icaltimezone_get_utc_timezone()
                                     : icaltimezone_get_builtin_timezone(name.c_str());
  if (zone == nullptr) return std::nullopt;
  DisplayZone display;
  display.name_ = name;
  display.zone_ = zone;
  return display;
}

WallTime DisplayZone::WallOf(std::int64_t instant) const {
  if (zone_ == nullptr) {
    const std::time_t time = static_cast<std::time_t>(instant);
    std::tm local{};
    localtime_r(&time, &local);
    return {CivilDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday},
            local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec};
  }
  // The offset of the zone at that instant (the caller holds the lock).
  icaltimetype utc = icaltime_from_timet_with_zone(static_cast<time_t>(instant), 0,
                                                   icaltimezone_get_utc_timezone());
  const int offset = icaltimezone_get_utc_offset_of_utc_time(static_cast<icaltimezone*>(zone_), &utc,
                                                             nullptr);
  return WallTimeOfSeconds(instant + offset);
}

std::int64_t WallSeconds(const CivilDate& date, int second_of_day) {
  return static_cast<std::int64_t>(DayNumberOf(date)) * 86400 + second_of_day;
}

WallTime WallTimeOfSeconds(std::int64_t wall_seconds) {
  std::int64_t days = wall_seconds / 86400;
  std::int64_t rest = wall_seconds % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  return {CivilDateOf(static_cast<int>(days)), static_cast<int>(rest)};
}

}  // namespace murva
