// libFuzzer target: iCalendar text, as a calendar file or a subscription
// delivers it, through the reading (libical's parser, the zones, the
// series by UID), the expansion into the days of a window in two zones and
// the lines the schedule list draws. The input's first byte chooses the
// window; the rest is the calendar. A calendar that cannot be read gives an
// error text; anything else is a finding.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "render/today_fields.h"
#include "schedule/calendar_lines.h"
#include "schedule/display_zone.h"
#include "schedule/ical_calendar.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2 || size > 256 * 1024) return 0;
  static const murva::DisplayZone tokyo = *murva::DisplayZone::Named("Asia/Tokyo");
  static const murva::DisplayZone local = murva::DisplayZone::System();
  static constexpr int kDays[][3] = {{2025, 3, 1}, {2024, 2, 29}, {2026, 10, 25}, {1999, 12, 31}};
  const auto& day = kDays[data[0] % 4];
  const murva::TodayFields today = murva::TodayFields::Of(day[0], day[1], day[2]);
  const murva::DateWindow window = murva::CalendarWindowOf(1 + (data[0] >> 2) % 10, today);

  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const auto calendar = murva::ICalendar::Read(text);
  calendar->EventCount();
  std::vector<std::string> warnings;
  for (const murva::DisplayZone* zone : {&tokyo, &local}) {
    for (const murva::CalendarOccurrence& occurrence :
         calendar->Occurrences(window.first, window.last, *zone, &warnings)) {
      murva::OccurrenceLine(occurrence, "Red");
    }
  }
  return 0;
}
