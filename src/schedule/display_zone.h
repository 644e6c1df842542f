// The time zone in which the dates and times of calendar events are shown:
// the machine's own (as the clock reads it), or a named zone of the zone
// database (tests, and a user who wants another one).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "schedule/schedule_date.h"

namespace murva {

// A moment on the wall clock of the display zone.
struct WallTime {
  CivilDate date;
  int second_of_day = 0;  // 0 .. 86399
};

class DisplayZone {
 public:
  // The machine's local time, as localtime_r gives it.
  static DisplayZone System();
  // A zone of the zone database ("Asia/Tokyo"), or nullopt when unknown.
  static std::optional<DisplayZone> Named(const std::string& name);

  // "local" for the machine's zone, else the zone's name.
  const std::string& Name() const { return name_; }

  // The wall time of an instant (seconds since 1970 UTC).
  WallTime WallOf(std::int64_t instant) const;

 private:
  DisplayZone() = default;
  std::string name_ = "local";
  void* zone_ = nullptr;  // the database's zone; null: the machine's
};

// Seconds of a wall time counted as if it were UTC: the scale floating
// times are compared on.
std::int64_t WallSeconds(const CivilDate& date, int second_of_day = 0);
WallTime WallTimeOfSeconds(std::int64_t wall_seconds);

}  // namespace murva
