#include "platform/xfce_installer.h"

#include <algorithm>
#include <set>
#include <sstream>

#include "platform/run_command.h"
#include "platform/x11_screen_layout.h"

namespace murva {
namespace {

constexpr const char* kChannel = "xfce4-desktop";
constexpr const char* kLastImage = "/last-image";
// xfdesktop's image styles: 0 shows no picture, 1 centres it at its own
// size (composed at scale 1.0 without interpolation), 5 zooms it to fill.
constexpr const char* kCentredStyle = "1";
constexpr const char* kZoomedStyle = "5";
constexpr const char* kNoPictureStyle = "0";
// More workspaces than this would be a damaged setting, not a desktop.
constexpr int kMostWorkspaces = 64;

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

int Query(const std::vector<std::string>& arguments, std::string* output = nullptr,
          std::string* messages = nullptr) {
  std::vector<std::string> words = {"-c", kChannel};
  words.insert(words.end(), arguments.begin(), arguments.end());
  return RunCommand("xfconf-query", words, output, messages);
}

std::string Failure(const std::string& what, const std::string& messages) {
  const std::string detail = TrimmedOutput(messages);
  return "xfconf-query could not " + what + (detail.empty() ? std::string() : ": " + detail);
}

}  // namespace

XfceScreenLayout DiscoverXfceScreenLayout(const std::string& display_name) {
  XfceScreenLayout layout;
  layout.monitors = X11MonitorNames(display_name);
  layout.workspaces = X11WorkspaceCount(display_name);
  if (layout.workspaces <= 0) {
    std::string output;
    if (RunCommand("xfconf-query", {"-c", "xfwm4", "-p", "/general/workspace_count"}, &output) == 0) {
      try {
        layout.workspaces = std::stoi(TrimmedOutput(output));
      } catch (const std::exception&) {
        layout.workspaces = 0;
      }
    }
  }
  layout.workspaces = std::clamp(layout.workspaces, 1, kMostWorkspaces);
  return layout;
}

bool XfceInstaller::ReadChannel(std::set<std::string>& existing, std::string& error) {
  std::string listing, messages;
  if (Query({"-l"}, &listing, &messages) != 0) {
    error = Failure("read the " + std::string(kChannel) + " channel", messages);
    return false;
  }
  std::istringstream lines(listing);
  for (std::string line; std::getline(lines, line);) {
    line = TrimmedOutput(line);
    if (!line.empty()) existing.insert(line);
  }
  return true;
}

std::vector<std::string> XfceInstaller::Targets(const std::set<std::string>& existing,
                                                const XfceScreenLayout& layout,
                                                const std::vector<std::string>& monitors,
                                                const std::string& prefix) {
  std::vector<std::string> targets;
  for (const std::string& property : existing) {
    if (property.rfind(prefix, 0) == 0 && EndsWith(property, kLastImage)) {
      targets.push_back(property);
    }
  }
  const int workspaces = std::clamp(layout.workspaces, 1, kMostWorkspaces);
  for (const std::string& monitor : monitors) {
    for (int workspace = 0; workspace < workspaces; ++workspace) {
      const std::string property = "/backdrop/screen0/monitor" + monitor + "/workspace" +
                                   std::to_string(workspace) + kLastImage;
      if (std::find(targets.begin(), targets.end(), property) == targets.end()) {
        targets.push_back(property);
      }
    }
  }
  return targets;
}

bool XfceInstaller::SetImages(const std::vector<std::string>& targets,
                              const std::set<std::string>& existing,
                              const std::filesystem::path& file, bool unscaled,
                              std::string& error) {
  std::string messages;
  for (const std::string& property : targets) {
    std::vector<std::string> set = {"-p", property};
    if (!existing.count(property)) set.insert(set.end(), {"-n", "-t", "string"});
    set.insert(set.end(), {"-s", file.string()});
    if (Query(set, nullptr, &messages) != 0) {
      error = Failure("set " + property, messages);
      return false;
    }
    const std::string style =
        property.substr(0, property.size() - std::string(kLastImage).size()) + "/image-style";
    const bool known = existing.count(style) > 0;
    if (unscaled) {
      std::vector<std::string> set_style = {"-p", style};
      if (!known) set_style.insert(set_style.end(), {"-n", "-t", "int"});
      set_style.insert(set_style.end(), {"-s", kCentredStyle});
      if (Query(set_style, nullptr, &messages) != 0) {
        error = Failure("set " + style, messages);
        return false;
      }
    } else if (!known) {
      Query({"-p", style, "-n", "-t", "int", "-s", kZoomedStyle});
    } else {
      std::string value;
      if (Query({"-p", style}, &value) == 0 && TrimmedOutput(value) == kNoPictureStyle) {
        Query({"-p", style, "-s", kZoomedStyle});
      }
    }
  }
  return true;
}

bool XfceInstaller::Install(const std::filesystem::path& picture, std::string& error) {
  const std::filesystem::path copy = MakeWallpaperCopy(picture, copy_folder_, error);
  if (copy.empty()) return false;
  std::set<std::string> existing;
  if (!ReadChannel(existing, error)) return false;
  const XfceScreenLayout layout = layout_ ? layout_() : XfceScreenLayout{};
  const std::vector<std::string> targets =
      Targets(existing, layout, layout.monitors, "/backdrop/");
  if (targets.empty()) {
    error = "XFCE has no backdrop property to set and no monitor was found";
    return false;
  }
  return SetImages(targets, existing, copy, /*unscaled=*/false, error);
}

bool XfceInstaller::InstallMonitors(const std::vector<MonitorWallpaper>& wallpapers,
                                    std::string& error) {
  const std::vector<OutputCopy> pictures = MakeOutputCopies(wallpapers, "", copy_folder_, error);
  if (pictures.empty()) return false;
  std::set<std::string> existing;
  if (!ReadChannel(existing, error)) return false;
  const XfceScreenLayout layout = layout_ ? layout_() : XfceScreenLayout{};
  for (const OutputCopy& picture : pictures) {
    // A single picture for a monitor nobody named goes to every monitor.
    const std::vector<std::string> targets =
        picture.output.empty()
            ? Targets(existing, layout, layout.monitors, "/backdrop/")
            : Targets(existing, layout, {picture.output},
                      "/backdrop/screen0/monitor" + picture.output + "/");
    if (targets.empty()) {
      error = "XFCE has no backdrop property to set and no monitor was found";
      return false;
    }
    if (!SetImages(targets, existing, picture.file, /*unscaled=*/true, error)) return false;
  }
  return true;
}

}  // namespace murva
