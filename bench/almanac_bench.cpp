// The cost of the almanac line: six box-form months on a full-HD picture with
// the line off and on, and the table look-ups it makes for every day.
#include <benchmark/benchmark.h>

#include <QImage>
#include <memory>

#include "bench_gui_app.h"
#include "calendar/calendar_ex.h"
#include "calendar/calendar_ex1.h"
#include "calendar/clock.h"
#include "calendar/julius.h"
#include "calendar/old_calendar.h"
#include "calendar/random_source.h"
#include "calendar/solar_terms.h"
#include "render/calendar_drawing.h"
#include "render/qt_canvas.h"
#include "settings/working_copy.h"

namespace {

// Arg 0: no almanac line; 1: rokuyo; 2: rokuyo and solar terms.
void BM_SixBoxMonthsAlmanacFullHd(benchmark::State& state) {
  using namespace murva;
  bench::GuiApp();
  const FixedClock clock(LocalDateTime{2026, 12, 6, 7, 0, 0});
  std::unique_ptr<TCalendarEx> engine = MakeCalendarEx1(clock);
  const TodayFields today = TodayFields::Of(2026, 12, 6);
  SeededRandom random(1);

  WorkingCopy copy;
  copy.calendar_style = 1;
  copy.period = 6;
  copy.text_3d = true;
  copy.show_rokuyo = state.range(0) >= 1;
  copy.show_solar_terms = state.range(0) >= 2;
  copy.ActivePage().orientation = kHorizontalCaption;
  copy.layout.calendar_x = 100;
  copy.layout.calendar_y = 400;

  QImage image(1920, 1080, QImage::Format_RGB32);
  for (auto _ : state) {
    state.PauseTiming();
    image.fill(Qt::darkBlue);
    engine->SetJuliusDay(DateToJulius(2026, 12, 6));
    state.ResumeTiming();
    QtCanvas canvas(image);
    DrawCalendars(canvas, *engine, copy, today, random, [](const std::string&) {});
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_SixBoxMonthsAlmanacFullHd)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// One year of old-calendar dates and solar terms, day by day.
void BM_AlmanacLookupsOneYear(benchmark::State& state) {
  using namespace murva;
  const std::int32_t first = DateToJulius(2033, 1, 1);
  for (auto _ : state) {
    int sum = 0;
    for (std::int32_t j = first; j < first + 365; ++j) {
      int month = 0;
      int day = 0;
      JuliusToOldDate(j, month, day);
      sum += month + day + JuliusToSolarTerm(j);
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_AlmanacLookupsOneYear)->Unit(benchmark::kMicrosecond);

}  // namespace
