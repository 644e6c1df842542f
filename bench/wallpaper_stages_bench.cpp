// The 4K automatic build stage by stage - decode to canvas, draw, write,
// X11 upload - and as a whole in-process build against the floor's work
// (decode with TurboJPEG, write a 24-bit BMP) done in the same process.
#include <benchmark/benchmark.h>

#include <chrono>

#include "floor_work.h"
#include "page_4k.h"
#include "platform/x11_root_installer.h"
#include "support/xvfb_server.h"

namespace murva {
namespace {

using bench::Page4k;

void BM_Stage_Floor(benchmark::State& state) {
  Page4k& page = Page4k::Shared();
  if (!bench::FloorAvailable()) {
    state.SkipWithError("built without TurboJPEG");
    return;
  }
  const auto output = page.Folder() / "floor.bmp";
  for (auto _ : state) {
    if (!bench::FloorBuild(page.Background(), output)) state.SkipWithError("floor failed");
  }
}
BENCHMARK(BM_Stage_Floor)->Unit(benchmark::kMillisecond);

void BM_Stage_DecodeToCanvas(benchmark::State& state) {
  Page4k& page = Page4k::Shared();
  for (auto _ : state) {
    WallpaperCanvas canvas = LoadWallpaperBackground(page.Background(), 0);
    benchmark::DoNotOptimize(canvas.image.constBits());
  }
}
BENCHMARK(BM_Stage_DecodeToCanvas)->Unit(benchmark::kMillisecond);

void BM_Stage_Draw(benchmark::State& state) {
  Page4k& page = Page4k::Shared();
  SilentBuildHost host;
  const WallpaperCanvas loaded = LoadWallpaperBackground(page.Background(), 0);
  for (auto _ : state) {
    state.PauseTiming();
    WallpaperCanvas canvas = loaded;
    canvas.image.detach();
    state.ResumeTiming();
    DrawWallpaper(canvas, page.Inputs(), host);
  }
}
BENCHMARK(BM_Stage_Draw)->Unit(benchmark::kMillisecond);

void BM_Stage_Write(benchmark::State& state) {
  Page4k& page = Page4k::Shared();
  const WallpaperCanvas canvas = LoadWallpaperBackground(page.Background(), 0);
  for (auto _ : state) {
    if (!WriteBmpFile(canvas, page.Output())) state.SkipWithError("write failed");
  }
}
BENCHMARK(BM_Stage_Write)->Unit(benchmark::kMillisecond);

// The upload of the canvas, from memory, to the root window of a 4K virtual
// screen.
void BM_Stage_X11Upload(benchmark::State& state) {
  testing::XvfbServer server("3840x2160x24");
  if (!server.Running()) {
    state.SkipWithError("Xvfb did not start");
    return;
  }
  Page4k& page = Page4k::Shared();
  const WallpaperCanvas canvas = LoadWallpaperBackground(page.Background(), 0);
  if (!WriteBmpFile(canvas, page.Output())) state.SkipWithError("write failed");
  X11RootInstaller installer(server.Display());
  for (auto _ : state) {
    std::string error;
    if (!installer.InstallPicture(page.Output(), canvas.image, error)) {
      state.SkipWithError(error.c_str());
    }
  }
}
BENCHMARK(BM_Stage_X11Upload)->Unit(benchmark::kMillisecond);

// The whole build without installing, alternating with the floor's work on
// the same background; the counters give both and their ratio.
void BM_BuildAgainstFloor(benchmark::State& state) {
  Page4k& page = Page4k::Shared();
  SilentBuildHost host;
  const auto floor_output = page.Folder() / "floor.bmp";
  using Clock = std::chrono::steady_clock;
  Clock::duration build{}, floor{};
  for (auto _ : state) {
    const auto start = Clock::now();
    benchmark::DoNotOptimize(BuildWallpaper(page.Inputs(), host));
    const auto middle = Clock::now();
    bench::FloorBuild(page.Background(), floor_output);
    floor += Clock::now() - middle;
    build += middle - start;
  }
  const double iterations = static_cast<double>(state.iterations());
  const double build_ms = std::chrono::duration<double, std::milli>(build).count() / iterations;
  const double floor_ms = std::chrono::duration<double, std::milli>(floor).count() / iterations;
  state.counters["build_ms"] = build_ms;
  if (bench::FloorAvailable()) {
    state.counters["floor_ms"] = floor_ms;
    state.counters["build/floor"] = build_ms / floor_ms;
  }
}
BENCHMARK(BM_BuildAgainstFloor)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
}  // namespace murva
