// The program block: one instance at a time, then the control panel. A few
// switches for scripts (the log-on run) do their work without a window.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <vector>

#include "app/messages.h"
#include "app/resident_mode.h"
#include "app/command_line.h"
#include "app/program_plugins.h"
#include "app/script_commands.h"
#include "imaging/picture_loader.h"
#include "platform/autostart_entry.h"
#include "platform/cache_folder.h"
#include "platform/instance_lock.h"
#include "platform/process_launcher.h"
#include "platform/program_folder.h"
#include "platform/time_zone_watch.h"
#include "platform/wallpaper_installer.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/application_look.h"
#include "ui/form_main.h"
#include "ui/dialogs.h"
#include "ui/qt_colors.h"
#include "app/headless_run.h"
#include "app/run_presentation.h"
#include "app/unattended_report.h"
#include "platform/monitor_layout.h"
#include "platform/session_facts.h"

namespace {

// The log-on run switched from a script: the autostart entry is written or
// removed, and the choice is recorded in the settings of the set in use so
// that the control panel shows it.
int AutostartSwitch(const murva::CommandLine& command) {
  const murva::EnvironmentLookup environment = murva::ProcessEnvironment();
  const std::filesystem::path entry = murva::AutostartEntryPath(environment);
  const std::string& value = command.autostart;
  if (value == "status") {
    const murva::LogOnRunState state = murva::ReadLogOnRun(entry);
    std::cout << (!state.on ? "off" : state.watch ? "on --watch" : "on") << '\n';
    return 0;
  }
  const bool on = value == "on";
  const bool watch = command.autostart_watch.value_or(false);
  try {
    murva::SetLogOnRun(on, environment, murva::ExecutableFile(), watch);
  } catch (const std::exception& error) {
    std::cerr << "murva32: the log-on run could not be switched " << value << ": " << error.what()
              << '\n';
    return 1;
  }
  try {
    const std::filesystem::path folder =
        murva::ResolveProgramFolder(murva::ExecutableFolder(), environment);
    const murva::SettingsStore store(folder / "MURVA32.INI");
    murva::WorkingCopy copy;
    if (store.FileExists()) store.LoadSetChoice(copy);
    store.WriteRecord(copy, murva::KeyName(murva::keys::kCalAutoRun), on ? "1" : "0");
    if (on) store.WriteRecord(copy, murva::KeyName(murva::keys::kCalWatchOn), watch ? "1" : "0");
  } catch (const std::exception& error) {
    std::cerr << "murva32: the log-on run is " << value << ", but the setting was not recorded: "
              << error.what() << '\n';
    return 1;
  }
  std::cout << "murva32: log-on run " << value << (on && watch ? " --watch" : "") << " ("
            << entry.string() << ")\n";
  return 0;
}

// The switches that do their work without the control panel; -1 for the
// panel and the automatic run.
int ScriptSwitch(const murva::CommandLine& command) {
  using murva::CommandAction;
  if (!command.error.empty()) {
    std::cerr << "murva32: " << command.error << '\n' << murva::ShortUsage();
    return murva::kExitUsage;
  }
  switch (command.action) {
    case CommandAction::kHelp:
      std::cout << murva::UsageText();
      return 0;
    case CommandAction::kVersion:
      std::cout << "murva32 " << murva::VersionNumber() << '\n';
      return 0;
    case CommandAction::kAutostart: return AutostartSwitch(command);
    case CommandAction::kRender: return murva::RunRenderCommand(command);
    case CommandAction::kAgenda: return murva::RunAgendaCommand(command);
    case CommandAction::kListHolidays: return murva::RunListHolidaysCommand(command);
    case CommandAction::kImportHolidays: return murva::RunImportHolidaysCommand(command);
    case CommandAction::kMonitors: return murva::RunMonitorsCommand(command);
    case CommandAction::kPanel:
    case CommandAction::kAutomatic: break;
  }
  return -1;
}

// The plug-ins, searched once; their faults so far are named on standard
// error, and those found just now are returned for an interactive start.
std::vector<std::string> PreparePictureFormats(const std::filesystem::path& executable_folder) {
  murva::InitializeProgramPictureFormats(executable_folder);
  // Plug-ins that are not used because they crashed, aborted or hung are
  // named on standard error; one found faulty just now is also shown by an
  // interactive start. Faults found later, while a picture is read, are
  // named on standard error as they come.
  std::vector<std::string> plugin_messages;
  for (const murva::PluginNotice& notice : murva::TakePluginNotices()) {
    std::cerr << "murva32: " << notice.text << '\n';
    if (notice.fresh) plugin_messages.push_back(notice.text);
  }
  murva::SetPluginNoticeHandler([](const murva::PluginNotice& notice) {
    std::cerr << "murva32: " << notice.text << '\n';
  });
  return plugin_messages;
}

// What the run decision needs of the session. A run nobody watches asks the
// session nothing it does not need.
murva::SessionAbilities AbilitiesOf(const murva::SessionFacts& facts) {
  murva::SessionAbilities abilities;
  abilities.display = facts.display != murva::DisplayKind::kNone;
  abilities.can_minimise = facts.can_minimise;
  abilities.tiling = facts.tiling;
  abilities.notifications = facts.notifications;
  abilities.notification_actions = facts.notification_actions;
  return abilities;
}

// "ＭＵＲＶＡ３２は既に起動しています": said and waited for where somebody
// can answer; an automatic start's notice closes by itself so that a refused
// start always ends.
int RefuseSecondInstance(const murva::CommandLine& switches, bool boxes) {
  std::cerr << "murva32: " << murva::text::kAlreadyRunning << '\n';
  // Nobody to read a notice: the caller (the resident mode) tries again.
  if (switches.unattended) return murva::kExitInstanceBusy;
  if (!boxes) return 0;
  QMessageBox box(QMessageBox::Information, murva::text::kApplicationTitle,
                  murva::text::kAlreadyRunning, QMessageBox::Ok);
  if (switches.action == murva::CommandAction::kAutomatic) {
    QTimer::singleShot(10000, &box, &QMessageBox::accept);
  }
  box.exec();
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  // The local zone is loaded before anything asks for the time, so that a
  // zone file that is no regular file (a named pipe) never holds the program.
  murva::LoadTimeZone();
  const murva::CommandLine switches = murva::ParseCommandLine({argv + 1, argv + argc});
  if (const int code = ScriptSwitch(switches); code >= 0) return code;
  if (switches.watch) return murva::RunResident(argc, argv, switches.first);

  const murva::EnvironmentLookup session_environment = murva::ProcessEnvironment();
  const bool automatic = switches.action == murva::CommandAction::kAutomatic;
  // A run nobody watches shows nothing: it asks the session only what the
  // wallpaper needs (which desktop, a Wayland compositor's protocols).
  murva::SessionQuestions questions;
  if (switches.unattended) questions = {false, false, false};
  const murva::SessionFacts facts = murva::DiscoverSession(session_environment, questions);
  const murva::RunPresentation shown =
      murva::DecidePresentation({automatic, switches.minimised, switches.unattended},
                                AbilitiesOf(facts));
  const bool interactive = switches.action == murva::CommandAction::kPanel;
  if (interactive && facts.display == murva::DisplayKind::kNone) {
    std::cerr << "murva32: " << murva::text::kNoDisplayForPanel << '\n';
    return murva::kExitRunFailed;
  }
  // A run that shows nothing needs no display: it draws off screen, so that
  // it works where there is no display server for Qt (and costs less).
  if (!shown.window && !shown.message_boxes) qputenv("QT_QPA_PLATFORM", "offscreen");
  std::unique_ptr<QGuiApplication> application;
  if (shown.window || shown.message_boxes) {
    application = std::make_unique<QApplication>(argc, argv);
  } else {
    application = std::make_unique<QGuiApplication>(argc, argv);
  }
  application->setApplicationName(murva::text::kApplicationTitle);
  // No display name: the desktop would add it to every caption, and the
  // captions already begin with the program's name.
  QGuiApplication::setDesktopFileName("murva32");
  if (shown.window || shown.message_boxes) {
    QGuiApplication::setWindowIcon(murva::ApplicationIcon());
    murva::InstallQtTranslations(*application, QLocale::system());
  }

  std::optional<murva::InstanceLock> lock =
      murva::InstanceLock::Acquire(murva::InstanceLock::DefaultLockFile());
  if (!lock) return RefuseSecondInstance(switches, shown.message_boxes);

  const std::filesystem::path executable_folder = murva::ExecutableFolder();
  std::vector<std::string> plugin_messages = PreparePictureFormats(executable_folder);

  murva::SpawnLauncher launcher;
  murva::DesktopAbilities desktop;
  desktop.layer_shell = facts.layer_shell;
  std::unique_ptr<murva::WallpaperInstaller> installer =
      murva::MakeWallpaperInstaller(session_environment, desktop);

  murva::RunEnvironment environment;
  environment.program_folder = murva::ResolveProgramFolder(executable_folder, session_environment);
  environment.searched_folders = murva::ProgramFolderCandidates(executable_folder, session_environment);
  environment.first_argument = switches.first;
  environment.launcher = &launcher;
  environment.installer = installer.get();
  environment.unattended = switches.unattended;
  // A run the resident mode started for its "build now" (SIGUSR1).
  environment.build_now = switches.unattended && std::getenv(murva::kBuildNowVariable) != nullptr;
  unsetenv(murva::kBuildNowVariable);
  environment.start_messages = std::move(plugin_messages);
  environment.monitors = murva::DiscoverMonitors(session_environment);
  environment.window_placement = facts.window_placement;
  if (automatic && !installer->CanInstall()) {
    // Said before anything is built; the picture is still written, for the
    // user to set by hand.
    environment.cannot_install = installer->CannotInstallReason();
    murva::ReportUnattended(environment.cannot_install);
  }
  if (const std::filesystem::path cache = murva::UserCacheFolder(); !cache.empty()) {
    environment.page_sizes_file = cache / "page-sizes";
  }

  if (!shown.window) {
    murva::HeadlessOptions options;
    options.notification_countdown = shown.notification_countdown;
    options.notification_buttons = shown.notification_buttons;
    if (!environment.monitors.empty()) {
      options.screen = {environment.monitors.front().pixel_width,
                        environment.monitors.front().pixel_height};
    }
    if (shown.message_boxes) {
      options.show_message = [](const std::string& text, murva::MessageIcon icon) {
        murva::StandardDialogs().Message(nullptr, murva::MessageText(text), icon);
      };
    } else {
      options.show_message = [](const std::string& text, murva::MessageIcon) {
        murva::ReportUnattended(text);
      };
    }
    murva::HeadlessRun run(std::move(environment), std::move(options));
    return run.Exec();
  }

  murva::TFormMain form(environment);
  if (shown.floating) form.KeepFloating();
  form.Start();
  const int code = application->exec();
  return automatic && form.Cycle().Failed() ? murva::kExitRunFailed : code;
}
