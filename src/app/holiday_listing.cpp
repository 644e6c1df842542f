#include "app/holiday_listing.h"

#include "app/calendar_collection.h"
#include "app/imported_holidays.h"
#include "calendar/calendar_ex1.h"
#include "calendar/day_list_lines.h"
#include "calendar/day_type.h"
#include "calendar/julius.h"
#include "settings/calendar_source_store.h"
#include "settings/settings_store.h"

namespace murva {
namespace {

// The user's own holidays carry this name in the engine's lines.
constexpr const char* kUserHolidayLineName = "Dummy";
constexpr const char* kUserHolidayName = "休日";

}  // namespace

std::vector<std::string> HolidaysOfYear(const std::filesystem::path& program_folder, int year,
                                        std::vector<std::string>& problems) {
  const FixedClock clock(LocalDateTime{year, 1, 1, 0, 0, 0});
  const std::unique_ptr<TCalendarEx> engine = MakeCalendarEx1(clock);
  const SettingsStore store(program_folder / "MURVA32.INI");
  WorkingCopy copy;
  try {
    if (store.LoadQuietly(copy)) store.LoadDayGrids(copy);
  } catch (const std::exception& error) {
    problems.push_back(error.what());
  }
  // The user's days as they stand in that year.
  LoadHolidayLines(*engine, copy.holiday_grid, copy.holiday_method, year, 1);
  std::string problem;
  engine->SetListedHolidays(LoadImportedHolidays(program_folder, &problem));
  if (!problem.empty()) problems.push_back(problem);
  engine->ClearSpecialDayList();

  const CalendarSettings settings = LoadCalendarSettings(store.Path());
  CalendarSettings holiday_sources;
  for (const CalendarSource& source : settings.sources) {
    if (source.use == CalendarUse::kHolidays) holiday_sources.sources.push_back(source);
  }
  if (!holiday_sources.sources.empty()) {
    const DateWindow year_window{{year, 1, 1}, {year, 12, 31}};
    CalendarContribution days = CollectCalendars(holiday_sources, CalendarCache::Default(),
                                                 year_window, year_window, DisplayZone::System());
    problems.insert(problems.end(), days.problems.begin(), days.problems.end());
    engine->SetCalendarDays(std::move(days.holidays), {});
  }

  std::vector<std::string> lines;
  try {
  for (int month = 1; month <= 12; ++month) {
    for (int day = 1; day <= MonthDays(year, month); ++day) {
      if ((engine->DayTypeOf(year, month, day) & (dtHoliday | dtSubstitute)) == 0) continue;
      std::string names = engine->DayTextOf(year, month, day);
      for (std::size_t at = names.find(kUserHolidayLineName); at != std::string::npos;
           at = names.find(kUserHolidayLineName, at)) {
        names.replace(at, std::string(kUserHolidayLineName).size(), kUserHolidayName);
      }
      char date[40];
      std::snprintf(date, sizeof date, "%04d/%02d/%02d", year, month, day);
      lines.push_back(std::string(date) + " " + names);
    }
  }
  } catch (const std::exception& error) {
    // A hand-edited day line that does not read.
    problems.push_back(error.what());
  }
  return lines;
}

}  // namespace murva
