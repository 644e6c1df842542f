// The run cycle of the main window: start-up, the run decision at
// activation, the automatic run with its countdown, the manual build, the
// test run, the close button and the end of the program.
//
// Every public handler reports an error that reaches it in a message box and
// skips the rest of that handler, as a window's event handler does.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/run_state.h"
#include "app/run_view.h"
#include "app/unsaved_edits.h"
#include "app/wallpaper_build.h"
#include "calendar/calendar_ex.h"
#include "calendar/clock.h"
#include "calendar/random_source.h"
#include "app/monitor_build.h"
#include "app/window_placement.h"
#include "platform/monitor_layout.h"
#include "platform/process_launcher.h"
#include "platform/wallpaper_installer.h"
#include "schedule/schedule_list.h"
#include "settings/settings_store.h"
#include "settings/working_copy.h"

namespace murva {

struct RunEnvironment {
  std::filesystem::path program_folder;
  std::string first_argument;           // "-E", "-e" or anything else
  const Clock* clock = &SystemLocalClock();
  RandomSource* random = &ProcessRandom();
  ProcessLauncher* launcher = nullptr;  // required
  WallpaperInstaller* installer = nullptr;  // null: never install
  // Nobody is there to answer (a run started by the resident mode or a
  // script): the automatic run always ends, also after an error, which
  // Failed() then tells.
  bool unattended = false;
  // Asked for by the resident mode's "build now": the automatic run builds
  // even when the day's wallpaper is built already.
  bool build_now = false;
  // The screen the wallpaper is built for and the window is placed on;
  // empty: the primary screen (a test names a screen of its own).
  std::optional<ScreenSize> screen;
  // Shown by an interactive start once the settings are loaded (an
  // automatic run only names them on standard error, so that it always
  // ends by itself).
  std::vector<std::string> start_messages;
  // Where the control panel keeps the sizes of its pages between starts
  // (see PageSizes); empty: every start makes every page.
  std::filesystem::path page_sizes_file;
  // The monitors a build makes pictures for; empty: one of the screen's size.
  MonitorLayout monitors;
  // The folders the settings were looked for in, in order (an automatic run
  // without settings names them).
  std::vector<std::filesystem::path> searched_folders;
  // Not empty: the desktop cannot take a wallpaper (why, in Japanese and
  // English); the picture is written, nothing installed, and the run fails.
  std::string cannot_install;
  // Whether the program may place its window and read back where it is (not
  // on Wayland).
  bool window_placement = true;
};

// What an automatic run without a settings file says: where it looked, and
// how to make settings.
std::string NoSettingsForAutomaticRun(const std::vector<std::filesystem::path>& folders,
                                      const std::string& problem);

class RunCycle final : private SettingsHost, private BuildHost {
 public:
  RunCycle(RunView& view, RunEnvironment environment);
  ~RunCycle() override;

  bool IsAutomaticStart() const;

  // Window events.
  void FormCreate();
  void FormActivate();
  void TimerDelayTimer();
  void SpeedButtonMakeClick();       // left click: manual build
  void SpeedButtonMakeRightClick();  // right click: test run
  void ButtonCloseClick();           // "×" / "▼", also Esc
  void ComboBoxWalUseDspChange();
  // The countdown's buttons where there is no window ("今すぐ作成", "中止"):
  // the build comes at once, or the run ends without one.
  void BuildNow();
  void CancelAutoRun();
  void FormClose(int left, int top);

  // Brings wallpaper page n to the front (PageControl1Change): the page
  // left keeps its unsaved layout, and the page shown keeps the edits it
  // has; only a page without unsaved edits is loaded from the file.
  void ShowWallpaperPage(int page);
  // What the window holds unsaved.
  UnsavedEdits& Edits() { return edits_; }
  const UnsavedEdits& Edits() const { return edits_; }

  // Building blocks, public for the window and for tests.
  void BeginAutoRun();
  void BuildAndFinish();
  void ShowModeIndicator() override;
  std::string ModeCaption() const;
  int ChoosePageForMode();

  // The primary monitor as the screen positions are placed on.
  ScreenReference PrimaryReference() const;
  // The monitors a build makes pictures for.
  const MonitorLayout& Monitors() const { return environment_.monitors; }

  WorkingCopy& Copy() { return copy_; }
  const WorkingCopy& Copy() const { return copy_; }
  const RunState& State() const { return state_; }
  const SettingsStore& Store() const { return *store_; }
  TCalendarEx& Engine() { return *engine_; }
  ScheduleList& Schedules() { return schedules_; }
  // The clock the run reads the current date from.
  const Clock& TimeSource() const { return *environment_.clock; }
  bool IsShrunk() const { return shrunk_; }
  bool AutoRunStarted() const { return auto_run_started_; }
  // An automatic run that built or installed nothing (the reason was said).
  bool Failed() const { return failed_; }
  // Why, in one line; empty when it did not fail.
  const std::string& FailureReason() const { return failure_; }
  // What the last build did.
  const MonitorBuildOutcome& LastBuild() const { return last_build_; }

 private:
  template <typename Step>
  void Guarded(Step step);

  // SettingsHost: its messages are warnings about the stored settings.
  void ShowMessage(const std::string& text) override;
  void PlaceMainWindow(int x, int y) override;
  // BuildHost
  void ShowMessage(const std::string& text, MessageIcon icon) override;
  void Repaint() override;
  void CloseButtonAction() override;

  // Builds the shown page for every monitor; true when the pictures were
  // written and, unless only making them was asked, installed.
  bool BuildShownPage();
  // An automatic run fails: the reason goes to standard error.
  void FailAutomaticRun(const std::string& reason);
  // After an error of an unattended automatic run: the run ends.
  void EndUnattendedRun();
  void ShowPage(int page);

  RunView& view_;
  RunEnvironment environment_;
  RunState state_;
  WorkingCopy copy_;
  std::unique_ptr<SettingsStore> store_;
  std::unique_ptr<TCalendarEx> engine_;
  ScheduleList schedules_;
  UnsavedEdits edits_;
  bool shrunk_ = false;
  bool activated_ = false;
  bool auto_run_started_ = false;
  bool failed_ = false;
  bool missing_settings_ = false;  // an automatic start found no settings file
  std::string failure_;
  std::optional<WindowPlace> stored_place_;  // where the settings put the window
  std::optional<WindowPlace> opened_at_;     // where it was opened
  MonitorBuildOutcome last_build_;
};

}  // namespace murva
