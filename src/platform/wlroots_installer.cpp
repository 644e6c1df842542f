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

bool WlrootsInstaller::TryHyprpaper(const std::filesystem::path& file, std::string& error) {
  if (!hyprland_ || !CommandExists("hyprctl")) return false;
  std::string answer;
  if (!Hyprpaper({"preload", file.string()}, answer)) return false;  // hyprpaper is not running
  if (!Hyprpaper({"wallpaper", "," + file.string()}, answer)) {
    error = "hyprpaper did not take the wallpaper: " + answer;
    return true;
  }
  // The pictures shown before are released.
  Hyprpaper({"unload", "unused"}, answer);
  error.clear();
  return true;
}

bool WlrootsInstaller::TrySwww(const std::filesystem::path& file, std::string& error) {
  if (!CommandExists("swww") || RunCommand("swww", {"query"}) != 0) return false;
  std::string output, messages;
  if (RunCommand("swww", {"img", file.string()}, &output, &messages) != 0) {
    error = "swww did not take the wallpaper: " + TrimmedOutput(output + messages);
  } else {
    error.clear();
  }
  return true;
}

bool WlrootsInstaller::StartSwaybg(const std::filesystem::path& file, std::string& error) {
  if (!CommandExists("swaybg")) {
    error = "no wallpaper program answers (hyprpaper, swww-daemon) and swaybg is not installed";
    return false;
  }
  const long long pid = StartDetachedCommand("swaybg", {"-o", "*", "-i", file.string(), "-m", "fill"});
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

bool WlrootsInstaller::Install(const std::filesystem::path& picture, std::string& error) {
  const std::filesystem::path copy = MakeWallpaperCopy(picture, copy_folder_, error);
  if (copy.empty()) return false;
  if (TryHyprpaper(copy, error) || TrySwww(copy, error)) return error.empty();
  return StartSwaybg(copy, error);
}

}  // namespace murva
