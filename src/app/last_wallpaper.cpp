#include "app/last_wallpaper.h"

#include <charconv>
#include <exception>
#include <iostream>

#include "app/wallpaper_build.h"
#include "settings/setting_keys.h"

namespace murva {

void PutBackLastWallpaper(const WorkingCopy& copy, const SettingsStore& store,
                          const std::filesystem::path& program_folder,
                          WallpaperInstaller* installer) {
  if (!installer || installer->Persists() || copy.make_only) return;
  try {
    int page = 0;
    const std::string& used = copy.last_used_page;
    const auto parsed = std::from_chars(used.data(), used.data() + used.size(), page);
    if (parsed.ec != std::errc() || page < 1 || page > kPageCount) return;
    const std::string background = store.ReadRecord(copy, KeyName(keys::kEditPathW, page));
    if (background.empty()) return;
    const std::filesystem::path output = OutputPathFor(copy, background, program_folder);
    std::error_code missing;
    if (!std::filesystem::is_regular_file(output, missing)) return;
    std::string error;
    if (!installer->Install(output, error)) {
      std::cerr << "murva32: the wallpaper " << output.string() << " could not be put back ("
                << installer->Name() << "): " << error << '\n';
    }
  } catch (const std::exception& error) {
    std::cerr << "murva32: the last wallpaper could not be put back: " << error.what() << '\n';
  }
}

}  // namespace murva
