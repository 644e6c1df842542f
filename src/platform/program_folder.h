// Where MURVA32.INI and MURVA32.SCH live.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace murva {

// Reads an environment variable; empty when unset.
using EnvironmentLookup = std::function<std::string(const std::string&)>;
EnvironmentLookup ProcessEnvironment();

// $MURVA32_HOME when set; else the executable's folder when it already holds
// MURVA32.INI, or is writable and not an installation (a portable copy);
// otherwise $XDG_CONFIG_HOME/murva32 (~/.config/murva32), created on first
// write. An installation is recognised by its application entry
// (<prefix>/share/applications/murva32.desktop beside <prefix>/bin), so that
// an installed program never writes into the program folder, not even when
// the administrator runs it.
std::filesystem::path ResolveProgramFolder(const std::filesystem::path& executable_folder,
                                           const EnvironmentLookup& environment);

// The folders ResolveProgramFolder looks at, in its order, for a message
// that says where the settings were looked for.
std::vector<std::filesystem::path> ProgramFolderCandidates(
    const std::filesystem::path& executable_folder, const EnvironmentLookup& environment);

// Whether the executable's folder is the bin folder of an installation.
bool IsInstalledProgramFolder(const std::filesystem::path& executable_folder);

// The folder of the running executable.
std::filesystem::path ExecutableFolder();

}  // namespace murva
