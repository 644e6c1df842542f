#include "app/agenda.h"

#include <algorithm>
#include <cstdio>

#include "app/calendar_collection.h"
#include "calendar/clock.h"
#include "platform/calendar_cache.h"
#include "render/today_fields.h"
#include "schedule/color_keyword.h"
#include "schedule/external_schedule.h"
#include "schedule/schedule_errors.h"
#include "schedule/schedule_expansion.h"
#include "schedule/schedule_file.h"
#include "schedule/schedule_options.h"
#include "schedule/schedule_period.h"
#include "settings/cp932.h"

namespace murva {
namespace {


// The colour keyword of a line as the drawing reads it (the name extended
// by four blanks, cut to seven characters and looked up in the table), by
// the name of its item; empty when the line has none.
std::string ColorItemOf(const std::string& line) {
  std::string name = DecodeCp932Lossy(KeywordNameOf(line));
  if (name.empty()) return {};
  name = (name + "    ").substr(0, 7);
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const std::size_t position = kColorKeywordTable.find(name);
  if (position == std::string_view::npos) return {};
  return kColorKeywordItems[position / 10];
}

// The output lines of the schedule list on one day standing as today, from
// one of the file sources.
void AddFileEntries(const AgendaRequest& request, const CivilDate& day, int source,
                    const std::string& source_name, std::vector<std::pair<std::string, AgendaItem>>& out,
                    std::vector<std::string>& problems) {
  ScheduleOptions options = ScheduleOptionsOf(request.copy);
  options.period = kPeriodToday;
  options.days_before = 0;
  options.source = source;
  options.cut_weekday = true;
  if (source != kSourceOwn) options.birthday.clear();
  const TodayFields today = TodayFields::Of(day.year, day.month, day.day);
  const FixedClock clock(LocalDateTime{day.year, day.month, day.day, 0, 0, 0});
  ScheduleList entries;
  try {
    const ScheduleList lines = ExpandSchedule(entries, request.program_folder / kScheduleFileName,
                                              options, today, clock);
    for (const std::string& line : lines) {
      AgendaItem item;
      item.date = day;
      const std::string text = line.size() > 11 ? line.substr(11) : std::string();
      item.text = DecodeCp932Lossy(text.substr(0, text.find('%')));
      item.color = ColorItemOf(line);
      item.source = source_name;
      out.emplace_back(line, std::move(item));
    }
  } catch (const std::exception& error) {
    const std::string problem = source_name + "：" + error.what();
    if (std::find(problems.begin(), problems.end(), problem) == problems.end()) {
      problems.push_back(problem);
    }
  }
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string JsonOrNull(const std::string& text) { return text.empty() ? "null" : JsonString(text); }

}  // namespace

CalendarSource CommandLineSource(const std::string& file_or_address) {
  CalendarSource source;
  source.address = file_or_address;
  if (source.Kind() == CalendarKind::kFile) {
    source.address = std::filesystem::absolute(file_or_address).string();
    source.name = std::filesystem::path(file_or_address).filename().string();
  } else {
    source.name = MaskedAddress(file_or_address);
  }
  return source;
}

std::vector<AgendaItem> CollectAgenda(const AgendaRequest& request, const DisplayZone& zone,
                                      std::vector<std::string>& problems) {
  std::vector<std::pair<std::string, AgendaItem>> keyed;
  const int source = request.copy.schedule_source;
  const std::string external_name =
      std::filesystem::path(request.copy.external_path).filename().string();
  for (int k = 0; k < request.days; ++k) {
    const CivilDate day = AddDays(request.first, k);
    if (source != kSourceExternal) {
      AddFileEntries(request, day, kSourceOwn, kScheduleFileName, keyed, problems);
    }
    if (source != kSourceOwn) {
      AddFileEntries(request, day, kSourceExternal, external_name, keyed, problems);
    }
  }
  const DateWindow window{request.first, AddDays(request.first, request.days - 1)};
  const CalendarContribution calendars = CollectCalendars(
      request.calendars, CalendarCache::Default(), window, window, zone);
  problems.insert(problems.end(), calendars.problems.begin(), calendars.problems.end());
  for (std::size_t i = 0; i < calendars.occurrences.size(); ++i) {
    const SourceOccurrence& found = calendars.occurrences[i];
    const CalendarSource& calendar = request.calendars.sources[found.source];
    CalendarOccurrence without_time = found.occurrence;
    without_time.start_minute = -1;
    AgendaItem item;
    item.date = found.occurrence.date;
    if (found.occurrence.start_minute >= 0) item.time = StartTimeText(found.occurrence.start_minute);
    item.text = OccurrenceText(without_time);
    item.color = calendar.color;
    item.source = calendar.name.empty() ? MaskedAddress(calendar.address) : calendar.name;
    const DatedLine& line = calendars.lines[i];
    keyed.emplace_back(line.date + " " + line.text, std::move(item));
  }
  // The list's order: the lines' bytes.
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<AgendaItem> items;
  for (auto& [line, item] : keyed) items.push_back(std::move(item));
  return items;
}

std::string AgendaLine(const AgendaItem& item) {
  std::string line = DateText(item.date);
  if (!item.time.empty()) line += " " + item.time;
  return line + " " + item.text;
}

std::string AgendaJson(const std::vector<AgendaItem>& items) {
  std::string json = "[";
  for (std::size_t i = 0; i < items.size(); ++i) {
    const AgendaItem& item = items[i];
    char date[40];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", item.date.year, item.date.month, item.date.day);
    json += i == 0 ? "\n" : ",\n";
    json += "{\"date\":\"" + std::string(date) + "\",\"time\":" + JsonOrNull(item.time) +
            ",\"text\":" + JsonString(item.text) + ",\"colour\":" + JsonOrNull(item.color) +
            ",\"source\":" + JsonString(item.source) + "}";
  }
  return json + (items.empty() ? "]\n" : "\n]\n");
}

}  // namespace murva
