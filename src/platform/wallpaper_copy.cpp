#include <QDateTime>
#include <QFile>
#include <QImage>
#include <QString>

#include "platform/temporary_file.h"
#include "platform/wallpaper_installer.h"

namespace murva {

std::filesystem::path WallpaperCopyFolder(const EnvironmentLookup& environment) {
  std::filesystem::path data = environment("XDG_DATA_HOME");
  if (data.empty() || !data.is_absolute()) {
    data = std::filesystem::path(environment("HOME")) / ".local" / "share";
  }
  return data / "murva32";
}

std::filesystem::path MakeWallpaperCopy(const std::filesystem::path& picture,
                                        const std::filesystem::path& folder,
                                        std::string& error) {
  QImage image(QString::fromStdString(picture.string()));
  if (image.isNull()) {
    error = "cannot read " + picture.string();
    return {};
  }
  std::error_code fs_error;
  std::filesystem::create_directories(folder, fs_error);
  if (fs_error) {
    error = "cannot create " + folder.string() + ": " + fs_error.message();
    return {};
  }
  // Several desktops do not reload a path they have already shown, so every
  // copy gets a name of its own.
  const std::string stamp =
      QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss-zzz").toStdString();
  std::filesystem::path target = folder / ("wallpaper-" + stamp + ".png");
  for (int suffix = 1; std::filesystem::exists(target, fs_error); ++suffix) {
    target = folder / ("wallpaper-" + stamp + "-" + std::to_string(suffix) + ".png");
  }
  // The copy is written under a temporary name of this writer (see
  // platform/temporary_file.h) and renamed into place; what copies killed
  // half-way left behind goes first.
  const std::filesystem::path kind = folder / "wallpaper.png";
  RemoveAbandonedTemporaryFiles(kind);
  TemporaryFile temporary;
  if (!temporary.Create(kind, 0644)) {
    error = "cannot write in " + folder.string();
    return {};
  }
  // Written through the descriptor of the file just made, never by its name
  // again.
  QFile file;
  if (!file.open(temporary.Descriptor(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle) ||
      !image.save(&file, "PNG") || !file.flush()) {
    error = "cannot write " + temporary.Path().string();
    return {};
  }
  file.close();
  if (!temporary.Close()) {
    error = "cannot write " + temporary.Path().string();
    return {};
  }
  std::filesystem::rename(temporary.Path(), target, fs_error);
  if (fs_error) {
    error = "cannot write " + target.string() + ": " + fs_error.message();
    return {};
  }
  temporary.Release();
  for (const auto& entry : std::filesystem::directory_iterator(folder, fs_error)) {
    const std::string name = entry.path().filename().string();
    if (entry.path() != target && name.rfind("wallpaper-", 0) == 0 &&
        entry.path().extension() == ".png") {
      std::filesystem::remove(entry.path(), fs_error);
    }
  }
  return target;
}

}  // namespace murva
