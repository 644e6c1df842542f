#include "settings/settings_write_error.h"

namespace murva {

SettingsWriteError::SettingsWriteError(const std::filesystem::path& path)
    : std::runtime_error(path.string() + " に書き込めません"), path_(path) {}

}  // namespace murva
