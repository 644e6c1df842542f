// The text codec on what it converts most: short settings values and
// schedule lines, one conversion per call, and a whole settings load.
#include <benchmark/benchmark.h>

#include "page_4k.h"
#include "settings/cp932.h"

namespace murva {
namespace {

void BM_Cp932_DecodeShortValue(benchmark::State& state) {
  const std::string bytes = EncodeCp932Lossy("ＭＳ Ｐゴシック");
  for (auto _ : state) benchmark::DoNotOptimize(DecodeCp932(bytes));
}
BENCHMARK(BM_Cp932_DecodeShortValue);

void BM_Cp932_EncodeShortValue(benchmark::State& state) {
  const std::string text = "000$YYYY年$MM月$DD日 $WW";
  for (auto _ : state) benchmark::DoNotOptimize(EncodeCp932(text));
}
BENCHMARK(BM_Cp932_EncodeShortValue);

void BM_Cp932_DecodeLossyLine(benchmark::State& state) {
  const std::string bytes = EncodeCp932Lossy("26/12/08 00 1 予定の項目 0 会議と打ち合わせ%Yellow%");
  for (auto _ : state) benchmark::DoNotOptimize(DecodeCp932Lossy(bytes));
}
BENCHMARK(BM_Cp932_DecodeLossyLine);

// The settings an automatic run reads before it builds: set choice, general
// settings, the page, the day lists.
void BM_Cp932_LoadSettingsOfThe4kPage(benchmark::State& state) {
  bench::Page4k& page = bench::Page4k::Shared();
  for (auto _ : state) benchmark::DoNotOptimize(page.Reload());
}
BENCHMARK(BM_Cp932_LoadSettingsOfThe4kPage)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace murva
