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
};

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
  // An unattended automatic run that reported an error.
  bool Failed() const { return failed_; }

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

  void BuildShownPage();
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
};

}  // namespace murva
