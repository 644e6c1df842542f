#include <QDateTime>
#include <QFile>
#include <QImage>
#include <QString>
#include <set>

#include "platform/temporary_file.h"
#include "platform/wallpaper_installer.h"

namespace murva {
namespace {

constexpr const char* kCopyPrefix = "wallpaper-";

// Writes one picture as a PNG named after the stamp and the label, under a
// temporary name of this writer (see platform/temporary_file.h) renamed into
// place. Returns the file, or an empty path with error set.
std::filesystem::path WriteCopy(const QImage& image, const std::filesystem::path& folder,
                                const std::string& stamp, const std::string& label,
                                std::string& error) {
  const std::string base = kCopyPrefix + stamp + (label.empty() ? "" : "-" + label);
  std::error_code fs_error;
  std::filesystem::path target = folder / (base + ".png");
  for (int suffix = 1; std::filesystem::exists(target, fs_error); ++suffix) {
    target = folder / (base + "-" + std::to_string(suffix) + ".png");
  }
  TemporaryFile temporary;
  if (!temporary.Create(folder / "wallpaper.png", 0644)) {
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
  return target;
}

// Removes the copies in the folder that are not among those kept.
void RemoveCopiesBut(const std::filesystem::path& folder,
                     const std::vector<std::filesystem::path>& kept) {
  const std::set<std::filesystem::path> keep(kept.begin(), kept.end());
  std::error_code fs_error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, fs_error)) {
    const std::string name = entry.path().filename().string();
    if (!keep.count(entry.path()) && name.rfind(kCopyPrefix, 0) == 0 &&
        entry.path().extension() == ".png") {
      std::filesystem::remove(entry.path(), fs_error);
    }
  }
}

}  // namespace

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
  MonitorWallpaper whole;
  whole.file = picture;
  const std::vector<std::filesystem::path> copies = MakeWallpaperCopies({whole}, folder, error);
  return copies.empty() ? std::filesystem::path() : copies.front();
}

std::vector<OutputCopy> MakeOutputCopies(const std::vector<MonitorWallpaper>& wallpapers,
                                         const std::string& every,
                                         const std::filesystem::path& folder, std::string& error) {
  const std::vector<std::string> outputs = WallpaperOutputs(wallpapers, every, error);
  if (outputs.empty()) return {};
  const std::vector<std::filesystem::path> copies = MakeWallpaperCopies(wallpapers, folder, error);
  if (copies.empty()) return {};
  std::vector<OutputCopy> written;
  for (std::size_t i = 0; i < outputs.size(); ++i) written.push_back({outputs[i], copies[i]});
  return written;
}

SharedPictureCopy MakeSharedPictureCopy(const std::vector<MonitorWallpaper>& wallpapers,
                                        const std::filesystem::path& folder, std::string& error) {
  if (wallpapers.empty()) {
    error = "no monitor to give a wallpaper";
    return {};
  }
  const SharedPicture shared = OnePictureForAll(wallpapers);
  const std::vector<std::filesystem::path> copies = MakeWallpaperCopies({shared.picture}, folder, error);
  if (copies.empty()) return {};
  return {copies.front(), shared.spanned};
}

std::vector<std::filesystem::path> MakeWallpaperCopies(
    const std::vector<MonitorWallpaper>& wallpapers, const std::filesystem::path& folder,
    std::string& error) {
  std::vector<QImage> images;
  for (const MonitorWallpaper& wallpaper : wallpapers) {
    QImage image = wallpaper.pixels;
    if (image.isNull()) image = QImage(QString::fromStdString(wallpaper.file.string()));
    if (image.isNull()) {
      error = wallpaper.file.empty() ? "the picture for " + wallpaper.monitor.name + " is empty"
                                     : "cannot read " + wallpaper.file.string();
      return {};
    }
    images.push_back(std::move(image));
  }
  std::error_code fs_error;
  std::filesystem::create_directories(folder, fs_error);
  if (fs_error) {
    error = "cannot create " + folder.string() + ": " + fs_error.message();
    return {};
  }
  // Several desktops do not reload a path they have already shown, so every
  // installation gets names of its own; what copies killed half-way left
  // behind goes first.
  RemoveAbandonedTemporaryFiles(folder / "wallpaper.png");
  const std::string stamp =
      QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss-zzz").toStdString();
  std::vector<std::filesystem::path> copies;
  for (std::size_t i = 0; i < wallpapers.size(); ++i) {
    const std::filesystem::path copy =
        WriteCopy(images[i], folder, stamp, MonitorFileLabel(wallpapers[i].monitor), error);
    if (copy.empty()) {
      for (const auto& written : copies) std::filesystem::remove(written, fs_error);
      return {};
    }
    copies.push_back(copy);
  }
  RemoveCopiesBut(folder, copies);
  return copies;
}

}  // namespace murva
