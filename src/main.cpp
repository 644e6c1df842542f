// The program block: one instance at a time, then the control panel.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <iostream>

#include "app/messages.h"
#include "imaging/picture_loader.h"
#include "platform/instance_lock.h"
#include "platform/process_launcher.h"
#include "platform/program_folder.h"
#include "platform/wallpaper_installer.h"
#include "ui/form_main.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  application.setApplicationName(murva::text::kApplicationTitle);
  application.setApplicationDisplayName(murva::text::kApplicationTitle);

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

  murva::SpawnLauncher launcher;
  std::unique_ptr<murva::WallpaperInstaller> installer =
      murva::MakeWallpaperInstaller(murva::ProcessEnvironment());

  murva::RunEnvironment environment;
  environment.program_folder =
      murva::ResolveProgramFolder(executable_folder, murva::ProcessEnvironment());
  environment.first_argument = argc > 1 ? argv[1] : "";
  environment.launcher = &launcher;
  environment.installer = installer.get();

  murva::TFormMain form(environment);
  form.Start();
  return application.exec();
}
