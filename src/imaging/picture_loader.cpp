#include "imaging/picture_loader.h"

#include <memory>
#include <mutex>

#include "imaging/bitmap.h"
#include "imaging/graphic_errors.h"
#include "imaging/picture_format_registry.h"
#include "imaging/spi_bitmap.h"
#include "imaging/spis.h"

namespace murva {
namespace {

// The manager of the program, kept for the life of the process; its
// plug-ins are released when the process ends.
std::unique_ptr<TSPIs>& ProgramManager() {
  static std::unique_ptr<TSPIs> manager;
  return manager;
}

}  // namespace

void InitializePictureFormats(const std::filesystem::path& application_folder) {
  static std::mutex mutex;
  std::lock_guard lock(mutex);
  // Once per process; a manager made elsewhere (a test, a host) is used as
  // it is.
  if (ProgramManager() || SPIsInstance() != nullptr) return;
  // The plug-in bitmap class must be the one plug-in extensions register.
  SetDefaultGraphicClass(&TSPIBitmap::Class());
  auto manager = std::make_unique<TSPIs>();
  // The shipped plug-ins are installed in the system's plug-in folder; a
  // build tree or a portable copy keeps them beside the executable.
  manager->SetSearchOptions(
      {TSPISearchOption::spsSusieDir, TSPISearchOption::spsAppDir, TSPISearchOption::spsSystemDir});
  if (!application_folder.empty()) manager->SetApplicationDirectory(application_folder.string());
  TSPIs& searched = *manager;
  ProgramManager() = std::move(manager);
  searched.Loaded();
}

void ShutdownPictureFormats() { ProgramManager().reset(); }

QImage LoadPicture(const std::filesystem::path& path) {
  std::string extension = ExtractFileExt(path.filename().string());
  if (!extension.empty()) extension.erase(0, 1);
  std::optional<TPictureFormat> format = PictureFormatRegistry().Find(extension);
  if (!format) throw EUnknownPictureExtension(extension);
  std::unique_ptr<TGraphic> graphic = format->graphic_class->create();
  graphic->LoadFromFile(path.string());
  return graphic->TakeImage();
}

QImage LoadBmpOnly(const std::filesystem::path& path) {
  TBitmap bitmap;
  bitmap.LoadFromFile(path.string());
  return bitmap.TakeImage();
}

}  // namespace murva
