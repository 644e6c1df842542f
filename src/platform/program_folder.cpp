#include "platform/program_folder.h"

#include <unistd.h>

#include <cstdlib>

// The data folder of an installation as seen from its bin folder.
#ifndef MURVA_DATA_FROM_BIN
#define MURVA_DATA_FROM_BIN "../share"
#endif

namespace murva {

EnvironmentLookup ProcessEnvironment() {
  return [](const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value ? std::string(value) : std::string();
  };
}

std::filesystem::path ResolveProgramFolder(const std::filesystem::path& executable_folder,
                                           const EnvironmentLookup& environment) {
  if (const std::string home = environment("MURVA32_HOME"); !home.empty()) {
    return std::filesystem::path(home);
  }
  std::error_code error;
  if (!executable_folder.empty()) {
    if (std::filesystem::exists(executable_folder / "MURVA32.INI", error)) {
      return executable_folder;
    }
    if (!IsInstalledProgramFolder(executable_folder) &&
        ::access(executable_folder.c_str(), W_OK) == 0) {
      return executable_folder;
    }
  }
  std::filesystem::path config = environment("XDG_CONFIG_HOME");
  if (config.empty() || !config.is_absolute()) {
    config = std::filesystem::path(environment("HOME")) / ".config";
  }
  return config / "murva32";
}

std::vector<std::filesystem::path> ProgramFolderCandidates(
    const std::filesystem::path& executable_folder, const EnvironmentLookup& environment) {
  std::vector<std::filesystem::path> folders;
  if (const std::string home = environment("MURVA32_HOME"); !home.empty()) {
    folders.emplace_back(home);
    return folders;
  }
  if (!executable_folder.empty() && !IsInstalledProgramFolder(executable_folder)) {
    folders.push_back(executable_folder);
  }
  std::filesystem::path config = environment("XDG_CONFIG_HOME");
  if (config.empty() || !config.is_absolute()) {
    config = std::filesystem::path(environment("HOME")) / ".config";
  }
  folders.push_back(config / "murva32");
  return folders;
}

bool IsInstalledProgramFolder(const std::filesystem::path& executable_folder) {
  std::error_code error;
  return std::filesystem::exists(
      executable_folder / MURVA_DATA_FROM_BIN / "applications" / "murva32.desktop", error);
}

std::filesystem::path ExecutableFolder() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return self.parent_path();
}

}  // namespace murva
