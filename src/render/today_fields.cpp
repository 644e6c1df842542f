#include "render/today_fields.h"

#include <cstdio>

namespace murva {

TodayFields TodayFields::Of(int year, int month, int day) {
  TodayFields fields;
  fields.year = year;
  fields.month = month;
  fields.day = day;
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d/", year);
  fields.year_text = buffer;
  std::snprintf(buffer, sizeof buffer, "%02d/", month);
  fields.month_text = buffer;
  std::snprintf(buffer, sizeof buffer, "%02d", day);
  fields.day_text = buffer;
  return fields;
}

}  // namespace murva
