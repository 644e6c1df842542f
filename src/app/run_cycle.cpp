#include "app/run_cycle.h"

#include <algorithm>
#include <exception>
#include <iostream>

#include "app/calendar_refresh.h"
#include "app/imported_holidays.h"
#include "app/last_wallpaper.h"
#include "app/messages.h"
#include "app/page_choice.h"
#include "app/run_presentation.h"
#include "app/monitor_pages.h"
#include "app/window_placement.h"
#include "app/storable_text.h"
#include "calendar/calendar_ex1.h"
#include "calendar/day_list_lines.h"
#include "calendar/julius.h"
#include "render/set_today_fields.h"
#include "schedule/schedule_file.h"
#include "settings/setting_keys.h"

namespace murva {
namespace {

constexpr Color kYellow = 0x00FFFF;
constexpr Color kLime = 0x00FF00;

struct ModeColors {
  Color panel;
  Color font;
};
constexpr ModeColors kModeColors[] = {
    {0x800000, 0xFFFF00},  // BASIC: navy, aqua
    {0x808000, 0x00FF00},  // WEEK: teal, lime
    {0x808080, 0x00FFFF},  // RANDOM: grey, yellow
    {0x808080, 0xFF00FF},  // NewRANDOM: grey, fuchsia
};

int ValidMode(int mode) { return mode >= 0 && mode <= 3 ? mode : 0; }

}  // namespace

RunCycle::RunCycle(RunView& view, RunEnvironment environment)
    : view_(view), environment_(std::move(environment)) {}

RunCycle::~RunCycle() = default;

bool RunCycle::IsAutomaticStart() const {
  return environment_.first_argument == "-E" || environment_.first_argument == "-e";
}

template <typename Step>
void RunCycle::Guarded(Step step) {
  try {
    step();
  } catch (const std::exception& error) {
    view_.ShowMessage(error.what(), MessageIcon::kError);
    EndUnattendedRun();
  }
}

void RunCycle::FailAutomaticRun(const std::string& reason) {
  if (!IsAutomaticStart() || failed_) return;
  failed_ = true;
  failure_ = reason;
  std::string line = reason;
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  std::cerr << "murva32: " << line << '\n';
}

void RunCycle::EndUnattendedRun() {
  if (!environment_.unattended || !IsAutomaticStart()) return;
  failed_ = true;
  view_.SetTimerEnabled(false);
  view_.CloseMainWindow();
}

void RunCycle::ShowMessage(const std::string& text) { view_.ShowMessage(text, MessageIcon::kWarning); }
void RunCycle::ShowMessage(const std::string& text, MessageIcon icon) { view_.ShowMessage(text, icon); }
void RunCycle::Repaint() { view_.Repaint(); }
void RunCycle::CloseButtonAction() { ButtonCloseClick(); }

void RunCycle::PlaceMainWindow(int x, int y) {
  // A desktop that places windows itself (Wayland) is left to do so.
  if (!environment_.window_placement) return;
  const WindowPlace place = PlaceWindow(WindowPlace{x, y}, view_.WindowSize(),
                                        environment_.monitors, view_.Screen(), IsAutomaticStart());
  stored_place_ = WindowPlace{x, y};
  opened_at_ = place;
  view_.MoveWindow(place.left, place.top);
}

ScreenReference RunCycle::PrimaryReference() const {
  const ScreenSize screen = view_.Screen();
  const MonitorLayout monitors = MonitorsOrScreen(environment_.monitors, screen.width, screen.height);
  const auto primary = std::find_if(monitors.begin(), monitors.end(),
                                    [](const Monitor& monitor) { return monitor.primary; });
  return ReferenceOf(primary != monitors.end() ? *primary : monitors.front());
}

void RunCycle::FormCreate() {
  Guarded([this] {
    // 1-2: the generator is seeded on first use; the engine and today's
    // fields stand on the current date.
    engine_ = MakeCalendarEx1(*environment_.clock);
    state_.today = SetTodayFields(*engine_);
    // 3-6.
    view_.SetVersionLabels(text::kVersion);
    copy_.chosen_set = SettingsSet::kBasic;
    copy_.shown_set = SettingsSet::kBasic;
    state_.program_folder = environment_.program_folder;
    state_.settings_path = environment_.program_folder / "MURVA32.INI";
    state_.schedule_path = environment_.program_folder / "MURVA32.SCH";
    store_ = std::make_unique<SettingsStore>(state_.settings_path);
    // Positions placed before their screen was recorded stand on the
    // primary monitor.
    store_->SetDefaultScreen(PrimaryReference());
    // 7.
    if (store_->FileExists()) {
      store_->LoadSetChoice(copy_);
      state_.built_today = store_->LoadGeneralSettings(copy_, state_.today.TodayText(), *this);
      store_->LoadPageSettings(copy_);
    } else if (IsAutomaticStart()) {
      // An automatic run has nothing to build from: it says where it looked
      // and how to make settings, and ends (FormActivate).
      missing_settings_ = true;
    } else {
      // Something that cannot be read as the settings file is named, and the
      // start goes on as without a settings file.
      const std::string problem = store_->ReadProblemMessage();
      const std::string missing = text::SettingsMissingText(environment_.program_folder.string());
      view_.ShowMessage(problem.empty() ? missing : problem + "\r\r" + missing);
    }
    // 8.
    // The title position ranges over the screen it was placed on.
    if (!copy_.title_screen.Known()) copy_.title_screen = PrimaryReference();
    SettingsStore::InitControlState(copy_, copy_.title_screen.width, copy_.title_screen.height);
    ShowModeIndicator();
    // 9-10.
    LoadScheduleFile(state_.schedule_path, schedules_);
    store_->LoadDayGrids(copy_);
    LoadHolidayLines(*engine_, copy_.holiday_grid, copy_.holiday_method, state_.today.year,
                     state_.today.month);
    ApplyImportedHolidays(*engine_, state_.program_folder);
    LoadSpecialDayLines(*engine_, copy_.special_grid, state_.today.year, state_.today.month);
    // 12-14.
    view_.HighlightWeekdaySelector(JuliusToWeekday(DateToJulius(
        state_.today.year, static_cast<std::uint8_t>(state_.today.month),
        static_cast<std::uint8_t>(state_.today.day))));
    view_.RefreshControls();
    view_.RefreshPagePositions();
    view_.SetCaption(ModeCaption());
    state_.full_client_height = view_.ClientHeight();
    if (!IsAutomaticStart()) {
      for (const std::string& message : environment_.start_messages) view_.ShowMessage(message);
    }
  });
}

std::string NoSettingsForAutomaticRun(const std::vector<std::filesystem::path>& folders,
                                      const std::string& problem) {
  std::string text = problem.empty() ? std::string() : problem + "\r\r";
  text += text::kNoSettingsForRun;
  for (const std::filesystem::path& folder : folders) text += "\r    " + folder.string();
  return text + "\r\r" + text::kHowToMakeSettings;
}

void RunCycle::FormActivate() {
  // The run is decided once, at the first activation. Coming back to the
  // window later (from a message box of the build, or from another program)
  // neither restarts a countdown nor reloads the shown page over the user's
  // unsaved edits.
  if (activated_ || failed_) return;
  activated_ = true;
  Guarded([this] {
    if (!IsAutomaticStart()) {
      store_->RestorePanelPages(copy_);
      store_->LoadPageSettings(copy_);
      // From here on, what differs from the file is the user's.
      edits_.BasicSaved(copy_);
      view_.RefreshControls();
      view_.RefreshPagePositions();
      return;
    }
    if (missing_settings_) {
      view_.ShowMessage(NoSettingsForAutomaticRun(environment_.searched_folders,
                                                  store_->ReadProblemMessage()),
                        MessageIcon::kWarning);
      FailAutomaticRun(text::kRunWithoutSettings);
      view_.CloseMainWindow();
      return;
    }
    if (copy_.always_build || !state_.built_today || copy_.page_choice_mode == kModeRandom ||
        environment_.build_now) {
      if (environment_.first_argument == "-e") view_.MinimizeApplication();
      BeginAutoRun();
      return;
    }
    view_.SetStatus(text::kSkipping, kLime);
    view_.Repaint();
    // The log-on run puts the last wallpaper back on a desktop that forgets
    // it with the session.
    PutBackLastWallpaper(copy_, *store_, environment_.program_folder, environment_.installer);
    view_.CloseMainWindow();
  });
}

int RunCycle::ChoosePageForMode() {
  StoredPaths paths;
  for (int n = 1; n <= kPageCount; ++n) {
    paths[n - 1] = store_->ReadRecord(copy_, KeyName(keys::kEditPathW, n));
  }
  switch (ValidMode(copy_.page_choice_mode)) {
    case kModeWeek: {
      const LocalDateTime now = environment_.clock->Now();
      const int weekday = JuliusToWeekday(DateToJulius(
          now.year, static_cast<std::uint8_t>(now.month), static_cast<std::uint8_t>(now.day)));
      return ChooseWeekdayPage(weekday, copy_.weekday_pages, paths);
    }
    case kModeRandom:
    case kModeNewRandom: {
      const int last = store_->ReadRecordInt(copy_, KeyName(keys::kCalWalLast), keys::kCalWalLast.default_value);
      const std::optional<int> page = ChooseRandomPage(paths, last, *environment_.random);
      if (!page) throw std::runtime_error(text::kNoRandomPage);
      store_->WriteRecord(copy_, KeyName(keys::kCalWalLast), std::to_string(*page));
      return *page;
    }
    default:
      return 1;
  }
}

void RunCycle::ShowWallpaperPage(int page) {
  edits_.LeavePage(copy_.wallpaper_page, copy_.layout);
  copy_.wallpaper_page = page;
  if (const std::optional<PageLayout> kept = edits_.KeptLayout(page)) {
    copy_.layout = *kept;
  } else {
    store_->LoadPageSettings(copy_);
  }
}

void RunCycle::ShowPage(int page) {
  ShowWallpaperPage(page);
  view_.RefreshControls();
  view_.RefreshPagePositions();
}

void RunCycle::BeginAutoRun() {
  Guarded([this] {
    auto_run_started_ = true;
    view_.ShowInfoPanel();
    const int page = ChoosePageForMode();
    ShowPage(page);
    if (copy_.delay_seconds <= 0) {
      view_.SetStatus(text::kStartingBuild, kYellow);
      view_.SetCaption(text::kCaptionBuildNow + std::to_string(page));
      view_.Repaint();
      BuildAndFinish();
      view_.CloseMainWindow();
      return;
    }
    view_.SetStatus(text::kWaiting, kYellow);
    state_.countdown = copy_.delay_seconds;
    view_.SetCountdown(state_.countdown);
    view_.SetCaption(text::kCaptionWaiting + std::to_string(state_.countdown) +
                     text::kCaptionSeconds + std::to_string(page));
    view_.Repaint();
    view_.SetTimerEnabled(true);
  });
}

void RunCycle::TimerDelayTimer() {
  Guarded([this] {
    const int n = state_.countdown - 1;
    state_.countdown = n;
    view_.SetCountdown(n);
    view_.SetCaption(text::kCaptionWaiting + std::to_string(n) + text::kCaptionSeconds +
                     std::to_string(copy_.wallpaper_page));
    if (n < 2) {
      view_.SetStatus(text::kStartingBuild, kYellow);
      view_.SetCaption(text::kCaptionStarting);
    }
    if (n <= 0) {
      view_.SetTimerEnabled(false);
      BuildAndFinish();
      view_.CloseMainWindow();
    }
  });
}

void RunCycle::BuildNow() {
  if (!auto_run_started_ || state_.countdown <= 0) return;
  state_.countdown = 1;
  TimerDelayTimer();
}

void RunCycle::CancelAutoRun() {
  if (!auto_run_started_ || state_.countdown <= 0) return;
  state_.countdown = 0;
  view_.SetTimerEnabled(false);
  FailAutomaticRun(text::kRunCancelled);
  view_.CloseMainWindow();
}

bool RunCycle::BuildShownPage() {
  const BuildInputs inputs{copy_,
                           *store_,
                           *engine_,
                           schedules_,
                           state_.today,
                           *environment_.clock,
                           *environment_.random,
                           // A desktop that cannot take a wallpaper is not asked.
                           environment_.cannot_install.empty() ? environment_.installer : nullptr,
                           view_.Screen(),
                           state_.program_folder};
  last_build_ = BuildMonitorWallpapers(inputs, environment_.monitors, *this);
  if (last_build_.missing_background) {
    FailAutomaticRun(text::kRunBuiltNothing);
    return false;
  }
  if (!environment_.cannot_install.empty() && !copy_.make_only) {
    // Why was said before the build; now where the picture is.
    const std::string file =
        last_build_.wallpapers.empty() ? std::string() : last_build_.wallpapers.front().file.string();
    FailAutomaticRun(text::kWrittenNotSet + file);
    return false;
  }
  if (!last_build_.installed && !copy_.make_only && environment_.installer) {
    FailAutomaticRun(text::kRunInstalledNothing + last_build_.install_error);
    return false;
  }
  return last_build_.Written();
}

// Raises: an error here skips the closing of the window in the caller.
void RunCycle::BuildAndFinish() {
  RefreshSubscriptionsBeforeBuild(state_.program_folder);
  // The day is recorded only for a wallpaper that was made (and installed):
  // after a missing background or a failed install the next log-on, or the
  // resident mode, tries again.
  const bool built = BuildShownPage();
  if (RecordsBuildDay(last_build_.Written(), built,
                      copy_.make_only || (!environment_.installer && environment_.cannot_install.empty()))) {
    store_->WriteRecord(copy_, KeyName(keys::kCalMakeDay), state_.today.TodayText());
  }
  LaunchSpecialProgram(copy_, *engine_, state_.today, state_.built_today, state_.test_run,
                       *environment_.launcher);
}

void RunCycle::SpeedButtonMakeClick() {
  Guarded([this] {
    // The build saves the basic settings and the titles; a text that the
    // settings file cannot hold would come back changed, so nothing is built
    // or written until it is replaced.
    if (const std::optional<UnstorableText> text = FindUnstorableBasicText(copy_)) {
      view_.ShowMessage(UnstorableTextMessage(*text) + kBuildStoppedNote);
      return;
    }
    if (copy_.stealth && !shrunk_) {
      // The height to come back to is the window's as the user left it;
      // the one taken at creation predates the window's showing.
      state_.full_client_height = view_.ClientHeight();
      shrunk_ = true;
      view_.SetShrunk(true, state_.full_client_height);
    }
    view_.Repaint();
    const bool built = BuildShownPage();
    // The day of the build is recorded only when a wallpaper was made.
    store_->SaveBasicSettings(copy_, built ? state_.today.TodayText() : std::string());
    edits_.BasicSaved(copy_);
    store_->SavePageSettings(copy_);
    edits_.PageSaved(copy_.wallpaper_page);
  });
}

void RunCycle::SpeedButtonMakeRightClick() {
  state_.test_run = true;
  view_.MarkTestRun();
  view_.SetCaption(text::kCaptionTestRun);
  BeginAutoRun();
}

void RunCycle::ButtonCloseClick() {
  if (!shrunk_) {
    view_.CloseMainWindow();
    return;
  }
  view_.Repaint();
  shrunk_ = false;
  view_.SetShrunk(false, state_.full_client_height);
}

void RunCycle::ComboBoxWalUseDspChange() {
  ShowModeIndicator();
  view_.SetCaption(ModeCaption());
  copy_.convenience_save_enabled = true;
  view_.RefreshControls();
}

void RunCycle::ShowModeIndicator() {
  const int mode = ValidMode(copy_.page_choice_mode);
  view_.ShowModeIndicator(text::kModeSelectorItems[mode], kModeColors[mode].panel,
                          kModeColors[mode].font);
}

std::string RunCycle::ModeCaption() const {
  return text::kModeCaptions[ValidMode(copy_.page_choice_mode)];
}

void RunCycle::FormClose(int left, int top) {
  if (IsAutomaticStart() || !store_) return;
  // Where the platform cannot report the window's place, the stored place
  // stays as it was.
  if (!environment_.window_placement) return;
  // A window opened elsewhere than its stored place (that place is on no
  // connected monitor now) and not moved keeps the stored place for when
  // that monitor returns.
  if (opened_at_ && stored_place_ && *opened_at_ != *stored_place_ &&
      *opened_at_ == WindowPlace{left, top}) {
    return;
  }
  try {
    store_->SaveWindowPosition(copy_, left, top);
  } catch (const std::exception&) {
    // The window position is not worth a message at the end of the program.
  }
}

}  // namespace murva
