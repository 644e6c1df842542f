// The program block: one instance at a time, then the control panel. A few
// switches for scripts (the log-on run) do their work without a window.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstring>
#include <iostream>

#include "app/messages.h"
#include "imaging/picture_loader.h"
#include "imaging/spis.h"
#include "platform/autostart_entry.h"
#include "platform/instance_lock.h"
#include "platform/process_launcher.h"
#include "platform/program_folder.h"
#include "platform/wallpaper_installer.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/form_main.h"

namespace {

constexpr const char* kUsage =
    "usage: murva32            the control panel\n"
    "       murva32 -E         automatic run: build and install today's wallpaper, then close\n"
    "       murva32 -e         the same, minimised\n"
    "       murva32 --autostart on|off|status\n"
    "                          start an automatic run at every log-on (an XDG autostart\n"
    "                          entry), stop doing so, or tell whether it is on\n"
    "       murva32 --help\n";

// The log-on run switched from a script: the autostart entry is written or
// removed, and the choice is recorded in the settings of the set in use so
// that the control panel shows it.
int AutostartSwitch(const std::string& value) {
  const murva::EnvironmentLookup environment = murva::ProcessEnvironment();
  const std::filesystem::path entry = murva::AutostartEntryPath(environment);
  if (value == "status") {
    std::error_code error;
    std::cout << (std::filesystem::exists(entry, error) ? "on" : "off") << '\n';
    return 0;
  }
  if (value != "on" && value != "off") {
    std::cerr << kUsage;
    return 2;
  }
  const bool on = value == "on";
  try {
    murva::SetLogOnRun(on, environment, murva::ExecutableFile());
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
  } catch (const std::exception& error) {
    std::cerr << "murva32: the log-on run is " << value << ", but the setting was not recorded: "
              << error.what() << '\n';
    return 1;
  }
  std::cout << "murva32: log-on run " << value << " (" << entry.string() << ")\n";
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
  if (first == "--autostart") return AutostartSwitch(argc > 2 ? argv[2] : "");
  if (first.rfind("--autostart=", 0) == 0) return AutostartSwitch(first.substr(std::strlen("--autostart=")));
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

  QApplication application(argc, argv);
  application.setApplicationName(murva::text::kApplicationTitle);
  application.setApplicationDisplayName(murva::text::kApplicationTitle);
  application.setDesktopFileName("murva32");

  std::optional<murva::InstanceLock> lock =
      murva::InstanceLock::Acquire(murva::InstanceLock::DefaultLockFile());
  if (!lock) {
    std::cerr << "murva32: " << murva::text::kAlreadyRunning << '\n';
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
  environment.start_messages = std::move(plugin_messages);

  murva::TFormMain form(environment);
  form.Start();
  return application.exec();
}
