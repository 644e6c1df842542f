// The clock of the resident mode: the real-time clock as seconds since the
// epoch, and the local calendar day of any instant in the time zone in force
// now. Local midnights are found from the day alone, so that a day of 23 or
// 25 hours, a day that begins at 01:00 and a day a zone skips all come out
// right without asking the C library to invent a time that does not exist.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

namespace murva {

struct LocalDay {
  int year = 2000;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  friend auto operator<=>(const LocalDay&, const LocalDay&) = default;
};

// "yyyy/mm/dd", the form of the stored day of the last build (CalMakeDay).
std::string DayText(const LocalDay& day);
// The day of a "yyyy/mm/dd" text; nullopt for anything else.
std::optional<LocalDay> ParseDayText(const std::string& text);

class WatchClock {
 public:
  virtual ~WatchClock() = default;
  // Seconds since 1970-01-01 00:00 UTC.
  virtual std::int64_t Now() const = 0;
  // The local calendar day of an instant, in the time zone in force now.
  virtual LocalDay DayAt(std::int64_t instant) const = 0;
};

// The machine's clock and time zone (the C library's local time).
class SystemWatchClock final : public WatchClock {
 public:
  std::int64_t Now() const override;
  LocalDay DayAt(std::int64_t instant) const override;
};

// The first instant after `after` whose local day is later than the day of
// `after`: the next local midnight, or the first moment of the next day where
// the zone skips midnight.
std::int64_t NextDayStart(const WatchClock& clock, std::int64_t after);

}  // namespace murva
