#include "platform/pcmanfm_installer.h"

#include <algorithm>

#include "platform/bounded_file.h"
#include "platform/pcmanfm_desktop_config.h"
#include "platform/replace_file.h"
#include "platform/run_command.h"

namespace murva {
namespace {

// How long a desktop turned off is waited for to end. One that hosts file
// manager windows too runs on, and is simply turned on again.
constexpr std::chrono::milliseconds kDesktopEndWait{3000};

}  // namespace

bool PcmanfmInstaller::SetWallpaper(const std::filesystem::path& file, const std::string& mode,
                                    std::string& error) {
  std::string program;
  std::vector<std::string> arguments;
  if (flavour_ == PcmanfmFlavour::kQt) {
    // pcmanfm-qt ignores a wallpaper given without a mode.
    program = "pcmanfm-qt";
    arguments = {"--set-wallpaper", file.string(), "--wallpaper-mode", mode};
  } else {
    program = "pcmanfm";
    arguments = {"--set-wallpaper=" + file.string(), "--wallpaper-mode=" + mode};
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

bool PcmanfmInstaller::Install(const std::filesystem::path& picture, std::string& error) {
  const std::filesystem::path copy = MakeWallpaperCopy(picture, copy_folder_, error);
  return !copy.empty() &&
         SetWallpaper(copy, flavour_ == PcmanfmFlavour::kQt ? "zoom" : "crop", error);
}

bool PcmanfmInstaller::InstallMonitors(const std::vector<MonitorWallpaper>& wallpapers,
                                       std::string& error) {
  if (flavour_ == PcmanfmFlavour::kQt) {
    const SharedPictureCopy copy = MakeSharedPictureCopy(wallpapers, copy_folder_, error);
    return !copy.file.empty() && SetWallpaper(copy.file, copy.spanned ? "stretch" : "center", error);
  }
  const std::vector<OutputCopy> pictures = MakeOutputCopies(wallpapers, "", copy_folder_, error);
  return !pictures.empty() && InstallLxdeMonitors(pictures, error);
}

bool PcmanfmInstaller::InstallLxdeMonitors(const std::vector<OutputCopy>& pictures,
                                           std::string& error) {
  if (!CommandExists("pcmanfm")) {
    error = "pcmanfm is not installed";
    return false;
  }
  // The monitors' numbers: their places in pcmanfm's order, or, for names
  // it does not know, the order they came in.
  const std::vector<std::string> order =
      session_.monitor_order ? session_.monitor_order() : std::vector<std::string>{};
  std::vector<std::size_t> numbers;
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const auto known = std::find(order.begin(), order.end(), pictures[i].output);
    numbers.push_back(known != order.end() ? static_cast<std::size_t>(known - order.begin()) : i);
  }

  const PcmanfmDesktopProcess desktop = FindPcmanfmDesktop();
  // The running desktop takes monitor 0's wallpaper on the command line and
  // keeps it in its own file.
  if (desktop.pid != 0 && numbers.size() == 1 && numbers.front() == 0) {
    return SetWallpaper(pictures.front().file, "center", error);
  }
  if (desktop.pid != 0) {
    std::string messages;
    if (RunCommand("pcmanfm", {"--desktop-off"}, nullptr, &messages) != 0) {
      error = "pcmanfm did not turn its desktop off to take the wallpapers";
      if (!TrimmedOutput(messages).empty()) error += ": " + TrimmedOutput(messages);
      return false;
    }
    WaitForProcessEnd(desktop.pid, kDesktopEndWait);
  }
  const std::string profile = !desktop.profile.empty()  ? desktop.profile
                              : !session_.profile.empty() ? session_.profile
                                                          : "default";
  const std::filesystem::path folder = session_.config_home / "pcmanfm" / profile;
  std::error_code fs_error;
  std::filesystem::create_directories(folder, fs_error);
  std::string failure;
  for (std::size_t i = 0; i < pictures.size() && failure.empty(); ++i) {
    const std::filesystem::path file =
        folder / ("desktop-items-" + std::to_string(numbers[i]) + ".conf");
    std::string text, write_error;
    const FileReadResult read = ReadBoundedFile(file, kTextFileReadLimit, text);
    if (!read.Ok() && std::filesystem::exists(file, fs_error)) {
      failure = file.string() + " cannot be read: " + FileReadReason(read);
    } else if (!ReplaceFile(file, WithPcmanfmDesktopWallpaper(text, pictures[i].file.string(), "center"),
                            write_error)) {
      failure = "the wallpaper of " + pictures[i].output + " cannot be kept: " + write_error;
    }
  }
  // The desktop comes back, reading every monitor's file again.
  if (desktop.pid != 0 && StartDetachedCommand("pcmanfm", {"--desktop", "--profile", profile}) <= 0) {
    failure = "pcmanfm could not turn its desktop on again";
  }
  if (!failure.empty()) error = failure;
  return failure.empty();
}

}  // namespace murva
