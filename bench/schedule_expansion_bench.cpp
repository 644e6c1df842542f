// Expansion of generated schedules of growing size over every display period.
#include <benchmark/benchmark.h>

#include "schedule/schedule_corpus.h"
#include "schedule/schedule_expansion.h"
#include "schedule/schedule_period.h"

namespace murva {
namespace {

void BM_ExpandEveryPeriod(benchmark::State& state) {
  const std::vector<std::string> entries =
      testing::GenerateScheduleCorpus(static_cast<int>(state.range(0)));
  const TodayFields today = TodayFields::Of(2025, 6, 15);
  FixedClock clock(LocalDateTime{2025, 6, 15, 9, 0, 0});
  std::size_t lines = 0;
  for (auto _ : state) {
    for (int period = kPeriodToday; period < kPeriodCount; ++period) {
      ScheduleOptions options;
      options.period = period;
      options.days_before = 5;
      lines += ExpandMergedLines(entries, options, today, clock).Size();
    }
  }
  benchmark::DoNotOptimize(lines);
  state.SetItemsProcessed(state.iterations() * state.range(0) * (kPeriodCount - 1));
}
BENCHMARK(BM_ExpandEveryPeriod)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace murva
