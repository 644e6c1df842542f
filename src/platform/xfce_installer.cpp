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
// xfdesktop's image styles: 0 shows no picture, 5 zooms it to fill.
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

bool XfceInstaller::Install(const std::filesystem::path& picture, std::string& error) {
  const std::filesystem::path copy = MakeWallpaperCopy(picture, copy_folder_, error);
  if (copy.empty()) return false;

  std::string listing, messages;
  if (Query({"-l"}, &listing, &messages) != 0) {
    error = Failure("read the " + std::string(kChannel) + " channel", messages);
    return false;
  }
  std::set<std::string> existing;
  std::vector<std::string> targets;
  std::istringstream lines(listing);
  for (std::string line; std::getline(lines, line);) {
    line = TrimmedOutput(line);
    if (line.empty()) continue;
    existing.insert(line);
    if (line.rfind("/backdrop/", 0) == 0 && EndsWith(line, kLastImage)) targets.push_back(line);
  }
  const XfceScreenLayout layout = layout_ ? layout_() : XfceScreenLayout{};
  const int workspaces = std::clamp(layout.workspaces, 1, kMostWorkspaces);
  for (const std::string& monitor : layout.monitors) {
    for (int workspace = 0; workspace < workspaces; ++workspace) {
      const std::string property = "/backdrop/screen0/monitor" + monitor + "/workspace" +
                                   std::to_string(workspace) + kLastImage;
      if (std::find(targets.begin(), targets.end(), property) == targets.end()) {
        targets.push_back(property);
      }
    }
  }
  if (targets.empty()) {
    error = "XFCE has no backdrop property to set and no monitor was found";
    return false;
  }

  const std::string file = copy.string();
  for (const std::string& property : targets) {
    const bool known = existing.count(property) > 0;
    std::vector<std::string> set = {"-p", property};
    if (!known) set.insert(set.end(), {"-n", "-t", "string"});
    set.insert(set.end(), {"-s", file});
    if (Query(set, nullptr, &messages) != 0) {
      error = Failure("set " + property, messages);
      return false;
    }
    const std::string style =
        property.substr(0, property.size() - std::string(kLastImage).size()) + "/image-style";
    if (!existing.count(style)) {
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

}  // namespace murva
