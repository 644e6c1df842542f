// Reading and expanding iCalendar: a 5,000-event calendar with 300 repeat
// rules, parsed and expanded into a 90-day window (the side-by-side run with
// ical.js reads the same file: scripts/bench.sh), and what three cached
// calendars add to a wallpaper build.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/wallpaper_build.h"
#include "bench_calendar.h"
#include "calendar/calendar_ex1.h"
#include "gradient_background.h"
#include "platform/calendar_cache.h"
#include "schedule/ical_calendar.h"
#include "schedule/schedule_period.h"
#include "settings/calendar_source_store.h"
#include "support/temp_folder.h"

namespace murva {
namespace {

void BM_ParseAndExpand90Days(benchmark::State& state) {
  const std::string text = bench::BenchCalendar();
  // The file ical.js reads, when the script asks for it.
  if (const char* path = std::getenv("MURVA_BENCH_CALENDAR_FILE")) testing::WriteBytes(path, text);
  const DisplayZone zone = *DisplayZone::Named("Asia/Tokyo");
  std::size_t occurrences = 0;
  for (auto _ : state) {
    const auto calendar = ICalendar::Read(text);
    occurrences = calendar->Occurrences({2025, 3, 1}, {2025, 5, 29}, zone).size();
    benchmark::DoNotOptimize(occurrences);
  }
  state.counters["occurrences"] = static_cast<double>(occurrences);
}
BENCHMARK(BM_ParseAndExpand90Days)->Unit(benchmark::kMillisecond);

// A build of a 1920x1080 page with a one-month schedule list, without and
// with three cached calendars (one file, two subscriptions' copies) of a few
// hundred events each.
void BM_BuildWithCalendars(benchmark::State& state) {
  const int calendars = static_cast<int>(state.range(0));
  testing::TempFolder folder;
  setenv("XDG_CACHE_HOME", (folder / "cache").c_str(), 1);
  const auto background = bench::SaveGradientBackground(folder / "back.bmp", 1920, 1080, "BMP");
  CalendarSettings settings;
  const CalendarCache cache = CalendarCache::Default();
  for (int k = 0; k < calendars; ++k) {
    const std::string text = bench::BenchCalendar(400, 40);
    if (k == 0) {
      testing::WriteBytes(folder / "file.ics", text);
      settings.sources.push_back({"file", "Red", true, (folder / "file.ics").string(), CalendarUse::kSchedule});
    } else {
      const std::string address = "https://calendar.example.com/bench-" + std::to_string(k) + ".ics";
      std::string error;
      cache.WriteBody(address, text, error);
      settings.sources.push_back({"sub", "Aqua", true, address, CalendarUse::kSchedule});
    }
  }
  SaveCalendarSettings(folder / "MURVA32.INI", settings);
  FixedClock clock({2025, 3, 3, 9, 0, 0});
  SeededRandom random(7);
  auto engine = MakeCalendarEx1(clock);
  engine->Today();
  SettingsStore store(folder / "MURVA32.INI");
  WorkingCopy copy;
  copy.pages[0].path = background.string();
  copy.schedule_range = kPeriodOneMonth;
  copy.layout.schedule_x = 40;
  copy.layout.schedule_y = 400;
  copy.make_only = true;
  ScheduleList schedules;
  const TodayFields today = TodayFields::Of(2025, 3, 3);
  SilentBuildHost host;
  for (auto _ : state) {
    const BuildInputs inputs{copy,  store,  *engine, schedules,              today,
                             clock, random, nullptr, ScreenSize{1920, 1080}, folder.Path()};
    benchmark::DoNotOptimize(BuildWallpaper(inputs, host));
  }
  unsetenv("XDG_CACHE_HOME");
}
BENCHMARK(BM_BuildWithCalendars)->Arg(0)->Arg(3)->Unit(benchmark::kMillisecond);

// The part of the first build of a process that later builds keep: reading
// the three calendars of BM_BuildWithCalendars and expanding a month.
void BM_ReadThreeCalendarsCold(benchmark::State& state) {
  const std::string text = bench::BenchCalendar(400, 40);
  const DisplayZone zone = DisplayZone::System();
  for (auto _ : state) {
    for (int k = 0; k < 3; ++k) {
      const auto calendar = ICalendar::Read(text);
      benchmark::DoNotOptimize(calendar->Occurrences({2025, 3, 3}, {2025, 4, 3}, zone).size());
    }
  }
}
BENCHMARK(BM_ReadThreeCalendarsCold)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace murva
