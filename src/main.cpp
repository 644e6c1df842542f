// The program block: one instance at a time, then the control panel. A few
// switches for scripts (the log-on run) do their work without a window.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstring>
#include <iostream>
#include <vector>

#include "app/messages.h"
#include "app/resident_mode.h"
#include "app/run_switches.h"
#include "imaging/picture_loader.h"
#include "imaging/spis.h"
#include "platform/autostart_entry.h"
#include "platform/cache_folder.h"
#include "platform/instance_lock.h"
#include "platform/process_launcher.h"
#include "platform/program_folder.h"
#include "platform/wallpaper_installer.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/application_look.h"
#include "ui/form_main.h"
#include "ui/unattended_run.h"

namespace {

constexpr const char* kUsage =
    "usage: murva32            the control panel\n"
    "       murva32 -E         automatic run: build and install today's wallpaper, then close\n"
    "       murva32 -e         the same, minimised\n"
    "       murva32 -E --watch (or -e --watch) the automatic run, then stay without a window\n"
    "                          and run again at midnight, after a wake from suspend and when\n"
    "                          the clock or the time zone changes\n"
    "       murva32 -E --unattended\n"
    "                          an automatic run that reports to standard error and the\n"
    "                          desktop's notifications instead of waiting in message boxes\n"
    "       murva32 --autostart on|off|status\n"
    "                          start an automatic run at every log-on (an XDG autostart\n"
    "                          entry), stop doing so, or tell whether it is on\n"
    "       murva32 --autostart on --watch|--no-watch\n"
    "                          the log-on run with --watch, or without it\n"
    "       murva32 --help\n";

// The log-on run switched from a script: the autostart entry is written or
// removed, and the choice is recorded in the settings of the set in use so
// that the control panel shows it.
int AutostartSwitch(const std::string& value, const std::vector<std::string>& flags) {
  const murva::EnvironmentLookup environment = murva::ProcessEnvironment();
  const std::filesystem::path entry = murva::AutostartEntryPath(environment);
  const bool watch = flags.size() == 1 && flags.front() == "--watch";
  const bool flags_valid = flags.empty() || (value == "on" && flags.size() == 1 &&
                                             (watch || flags.front() == "--no-watch"));
  if ((value != "on" && value != "off" && value != "status") || !flags_valid) {
    std::cerr << kUsage;
    return 2;
  }
  if (value == "status") {
    const murva::LogOnRunState state = murva::ReadLogOnRun(entry);
    std::cout << (!state.on ? "off" : state.watch ? "on --watch" : "on") << '\n';
    return 0;
  }
  const bool on = value == "on";
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

// Switches for scripts; -1 when the arguments are none of them (the program
// then starts as usual: every other first argument is an interactive start).
int ScriptSwitch(int argc, char* argv[]) {
  if (argc < 2) return -1;
  const std::string first = argv[1];
  if (first == "--help") {
    std::cout << kUsage;
    return 0;
  }
  const std::vector<std::string> rest(argv + 2, argv + argc);
  if (first == "--autostart") {
    if (rest.empty()) return AutostartSwitch("", {});
    return AutostartSwitch(rest.front(), {rest.begin() + 1, rest.end()});
  }
  if (first.rfind("--autostart=", 0) == 0) {
    return AutostartSwitch(first.substr(std::strlen("--autostart=")), rest);
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
  if (const int code = ScriptSwitch(argc, argv); code >= 0) return code;
  const murva::RunSwitches switches = murva::ParseRunSwitches({argv + 1, argv + argc});
  if (!switches.error.empty()) {
    std::cerr << "murva32: " << switches.error << '\n' << kUsage;
    return 2;
  }
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
