#include "platform/autostart_entry.h"

#include <fstream>
#include <stdexcept>

#include "platform/replace_file.h"

namespace murva {
namespace {

// Characters that make an Exec argument need quotes.
constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";

}  // namespace

std::filesystem::path AutostartEntryPath(const EnvironmentLookup& environment) {
  std::filesystem::path config = environment("XDG_CONFIG_HOME");
  if (config.empty() || !config.is_absolute()) {
    config = std::filesystem::path(environment("HOME")) / ".config";
  }
  return config / "autostart" / kAutostartFileName;
}

std::string ExecArgument(const std::string& argument) {
  if (argument.find_first_of("\n\r") != std::string::npos) {
    throw std::invalid_argument("a line break cannot be part of a command in a desktop entry");
  }
  std::string quoted;
  const bool needs_quotes =
      argument.empty() || argument.find_first_of(kReserved) != std::string_view::npos;
  for (const char c : argument) {
    // Inside quotes these four take a backslash.
    if (needs_quotes && (c == '"' || c == '`' || c == '$' || c == '\\')) quoted += '\\';
    // A per cent sign would start a field code.
    if (c == '%') quoted += '%';
    quoted += c;
  }
  if (needs_quotes) quoted = "\"" + quoted + "\"";
  // The key's value is a string value, in which a backslash is escaped once more.
  std::string value;
  for (const char c : quoted) {
    if (c == '\\') value += '\\';
    value += c;
  }
  return value;
}

std::string AutostartEntryText(const std::filesystem::path& executable, const std::string& run_switch,
                               const std::string& program_home, bool watch) {
  std::string exec;
  if (!program_home.empty()) exec = "env " + ExecArgument("MURVA32_HOME=" + program_home) + " ";
  exec += ExecArgument(executable.string()) + " " + ExecArgument(run_switch);
  if (watch) exec += " --watch";
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=MURVA32\n"
         "Comment=Builds today's wallpaper calendar when you log on\n"
         "Comment[ja]=ログオン時に今日の壁紙カレンダを作成します\n"
         "Exec=" + exec + "\n"
         "Icon=murva32\n"
         "Terminal=false\n"
         "X-GNOME-Autostart-enabled=true\n";
}

void WriteAutostartEntry(const std::filesystem::path& entry, const std::string& text) {
  std::error_code fs_error;
  std::filesystem::create_directories(entry.parent_path(), fs_error);
  if (fs_error) {
    throw std::runtime_error("cannot create " + entry.parent_path().string() + ": " +
                             fs_error.message());
  }
  std::string error;
  if (!ReplaceFile(entry, text, error)) throw std::runtime_error(error);
}

void RemoveAutostartEntry(const std::filesystem::path& entry) {
  std::error_code fs_error;
  std::filesystem::remove(entry, fs_error);
  if (fs_error) throw std::runtime_error("cannot remove " + entry.string() + ": " + fs_error.message());
}

void SetLogOnRun(bool on, const EnvironmentLookup& environment,
                 const std::filesystem::path& executable, bool watch) {
  const std::filesystem::path entry = AutostartEntryPath(environment);
  if (!on) {
    RemoveAutostartEntry(entry);
    return;
  }
  if (executable.empty()) throw std::runtime_error("the program's own file is not known");
  std::string home = environment("MURVA32_HOME");
  if (!home.empty()) home = std::filesystem::absolute(home).string();
  WriteAutostartEntry(entry, AutostartEntryText(executable, "-E", home, watch));
}

LogOnRunState ReadLogOnRun(const std::filesystem::path& entry) {
  LogOnRunState state;
  std::error_code error;
  state.on = std::filesystem::exists(entry, error);
  std::ifstream file(entry);
  std::string line;
  while (std::getline(file, line)) {
    if (line.rfind("Exec=", 0) != 0) continue;
    // The command's words: quoted ones (with their escapes) are one word.
    std::string word;
    bool quoted = false;
    bool quoted_word = false;
    const auto end_word = [&] {
      if (word == "--watch" && !quoted_word) state.watch = true;
      word.clear();
      quoted_word = false;
    };
    for (std::size_t i = 5; i < line.size(); ++i) {
      const char c = line[i];
      if (quoted && c == '\\' && i + 1 < line.size()) {
        word += line[++i];
      } else if (c == '"') {
        quoted = !quoted;
        quoted_word = true;
      } else if (!quoted && (c == ' ' || c == '\t')) {
        end_word();
      } else {
        word += c;
      }
    }
    end_word();
    break;
  }
  return state;
}

std::filesystem::path ExecutableFile() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return self;
}

}  // namespace murva
