// The 4K page every wallpaper benchmark builds: a 3840x2160 JPEG background,
// box form, six months, four titles with date macros, the whole schedule
// list of 32 entries, tiling off, output into the program folder. The same
// content as the side-by-side runs against the ImageMagick pipeline.
#pragma once

#include <filesystem>
#include <memory>

#include "app/wallpaper_build.h"
#include "support/temp_folder.h"

namespace murva::bench {

class Page4k {
 public:
  // The background is $MURVA_BENCH_BACKGROUND when set (a JPEG), else a
  // generated 3840x2160 picture of noisy colour gradients saved as JPEG.
  Page4k();
  // One page for the whole benchmark process.
  static Page4k& Shared();

  const std::filesystem::path& Folder() const { return folder_.Path(); }
  const std::filesystem::path& Background() const { return background_; }
  std::filesystem::path Output() const { return folder_.Path() / kOutputFileName; }
  BuildInputs Inputs(WallpaperInstaller* installer = nullptr);
  // Loads the settings again as an automatic run does; returns the page.
  int Reload();

 private:
  testing::TempFolder folder_;
  std::filesystem::path background_;
  FixedClock clock_;
  SeededRandom random_;
  std::unique_ptr<TCalendarEx> engine_;
  std::unique_ptr<SettingsStore> store_;
  WorkingCopy copy_;
  ScheduleList schedules_;
  TodayFields today_;
};

}  // namespace murva::bench
