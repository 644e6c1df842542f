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
#include "app/script_commands.h"
#include "imaging/picture_loader.h"
#include "imaging/spis.h"
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
#include "ui/unattended_run.h"

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

// The shipped plug-ins of an installation, found from the executable's
// folder, so that an installation moved to another prefix still has them.
void SearchInstalledPlugins(const std::filesystem::path& executable_folder) {
#ifdef MURVA_PLUGIN_FOLDER_FROM_BIN
  murva::TSPIs* spis = murva::SPIsInstance();
  if (!spis || executable_folder.empty()) return;
  const std::filesystem::path folder = executable_folder / MURVA_PLUGIN_FOLDER_FROM_BIN;
  std::error_code error;
  if (std::filesystem::is_directory(folder, error)) spis->Search((folder / "*.spi").string());
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
  // The local zone is loaded before anything asks for the time, so that a
  // zone file that is no regular file (a named pipe) never holds the program.
  murva::LoadTimeZone();
  const murva::CommandLine switches = murva::ParseCommandLine({argv + 1, argv + argc});
  if (const int code = ScriptSwitch(switches); code >= 0) return code;
  if (switches.watch) return murva::RunResident(argc, argv, switches.first);

  QApplication application(argc, argv);
  application.setApplicationName(murva::text::kApplicationTitle);
  // No display name: the desktop would add it to every caption, and the
  // captions already begin with the program's name.
  application.setDesktopFileName("murva32");
  application.setWindowIcon(murva::ApplicationIcon());
  murva::InstallQtTranslations(application, QLocale::system());

  std::optional<murva::InstanceLock> lock =
      murva::InstanceLock::Acquire(murva::InstanceLock::DefaultLockFile());
  if (!lock) {
    std::cerr << "murva32: " << murva::text::kAlreadyRunning << '\n';
    // Nobody to read a notice: the caller (the resident mode) tries again.
    if (switches.unattended) return murva::kExitInstanceBusy;
    QMessageBox box(QMessageBox::Information, murva::text::kApplicationTitle,
                    murva::text::kAlreadyRunning, QMessageBox::Ok);
    // An automatic run starts unattended (at log-on, from a script): its
    // notice closes by itself so that the refused start always ends.
    const std::string first = argc > 1 ? argv[1] : "";
    if (first == "-E" || first == "-e") QTimer::singleShot(10000, &box, &QMessageBox::accept);
    box.exec();
    return 0;
  }

  const std::filesystem::path executable_folder = murva::ExecutableFolder();
  murva::InitializePictureFormats(executable_folder);
  SearchInstalledPlugins(executable_folder);
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

  murva::SpawnLauncher launcher;
  std::unique_ptr<murva::WallpaperInstaller> installer =
      murva::MakeWallpaperInstaller(murva::ProcessEnvironment());

  murva::RunEnvironment environment;
  environment.program_folder =
      murva::ResolveProgramFolder(executable_folder, murva::ProcessEnvironment());
  environment.first_argument = argc > 1 ? argv[1] : "";
  environment.launcher = &launcher;
  environment.installer = installer.get();
  environment.unattended = switches.unattended;
  // A run the resident mode started for its "build now" (SIGUSR1).
  environment.build_now = switches.unattended && std::getenv(murva::kBuildNowVariable) != nullptr;
  unsetenv(murva::kBuildNowVariable);
  environment.start_messages = std::move(plugin_messages);
  if (const std::filesystem::path cache = murva::UserCacheFolder(); !cache.empty()) {
    environment.page_sizes_file = cache / "page-sizes";
  }

  murva::TFormMain form(environment);
  if (switches.unattended) new murva::UnattendedRun(form);  // owned by the form
  form.Start();
  const int code = application.exec();
  return switches.unattended && form.Cycle().Failed() ? murva::kExitRunFailed : code;
}
