#include "platform/pcmanfm_installer.h"

#include "platform/run_command.h"

namespace murva {

bool PcmanfmInstaller::Install(const std::filesystem::path& picture, std::string& error) {
  const std::filesystem::path copy = MakeWallpaperCopy(picture, copy_folder_, error);
  if (copy.empty()) return false;
  std::string program;
  std::vector<std::string> arguments;
  if (flavour_ == PcmanfmFlavour::kQt) {
    // pcmanfm-qt ignores a wallpaper given without a mode.
    program = "pcmanfm-qt";
    arguments = {"--set-wallpaper", copy.string(), "--wallpaper-mode", "zoom"};
  } else {
    program = "pcmanfm";
    arguments = {"--set-wallpaper=" + copy.string(), "--wallpaper-mode=crop"};
  }
  if (!CommandExists(program)) {
    error = program + " is not installed";
    return false;
  }
  std::string messages;
  const int code = RunCommand(program, arguments, nullptr, &messages);
  if (code != 0) {
    error = program + " did not take the wallpaper (exit code " + std::to_string(code) + ")";
    if (!TrimmedOutput(messages).empty()) error += ": " + TrimmedOutput(messages);
    return false;
  }
  return true;
}

}  // namespace murva
