// Composing the wallpaper of the shown page: background, tiling, titles,
// month calendars and schedule list, written as MURVA00.BMP and installed as
// the desktop wallpaper.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

#include "app/run_view.h"
#include "app/wallpaper_canvas.h"
#include "calendar/calendar_ex.h"
#include "calendar/clock.h"
#include "calendar/random_source.h"
#include "platform/process_launcher.h"
#include "platform/wallpaper_installer.h"
#include "render/today_fields.h"
#include "schedule/schedule_list.h"
#include "settings/settings_store.h"
#include "settings/working_copy.h"

namespace murva {

inline constexpr const char* kOutputFileName = "MURVA00.BMP";

// A failure to write an output file.
class OutputWriteError : public std::runtime_error {
 public:
  explicit OutputWriteError(const std::filesystem::path& path)
      : std::runtime_error("ﾌｧｲﾙ " + path.string() + " を作成できません") {}
};

// What a build asks of the window around it.
class BuildHost {
 public:
  virtual ~BuildHost() = default;
  virtual void Repaint() = 0;
  virtual void ShowMessage(const std::string& text,
                           MessageIcon icon = MessageIcon::kInformation) = 0;
  // The action of the close button: close, or restore the shrunk window.
  virtual void CloseButtonAction() = 0;
  // A remark that should not stop anyone (a calendar source that could not
  // be fetched or read): standard error, where the log of an automatic run
  // goes. The control panel shows it in the source's status line.
  virtual void Remark(const std::string& text);
};

// A host for builds nobody watches (the preview's, a resident run's
// checks, measurements): it shows nothing and closes nothing.
class SilentBuildHost : public BuildHost {
 public:
  void Repaint() override {}
  void ShowMessage(const std::string&, MessageIcon) override {}
  void CloseButtonAction() override {}
  void Remark(const std::string&) override {}
};

struct BuildInputs {
  const WorkingCopy& copy;
  const SettingsStore& store;
  TCalendarEx& engine;
  ScheduleList& schedules;        // reloaded from the file by the list drawing
  const TodayFields& today;   // the start-up date
  const Clock& clock;
  RandomSource& random;
  WallpaperInstaller* installer;  // null: nothing is installed
  ScreenSize screen;
  std::filesystem::path program_folder;
};

// Builds the wallpaper of copy.wallpaper_page. Returns the file written, or
// nullopt when the background file is missing (after the message and the
// close button's action). Raises on every other failure, leaving no file.
// It is ComposeWallpaper followed by WriteAndInstallWallpaper.
std::optional<std::filesystem::path> BuildWallpaper(const BuildInputs& inputs, BuildHost& host);

// The picture of copy.wallpaper_page on the given background: loaded, tiled
// to the screen, titles, month calendars and schedule list drawn. Writes no
// file and installs nothing; messages of the drawing go to the host. Raises
// when the background cannot be read.
WallpaperCanvas ComposeWallpaper(const BuildInputs& inputs,
                                 const std::filesystem::path& background, BuildHost& host);

// The parts of ComposeWallpaper. LoadWallpaperBackground reads the picture
// as the 256-colour option asks (0: any format, 1: BMP only, 2: reduced to
// the halftone palette); DrawWallpaper tiles it to the screen when it is
// smaller and draws titles, calendars and schedule list onto it.
WallpaperCanvas LoadWallpaperBackground(const std::filesystem::path& path, int color_256);
void DrawWallpaper(WallpaperCanvas& canvas, const BuildInputs& inputs, BuildHost& host);

// Writes the composed picture as MURVA00.BMP (beside the background or in
// the program folder), records the page used and installs it unless
// make-only is on, handing the installer the picture still in memory along
// with the file. Returns the file written; raises when it cannot be written.
std::filesystem::path WriteAndInstallWallpaper(const BuildInputs& inputs,
                                               const std::filesystem::path& background,
                                               const WallpaperCanvas& canvas);

// The output path of step 12: beside the background, or in the program folder.
std::filesystem::path OutputPathFor(const WorkingCopy& copy,
                                    const std::filesystem::path& background,
                                    const std::filesystem::path& program_folder);

// Whether today (the start-up date) is in the calendar's special-day list.
bool IsSpecialDayToday(const TCalendarEx& engine, const TodayFields& today);

// Starts the special program when it is switched on, today is a special day
// and this is the first build of the day (or a test run). Raises with the
// platform's error number when the start fails.
void LaunchSpecialProgram(const WorkingCopy& copy, const TCalendarEx& engine,
                          const TodayFields& today, bool built_today, bool test_run,
                          ProcessLauncher& launcher);

}  // namespace murva
