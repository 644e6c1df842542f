#include "platform/pcmanfm_desktop_config.h"

#include <poll.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cerrno>
#include <filesystem>
#include <sstream>

#include "platform/bounded_file.h"

namespace murva {
namespace {

constexpr const char* kDesktopGroup = "[*]";

// A value as a GLib key file stores it: backslashes, line breaks and a
// leading blank escaped.
std::string KeyFileValue(const std::string& value) {
  std::string escaped;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '\\') {
      escaped += "\\\\";
    } else if (c == '\n') {
      escaped += "\\n";
    } else if (c == '\r') {
      escaped += "\\r";
    } else if (c == '\t') {
      escaped += "\\t";
    } else if (c == ' ' && i == 0) {
      escaped += "\\s";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

bool IsGroupLine(const std::string& line) { return !line.empty() && line.front() == '['; }

// The key of a "key=value" line, without blanks around it.
std::string KeyOf(const std::string& line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string::npos || line.empty() || line.front() == '#') return {};
  std::string key = line.substr(0, equals);
  while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.pop_back();
  return key;
}

// The words of a process's command line.
std::vector<std::string> CommandLine(const std::string& pid) {
  std::string text;
  ReadBoundedFile("/proc/" + pid + "/cmdline", 64 * 1024, text);
  std::vector<std::string> words;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\0', start);
    words.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return words;
}

}  // namespace

std::string WithPcmanfmDesktopWallpaper(const std::string& config, const std::string& file,
                                        const std::string& mode) {
  const std::vector<std::pair<std::string, std::string>> settings = {
      {"wallpaper_mode", mode}, {"wallpaper_common", "1"}, {"wallpaper", KeyFileValue(file)}};
  std::vector<std::string> lines;
  std::istringstream in(config);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  std::size_t group = 0;
  while (group < lines.size() && lines[group] != kDesktopGroup) ++group;
  if (group == lines.size()) {
    std::vector<std::string> head = {kDesktopGroup};
    for (const auto& [key, value] : settings) head.push_back(key + "=" + value);
    if (!lines.empty()) head.emplace_back();
    lines.insert(lines.begin(), head.begin(), head.end());
  } else {
    std::size_t end = group + 1;
    while (end < lines.size() && !IsGroupLine(lines[end])) ++end;
    // The group's last line that is not blank: new keys go after it.
    std::size_t last = end;
    while (last > group + 1 && lines[last - 1].empty()) --last;
    for (const auto& [key, value] : settings) {
      bool found = false;
      for (std::size_t i = group + 1; i < end; ++i) {
        if (KeyOf(lines[i]) == key) {
          lines[i] = key + "=" + value;
          found = true;
        }
      }
      if (!found) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(last), key + "=" + value);
        ++last;
        ++end;
      }
    }
  }
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  return text;
}

PcmanfmDesktopProcess FindPcmanfmDesktop() {
  PcmanfmDesktopProcess found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
    const std::string pid = entry.path().filename().string();
    if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) continue;
    struct stat info {};
    if (stat(entry.path().c_str(), &info) != 0 || info.st_uid != getuid()) continue;
    std::string name;
    ReadBoundedFile(entry.path() / "comm", 256, name);
    if (name.substr(0, name.find('\n')) != "pcmanfm") continue;
    const std::vector<std::string> words = CommandLine(pid);
    bool desktop = false;
    std::string profile;
    for (std::size_t i = 0; i < words.size(); ++i) {
      if (words[i] == "--desktop") desktop = true;
      if ((words[i] == "--profile" || words[i] == "-p") && i + 1 < words.size()) {
        profile = words[i + 1];
      } else if (words[i].rfind("--profile=", 0) == 0) {
        profile = words[i].substr(10);
      }
    }
    if (!desktop) continue;
    found.pid = std::stoll(pid);
    found.profile = profile;
    return found;
  }
  return found;
}

std::vector<std::string> X11MonitorOrder(const std::string& display_name) {
  std::vector<std::string> names;
  Display* display = XOpenDisplay(display_name.empty() ? nullptr : display_name.c_str());
  if (!display) return names;
  int event_base = 0, error_base = 0, major = 0, minor = 0;
  if (XRRQueryExtension(display, &event_base, &error_base) &&
      XRRQueryVersion(display, &major, &minor) && (major > 1 || (major == 1 && minor >= 5))) {
    int count = 0;
    XRRMonitorInfo* monitors = XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
    for (int i = 0; i < count; ++i) {
      char* name = XGetAtomName(display, monitors[i].name);
      names.emplace_back(name ? name : "");
      if (name) XFree(name);
    }
    if (monitors) XRRFreeMonitors(monitors);
  }
  XCloseDisplay(display);
  return names;
}

bool WaitForProcessEnd(long long pid, std::chrono::milliseconds limit) {
  // A process descriptor becomes readable when the process ends, whoever
  // its parent is.
  const int descriptor = static_cast<int>(syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0));
  if (descriptor < 0) return errno == ESRCH;
  pollfd wait{descriptor, POLLIN, 0};
  int ready;
  do {
    ready = poll(&wait, 1, static_cast<int>(limit.count()));
  } while (ready < 0 && errno == EINTR);
  close(descriptor);
  return ready > 0;
}

}  // namespace murva
