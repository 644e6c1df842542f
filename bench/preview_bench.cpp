// One redraw of the live preview after a position bar moved: a 1920x1080
// page with six box-form months, four title lines and 30 schedule lines,
// the background already decoded. The redraw composes the page with the
// build's drawing code, scales it to a 480x270 preview and finds where the
// calendar and the schedule list landed.
#include <benchmark/benchmark.h>


#include "app/background_cache.h"
#include "app/wallpaper_preview.h"
#include "gradient_background.h"
#include "calendar/calendar_ex1.h"
#include "settings/cp932.h"
#include "support/temp_folder.h"

namespace murva {
namespace {

void BM_PreviewRedrawAfterAPositionChange(benchmark::State& state) {
  testing::TempFolder folder;
  const auto background = bench::SaveGradientBackground(folder / "back.bmp", 1920, 1080, "BMP");

  // Thirty entries, every one of them listed.
  std::string entries;
  for (int day = 1; day <= 30; ++day) {
    char line[64];
    std::snprintf(line, sizeof line, "26/12/%02d 00 1 予定その%d%s\r\n", day, day,
                  day % 5 == 0 ? "%Red%" : "");
    entries += line;
  }
  testing::WriteBytes(folder / "MURVA32.SCH", *EncodeCp932(entries));

  FixedClock clock({2026, 12, 7, 9, 0, 0});
  PreviewScene scene;
  WorkingCopy& copy = scene.copy;
  copy.pages[0].path = background.string();
  copy.calendar_style = 1;  // box form
  copy.period = 6;          // this month and five more
  copy.layout.calendar_x = 100;
  copy.layout.calendar_y = 60;
  copy.layout.schedule_x = 1400;
  copy.layout.schedule_y = 300;
  copy.schedule_range = 4;  // every entry
  copy.titles_on = true;
  copy.title_x = 80;
  copy.title_y = 900;
  const char* titles[] = {"$YYYY年$MM月$DD日 ($WW)", "週末まであと$WD日", "MURVA32", "今日も一日"};
  for (int line = 0; line < kTitleLineCount; ++line) copy.titles[line].text = titles[line];
  const auto engine = MakeCalendarEx1(clock);
  scene.holiday_lines = engine->HolidayList();
  scene.special_day_lines = engine->SpecialDayList();
  scene.today = TodayFields::Of(2026, 12, 7);
  scene.clock = &clock;
  scene.screen = {1920, 1080};
  scene.program_folder = folder.Path();

  BackgroundCache cache;
  const WallpaperCanvas decoded = cache.Get(background, 0);
  int step = 0;
  for (auto _ : state) {
    copy.layout.calendar_x = 100 + (++step % 50) * 7;
    const PreviewPicture drawn = DrawPreview(scene, decoded, QSize(480, 270));
    benchmark::DoNotOptimize(drawn.image.constBits());
  }
}
BENCHMARK(BM_PreviewRedrawAfterAPositionChange)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace murva
