#include "imaging/picture_loader.h"

#include <memory>
#include <mutex>

#include <unistd.h>

#include "imaging/bitmap.h"
#include "imaging/graphic_errors.h"
#include "imaging/picture_format_registry.h"
#include "imaging/plugin_isolation.h"
#include "imaging/spi_bitmap.h"
#include "imaging/spis.h"
#include "platform/dynamic_library.h"

#ifndef MURVA_SYSTEM_PLUGIN_DIR
#define MURVA_SYSTEM_PLUGIN_DIR "/usr/local/lib/murva32/plugins"
#endif
#ifndef MURVA_PLUGIN_FOLDER_FROM_BIN
#define MURVA_PLUGIN_FOLDER_FROM_BIN "../lib/murva32/plugins"
#endif
#ifndef MURVA_SPI_HOST_FROM_BIN
#define MURVA_SPI_HOST_FROM_BIN "../lib/murva32/murva32-spi-host"
#endif
#ifndef MURVA_SHIPPED_PLUGIN_NAMES
#define MURVA_SHIPPED_PLUGIN_NAMES ""
#endif

namespace murva {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSpiHostName = "murva32-spi-host";

std::vector<std::string> ShippedPluginNames() {
  std::vector<std::string> names;
  std::string_view list = MURVA_SHIPPED_PLUGIN_NAMES;
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    if (comma != 0) names.emplace_back(list.substr(0, comma));
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return names;
}

// The plug-in host: beside the program (a build tree, a portable copy), or
// where an installation puts it.
fs::path FindSpiHost(const fs::path& application_folder) {
  std::vector<fs::path> candidates;
  if (!application_folder.empty()) {
    candidates.push_back(application_folder / kSpiHostName);
    candidates.push_back(application_folder / MURVA_SPI_HOST_FROM_BIN);
  }
  const fs::path executable = ExecutableFileName();
  if (!executable.empty()) {
    candidates.push_back(executable.parent_path() / kSpiHostName);
    candidates.push_back(executable.parent_path() / MURVA_SPI_HOST_FROM_BIN);
  }
  for (const fs::path& candidate : candidates) {
    if (access(candidate.c_str(), X_OK) == 0) return candidate.lexically_normal();
  }
  return {};
}

std::shared_ptr<PluginIsolation>& ProgramIsolation() {
  static std::shared_ptr<PluginIsolation> isolation;
  return isolation;
}

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
  PluginIsolationSettings isolation;
  if (!application_folder.empty()) {
    isolation.shipped_folders.push_back(application_folder);
    isolation.shipped_folders.push_back(application_folder / MURVA_PLUGIN_FOLDER_FROM_BIN);
  }
  isolation.shipped_folders.push_back(MURVA_SYSTEM_PLUGIN_DIR);
  isolation.shipped_names = ShippedPluginNames();
  isolation.host_program = FindSpiHost(application_folder);
  isolation.verdict_file = DefaultPluginVerdictFile();
  ProgramIsolation() = std::make_shared<PluginIsolation>(std::move(isolation));
  manager->SetIsolation(ProgramIsolation());
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

std::vector<PluginNotice> TakePluginNotices() {
  if (!ProgramIsolation()) return {};
  return ProgramIsolation()->TakeNotices();
}

void SetPluginNoticeHandler(std::function<void(const PluginNotice&)> handler) {
  if (ProgramIsolation()) ProgramIsolation()->SetNoticeHandler(std::move(handler));
}

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
