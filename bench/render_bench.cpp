// Drawing speed of a large wallpaper: four title lines and six box-form
// months with 3D text on a 3840x2160 canvas.
#include <benchmark/benchmark.h>

#include <QImage>
#include <memory>

#include "bench_gui_app.h"
#include "calendar/calendar_ex.h"
#include "calendar/calendar_ex1.h"
#include "calendar/clock.h"
#include "calendar/julius.h"
#include "calendar/random_source.h"
#include "render/calendar_drawing.h"
#include "render/qt_canvas.h"
#include "render/titles.h"
#include "settings/working_copy.h"

namespace {

void BM_SixBoxMonthsAndFourTitles4K(benchmark::State& state) {
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
  copy.date_font = FontSetting{"ＭＳ ゴシック", 18, 1};
  copy.ActivePage().orientation = kHorizontalCaption;
  copy.layout.calendar_x = 200;
  copy.layout.calendar_y = 600;
  copy.layout.line_spacing = 32;
  copy.layout.day_spacing = 8;
  copy.titles_on = true;
  copy.title_x = 200;
  copy.title_y = 120;
  copy.titles[0] = TitleLine{{"ＭＳ Ｐゴシック", 48, 1}, "48", "$YYYY年$MM月$DD日 $WW"};
  copy.titles[1] = TitleLine{{"ＭＳ Ｐ明朝", 28, 0}, "28", "$yyyy/$mm/$dd ($ww)"};
  copy.titles[2] = TitleLine{{"ＭＳ ゴシック", 20, 2}, "20", "土曜日まであと$WD日"};
  copy.titles[3] = TitleLine{{"ＭＳ ゴシック", 16, 0}, "16", "$os"};
  copy.title_gaps = {70, 50, 40};

  QImage image(3840, 2160, QImage::Format_RGB32);
  for (auto _ : state) {
    state.PauseTiming();
    image.fill(Qt::darkBlue);
    engine->SetJuliusDay(DateToJulius(2026, 12, 6));
    state.ResumeTiming();
    QtCanvas canvas(image);
    DrawTitles(canvas, copy, today, clock);
    DrawCalendars(canvas, *engine, copy, today, random, [](const std::string&) {});
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_SixBoxMonthsAndFourTitles4K)->Unit(benchmark::kMillisecond);

}  // namespace
