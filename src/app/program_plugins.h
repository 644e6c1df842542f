// The image plug-ins of the program as it runs: the manager searches the
// user's plug-in folder, the executable's folder and the system's plug-in
// folder, and an installation's shipped plug-ins are also found relative to
// the executable, so that an installation moved to another prefix (or
// unpacked anywhere) still reads every format it shipped with.
#pragma once

#include <filesystem>

namespace murva {

// InitializePictureFormats, then the shipped plug-ins of an installation
// whose bin/ folder is executable_folder.
void InitializeProgramPictureFormats(const std::filesystem::path& executable_folder);

}  // namespace murva
