// libFuzzer target: schedule lines, as MURVA32.SCH and the external file
// hold them, through the editor's reading of a line, the keyword lookup, the
// purge and the whole expansion for a period. The input's first bytes
// choose the options and today; the rest is the file. The expansion's own
// errors (a year that is no number, a start date that is no date) are
// reported to the user; anything else is a finding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/clock.h"
#include "render/today_fields.h"
#include "schedule/color_keyword.h"
#include "schedule/entry_fields.h"
#include "schedule/schedule_errors.h"
#include "schedule/schedule_expansion.h"
#include "schedule/schedule_file.h"
#include "schedule/schedule_purge.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4 || size > 64 * 1024) return 0;
  murva::ScheduleOptions options;
  options.period = data[0] % 11;
  options.days_before = data[1] % 6;
  options.cut_weekday = (data[2] & 1) != 0;
  options.weekday_label_style = (data[2] >> 1) % 8;
  options.birthday = (data[2] & 0x10) ? "80/02/29" : "";
  // Today: around the turns of months and years the repeats cross.
  static constexpr int kDays[][3] = {{2026, 12, 31}, {2024, 2, 29}, {2026, 1, 1},  {2025, 6, 15},
                                     {2099, 12, 31}, {1999, 12, 31}, {2026, 5, 31}, {2027, 3, 1}};
  const auto& day = kDays[data[3] % 8];
  const murva::TodayFields today = murva::TodayFields::Of(day[0], day[1], day[2]);
  const murva::FixedClock clock(murva::LocalDateTime{day[0], day[1], day[2], 9, 0, 0});

  const std::string_view file(reinterpret_cast<const char*>(data) + 4, size - 4);
  std::vector<std::string> lines = murva::SplitLines(file);
  murva::ScheduleList entries(lines);
  for (const std::string& line : entries) {
    murva::EntryFieldsOf(line);
    murva::LookupColorKeyword(murva::KeywordNameOf(line));
    murva::LookupPreviewColor(line);
    murva::IsPastEntry(line, today);
  }
  try {
    murva::ExpandMergedLines(lines, options, today, clock);
  } catch (const murva::ScheduleIntegerError&) {
  } catch (const murva::ScheduleDateError&) {
  }
  murva::RemovePastEntries(entries, today);
  return 0;
}
