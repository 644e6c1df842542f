#include "platform/sway_installer.h"

#include <sstream>
#include <vector>

#include "platform/bounded_file.h"
#include "platform/replace_file.h"
#include "platform/run_command.h"

namespace murva {
namespace {

constexpr const char* kMarker = "# murva32: wallpaper calendar (the next line is rewritten by murva32)";

std::filesystem::path ConfigHome(const EnvironmentLookup& environment) {
  std::filesystem::path config = environment("XDG_CONFIG_HOME");
  if (config.empty() || !config.is_absolute()) {
    config = std::filesystem::path(environment("HOME")) / ".config";
  }
  return config;
}

// A sway command argument in double quotes.
std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

}  // namespace

std::filesystem::path SwayUserConfig(const EnvironmentLookup& environment) {
  const std::string home = environment("HOME");
  std::vector<std::filesystem::path> candidates;
  if (!home.empty()) candidates.push_back(std::filesystem::path(home) / ".sway" / "config");
  candidates.push_back(ConfigHome(environment) / "sway" / "config");
  std::error_code error;
  for (const auto& candidate : candidates) {
    if (std::filesystem::is_regular_file(candidate, error)) return candidate;
  }
  return {};
}

std::string SwayBackgroundCommand(const std::filesystem::path& file) {
  return SwayOutputBackgroundCommand("*", file);
}

std::string SwayOutputBackgroundCommand(const std::string& output,
                                        const std::filesystem::path& file) {
  const std::string target = output == "*" ? output : Quoted(output);
  return "output " + target + " bg " + Quoted(file.string()) + " fill";
}

std::string WithSwayWallpaperLine(const std::string& config, const std::filesystem::path& file) {
  return WithSwayWallpaperLines(config, {SwayBackgroundCommand(file)});
}

std::string WithSwayWallpaperLines(const std::string& config,
                                   const std::vector<std::string>& commands) {
  std::istringstream in(config);
  std::vector<std::string> lines;
  bool skip_next = false;
  for (std::string line; std::getline(in, line);) {
    if (skip_next) {
      skip_next = false;
      if (line.rfind("output ", 0) == 0) continue;
    }
    if (line == kMarker) {
      skip_next = true;
      continue;
    }
    lines.push_back(line);
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  if (!text.empty()) text += "\n";
  for (const auto& command : commands) {
    text += kMarker;
    text += '\n';
    text += command;
    text += '\n';
  }
  return text;
}

bool SwayInstaller::Install(const std::filesystem::path& picture, std::string& error) {
  const std::filesystem::path copy = MakeWallpaperCopy(picture, copy_folder_, error);
  return !copy.empty() && Apply({SwayBackgroundCommand(copy)}, error);
}

bool SwayInstaller::InstallMonitors(const std::vector<MonitorWallpaper>& wallpapers,
                                    std::string& error) {
  const std::vector<OutputCopy> pictures = MakeOutputCopies(wallpapers, "*", copy_folder_, error);
  if (pictures.empty()) return false;
  std::vector<std::string> commands;
  for (const OutputCopy& picture : pictures) {
    commands.push_back(SwayOutputBackgroundCommand(picture.output, picture.file));
  }
  return Apply(commands, error);
}

bool SwayInstaller::Apply(const std::vector<std::string>& commands, std::string& error) {
  if (!CommandExists("swaymsg")) {
    error = "swaymsg is not installed";
    return false;
  }
  for (const std::string& command : commands) {
    std::string output, messages;
    if (RunCommand("swaymsg", {command}, &output, &messages) != 0) {
      error = "sway did not take the wallpaper (" + command + "): " +
              TrimmedOutput(output + messages);
      return false;
    }
  }
  const std::filesystem::path config = SwayUserConfig(environment_);
  if (config.empty()) return true;
  std::string old_text;
  const FileReadResult read = ReadBoundedFile(config, kTextFileReadLimit, old_text);
  if (!read.Ok()) {
    error = "the wallpaper is shown, but " + config.string() + " cannot be read: " +
            FileReadReason(read);
    return false;
  }
  std::string write_error;
  if (!ReplaceFile(config, WithSwayWallpaperLines(old_text, commands), write_error)) {
    error = "the wallpaper is shown, but not kept for the next log-on: " + write_error;
    return false;
  }
  return true;
}

}  // namespace murva
