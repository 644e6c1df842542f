// The error of a settings write that did not reach the disk.
#pragma once

#include <filesystem>
#include <stdexcept>

namespace murva {

// "<path> に書き込めません". The file keeps the content it had before.
class SettingsWriteError : public std::runtime_error {
 public:
  explicit SettingsWriteError(const std::filesystem::path& path);

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace murva
