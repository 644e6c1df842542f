#include "schedule/schedule_options.h"

#include <algorithm>

namespace murva {

int ScheduleOptions::AdvanceDays() const {
  if (period < 2) return 0;
  return std::clamp(days_before, 0, 5);
}

ScheduleOptions ScheduleOptionsOf(const WorkingCopy& copy) {
  ScheduleOptions options;
  options.period = copy.schedule_range;
  options.days_before = copy.days_before;
  options.source = copy.schedule_source;
  options.external_path = std::filesystem::path(copy.external_path);
  options.birthday = copy.birthday;
  options.cut_weekday = copy.cut_weekday;
  options.weekday_label_style = copy.weekday_label_style;
  return options;
}

}  // namespace murva
