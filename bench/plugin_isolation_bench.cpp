// What running a plug-in that did not ship with the program in the plug-in
// host costs: a 3840 x 2160 background read through the same test plug-in in
// the process and in the host (its data sent there, its 24 MB of pixels sent
// back), vetting a new plug-in, and a start with a known verdict. The
// shipped plug-ins only pay for the check that they are shipped.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>

#include "imaging/plugin_isolation.h"
#include "imaging/spi_bitmap.h"

namespace murva {
namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;

const std::string kPlugin = std::string(MURVA_TEST_PLUGIN_DIR) + "/basic.spi";

// The picture of the test plug-ins' format: "MVTS", width, height.
const std::vector<std::uint8_t>& Picture() {
  static const std::vector<std::uint8_t> bytes = {
      'M', 'V', 'T', 'S', kWidth & 0xFF, kWidth >> 8, kHeight & 0xFF, kHeight >> 8};
  return bytes;
}

fs::path Scratch() {
  static const fs::path folder = [] {
    fs::path path = fs::temp_directory_path() / ("murva-bench-" + std::to_string(getpid()));
    fs::create_directories(path);
    return path;
  }();
  return folder;
}

PluginIsolationSettings Settings(const fs::path& verdicts) {
  PluginIsolationSettings settings;
  settings.host_program = MURVA_SPI_HOST;
  settings.verdict_file = verdicts;
  return settings;
}

void Read(benchmark::State& state, const TSPI& spi) {
  TSPIBitmap bitmap;
  bitmap.SetSPI(dynamic_cast<const TInSPI*>(&spi));
  for (auto _ : state) {
    bitmap.LoadFromStreamWithName(Picture(), "/background.mvt");
    benchmark::DoNotOptimize(bitmap.Image().constBits());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kWidth * kHeight * 3);
}

void BM_ReadInTheProcess(benchmark::State& state) {
  std::unique_ptr<TSPI> spi = CreateSPI(kPlugin);
  if (!spi) throw std::runtime_error("test plug-in missing");
  Read(state, *spi);
}

void BM_ReadInTheHost(benchmark::State& state) {
  auto isolation = std::make_shared<PluginIsolation>(Settings(Scratch() / "read-verdicts"));
  std::unique_ptr<TSPI> spi = isolation->Create(kPlugin);
  if (!spi || !spi->IsHosted()) throw std::runtime_error("test plug-in not hosted");
  Read(state, *spi);
}

// A plug-in seen for the first time: host started, plug-in loaded, its
// texts asked for, a sample looked at, the verdict written.
void BM_VetANewPlugin(benchmark::State& state) {
  int round = 0;
  for (auto _ : state) {
    auto isolation =
        std::make_shared<PluginIsolation>(Settings(Scratch() / ("new-" + std::to_string(++round))));
    benchmark::DoNotOptimize(isolation->Create(kPlugin));
  }
}

// A start that knows the plug-in: the verdict file read, no process.
void BM_StartWithAKnownVerdict(benchmark::State& state) {
  const fs::path verdicts = Scratch() / "known";
  std::make_shared<PluginIsolation>(Settings(verdicts))->Vet({kPlugin});
  for (auto _ : state) {
    auto isolation = std::make_shared<PluginIsolation>(Settings(verdicts));
    benchmark::DoNotOptimize(isolation->Create(kPlugin));
  }
}

// What a shipped plug-in pays: the check that it is one.
void BM_ShippedCheck(benchmark::State& state) {
  PluginIsolationSettings settings = Settings({});
  settings.shipped_folders = {MURVA_TEST_PLUGIN_DIR};
  settings.shipped_names = {"basic.spi"};
  const PluginIsolation isolation(settings);
  for (auto _ : state) benchmark::DoNotOptimize(isolation.IsShipped(kPlugin));
}

BENCHMARK(BM_ReadInTheProcess)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadInTheHost)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VetANewPlugin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartWithAKnownVerdict)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShippedCheck)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace murva
