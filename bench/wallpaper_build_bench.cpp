// One wallpaper build from a 3840x2160 background: load, tile (the screen is
// larger still), draw, write. In-process through BuildWallpaper, and as a
// whole automatic run of the real program on a virtual X server.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>


#include "app/wallpaper_build.h"
#include "calendar/calendar_ex1.h"
#include "gradient_background.h"
#include "support/temp_folder.h"
#include "support/xvfb_server.h"

namespace murva {
namespace {

void BM_BuildInProcess(benchmark::State& state, const char* format, const char* name) {
  testing::TempFolder folder;
  const auto background = bench::SaveGradientBackground(folder / name, 3840, 2160, format);
  FixedClock clock({2026, 12, 7, 9, 0, 0});
  SeededRandom random(7);
  auto engine = MakeCalendarEx1(clock);
  engine->Today();
  SettingsStore store(folder / "MURVA32.INI");
  WorkingCopy copy;
  copy.pages[0].path = background.string();
  copy.layout.calendar_x = 3000;
  copy.layout.calendar_y = 100;
  copy.calendar_style = 1;
  copy.period = 1;
  ScheduleList schedules;
  const TodayFields today = TodayFields::Of(2026, 12, 7);
  SilentBuildHost host;
  for (auto _ : state) {
    const BuildInputs inputs{copy,   store,  *engine, schedules,           today,
                             clock,  random, nullptr, ScreenSize{3840, 2400}, folder.Path()};
    benchmark::DoNotOptimize(BuildWallpaper(inputs, host));
  }
}
BENCHMARK_CAPTURE(BM_BuildInProcess, bmp, "BMP", "back.bmp")->Unit(benchmark::kMillisecond);

// The whole program: start, load the settings, build, install on the root
// window of a virtual 3840x2400 screen, end.
void BM_BuildWholeProcess(benchmark::State& state) {
  testing::XvfbServer server("3840x2400x24");
  if (!server.Running()) {
    state.SkipWithError("Xvfb did not start");
    return;
  }
  testing::TempFolder folder;
  const auto background = bench::SaveGradientBackground(folder / "back.bmp", 3840, 2160, "BMP");
  const std::string ini = "[MURVA32PRE]\r\nCalenSelBa=1\r\n[Murva32V4]\r\nCalendStyl=1\r\n"
                          "CalendPerd=1\r\nCalendWX11=3000\r\nEditPathW1=" +
                          background.string() + "\r\n";
  testing::WriteBytes(folder / "MURVA32.INI", ini);
  const std::string program = std::string(MURVA_BIN_DIR) + "/murva32";
  for (auto _ : state) {
    const pid_t pid = fork();
    if (pid == 0) {
      setenv("DISPLAY", server.Display().c_str(), 1);
      setenv("MURVA32_HOME", folder.Path().c_str(), 1);
      setenv("XDG_RUNTIME_DIR", folder.Path().c_str(), 1);
      unsetenv("XDG_CURRENT_DESKTOP");
      unsetenv("QT_QPA_PLATFORM");
      execl(program.c_str(), program.c_str(), "-E", static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("murva32 failed");
      return;
    }
  }
}
BENCHMARK(BM_BuildWholeProcess)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace murva
