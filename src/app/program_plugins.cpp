#include "app/program_plugins.h"

#include "imaging/picture_loader.h"
#include "imaging/spis.h"

namespace murva {

void InitializeProgramPictureFormats(const std::filesystem::path& executable_folder) {
  InitializePictureFormats(executable_folder);
#ifdef MURVA_PLUGIN_FOLDER_FROM_BIN
  TSPIs* spis = SPIsInstance();
  if (!spis || executable_folder.empty()) return;
  const std::filesystem::path folder = executable_folder / MURVA_PLUGIN_FOLDER_FROM_BIN;
  std::error_code error;
  if (std::filesystem::is_directory(folder, error)) spis->Search((folder / "*.spi").string());
#endif
}

}  // namespace murva
