// Where MURVA32.INI and MURVA32.SCH live.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace murva {

// Reads an environment variable; empty when unset.
using EnvironmentLookup = std::function<std::string(const std::string&)>;
EnvironmentLookup ProcessEnvironment();

// $MURVA32_HOME when set; else the executable's folder when it already holds
// MURVA32.INI or is writable (a portable install); otherwise
// $XDG_CONFIG_HOME/murva32 (~/.config/murva32), created on first write.
std::filesystem::path ResolveProgramFolder(const std::filesystem::path& executable_folder,
                                           const EnvironmentLookup& environment);

// The folder of the running executable.
std::filesystem::path ExecutableFolder();

}  // namespace murva
