#include "platform/wlroots_installer.h"

#include <signal.h>
#include <unistd.h>

#include <sstream>

#include "platform/bounded_file.h"
#include "platform/replace_file.h"
#include "platform/run_command.h"

namespace murva {
namespace {

constexpr const char* kSwaybgRecord = "swaybg.pid";

// hyprpaper answers a request it carried out with "ok".
bool Hyprpaper(const std::vector<std::string>& request, std::string& answer) {
  std::vector<std::string> arguments = {"hyprpaper"};
  arguments.insert(arguments.end(), request.begin(), request.end());
  std::string output, messages;
  const int code = RunCommand("hyprctl", arguments, &output, &messages);
  answer = TrimmedOutput(output + messages);
  return code == 0 && answer == "ok";
}

// The name the kernel keeps for a running process; empty when it is gone.
std::string ProcessName(long long pid) {
  std::string name;
  ReadBoundedFile("/proc/" + std::to_string(pid) + "/comm", 256, name);
  return name.substr(0, name.find('\n'));
}

}  // namespace

std::filesystem::path RuntimeRecordFolder(const EnvironmentLookup& environment) {
  const std::filesystem::path runtime = environment("XDG_RUNTIME_DIR");
  if (!runtime.empty() && runtime.is_absolute()) return runtime / "murva32";
  return std::filesystem::temp_directory_path() / ("murva32-" + std::to_string(getuid()));
}

bool WlrootsInstaller::CanInstall() const {
  return (hyprland_ && CommandExists("hyprctl")) || CommandExists("swww") ||
         CommandExists("swaybg");
}

std::string WlrootsInstaller::CannotInstallReason() const {
  if (CanInstall()) return {};
  return "壁紙を表示するプログラム（swaybg、swww、hyprpaper）がインストールされていません / "
         "no wallpaper program (swaybg, swww, hyprpaper) is installed; install swaybg";
}

bool WlrootsInstaller::TryHyprpaper(const std::vector<OutputPicture>& pictures,
                                    std::string& error) {
  if (!hyprland_ || !CommandExists("hyprctl")) return false;
  std::string answer;
  // hyprpaper shows only what it has loaded; a refused first request means
  // it is not running.
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    if (!Hyprpaper({"preload", pictures[i].file.string()}, answer)) {
      if (i == 0) return false;
      error = "hyprpaper did not load " + pictures[i].file.string() + ": " + answer;
      return true;
    }
  }
  for (const OutputPicture& picture : pictures) {
    if (!Hyprpaper({"wallpaper", picture.output + "," + picture.file.string()}, answer)) {
      error = "hyprpaper did not take the wallpaper" +
              (picture.output.empty() ? std::string() : " of " + picture.output) + ": " + answer;
      return true;
    }
  }
  // The pictures shown before are released.
  Hyprpaper({"unload", "unused"}, answer);
  error.clear();
  return true;
}

bool WlrootsInstaller::TrySwww(const std::vector<OutputPicture>& pictures, std::string& error) {
  if (!CommandExists("swww") || RunCommand("swww", {"query"}) != 0) return false;
  for (const OutputPicture& picture : pictures) {
    std::vector<std::string> arguments = {"img"};
    if (!picture.output.empty()) arguments.insert(arguments.end(), {"-o", picture.output});
    arguments.push_back(picture.file.string());
    std::string output, messages;
    if (RunCommand("swww", arguments, &output, &messages) != 0) {
      error = "swww did not take the wallpaper: " + TrimmedOutput(output + messages);
      return true;
    }
  }
  error.clear();
  return true;
}

bool WlrootsInstaller::StartSwaybg(const std::vector<OutputPicture>& pictures,
                                   std::string& error) {
  if (!CommandExists("swaybg")) {
    error = "no wallpaper program answers (hyprpaper, swww-daemon) and swaybg is not installed";
    return false;
  }
  // One swaybg serves every output: each -o starts the options of its output.
  std::vector<std::string> arguments;
  for (const OutputPicture& picture : pictures) {
    arguments.insert(arguments.end(), {"-o", picture.output.empty() ? "*" : picture.output, "-i",
                                       picture.file.string(), "-m", "fill"});
  }
  const long long pid = StartDetachedCommand("swaybg", arguments);
  if (pid <= 0) {
    error = "swaybg could not be started";
    return false;
  }
  // The swaybg of the time before is stopped once the new one runs; the
  // record is trusted only while it still names a swaybg.
  const std::filesystem::path record = runtime_folder_ / kSwaybgRecord;
  std::string recorded;
  ReadBoundedFile(record, 256, recorded);
  std::istringstream in(recorded);
  long long old_pid = 0;
  if (in >> old_pid && old_pid > 0 && old_pid != pid && ProcessName(old_pid) == "swaybg") {
    kill(static_cast<pid_t>(old_pid), SIGTERM);
  }
  std::error_code fs_error;
  std::filesystem::create_directories(runtime_folder_, fs_error);
  std::string write_error;
  ReplaceFile(record, std::to_string(pid) + "\n", write_error);
  return true;
}

bool WlrootsInstaller::Show(const std::vector<OutputPicture>& pictures, std::string& error) {
  if (TryHyprpaper(pictures, error) || TrySwww(pictures, error)) return error.empty();
  return StartSwaybg(pictures, error);
}

bool WlrootsInstaller::Install(const std::filesystem::path& picture, std::string& error) {
  const std::filesystem::path copy = MakeWallpaperCopy(picture, copy_folder_, error);
  return !copy.empty() && Show({{"", copy}}, error);
}

bool WlrootsInstaller::InstallMonitors(const std::vector<MonitorWallpaper>& wallpapers,
                                       std::string& error) {
  const std::vector<OutputCopy> pictures = MakeOutputCopies(wallpapers, "", copy_folder_, error);
  return !pictures.empty() && Show(pictures, error);
}

}  // namespace murva
