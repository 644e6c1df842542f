// The calendars read besides the schedule file: iCalendar files on disk and
// subscriptions to an address, each with a name, the colour keyword its
// lines are drawn in, a switch, and what its events are used for.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace murva {

enum class CalendarKind {
  kFile,          // an .ics file on disk
  kSubscription,  // an https://, http:// or webcal:// address
};

enum class CalendarUse {
  kSchedule,     // its events join the schedule list
  kHolidays,     // its all-day events colour their days as holidays ("休日として使う")
  kSpecialDays,  // ... as special days ("特別な日として使う")
};

inline constexpr int kCalendarUseCount = 3;
inline constexpr const char* kCalendarUseCaptions[kCalendarUseCount] = {
    "予定として使う", "休日として使う", "特別な日として使う"};

struct CalendarSource {
  std::string name;     // UTF-8
  std::string color;    // a colour keyword of the schedule list ("Red"); empty: the page's colour
  bool on = true;
  std::string address;  // a file path or an address, as the user gave it
  CalendarUse use = CalendarUse::kSchedule;

  CalendarKind Kind() const;
  bool operator==(const CalendarSource&) const = default;
};

// How often the resident mode fetches the subscriptions again.
inline constexpr int kDefaultRefreshMinutes = 30;
inline constexpr int kMinRefreshMinutes = 5;
inline constexpr int kMaxRefreshMinutes = 24 * 60;

struct CalendarSettings {
  std::vector<CalendarSource> sources;
  int refresh_minutes = kDefaultRefreshMinutes;
  bool operator==(const CalendarSettings&) const = default;
};

// A subscription's address begins with https://, http:// or webcal://
// (letter case aside); anything else names a file.
CalendarKind KindOfAddress(std::string_view address);

// The address a subscription is fetched from: webcal:// becomes https://.
std::string FetchAddressOf(std::string_view address);

// The address as it may be shown: a file's path whole; of a subscription
// the scheme and the host (with its port), the rest masked, because a
// calendar's private address is a password. User names and passwords in the
// address are never shown. An address that does not read as one is masked
// whole.
std::string MaskedAddress(std::string_view address);

// The source as messages name it: its name and its masked address.
std::string SourceLabel(const CalendarSource& source);

// The text with every occurrence of the address (as given and as fetched)
// replaced by its masked form: for texts that may quote it, such as an
// error from a library.
std::string ScrubAddress(std::string text, std::string_view address);

}  // namespace murva
