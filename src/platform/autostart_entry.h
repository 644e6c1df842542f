// The log-on run: an XDG autostart entry ($XDG_CONFIG_HOME/autostart/
// murva32.desktop) that starts the program with its automatic-run switch
// when the user logs on. Desktops that follow the XDG autostart rules (GNOME,
// KDE Plasma, XFCE, Cinnamon, MATE, LXQt, LXDE, and systemd's generator for
// the others) read it.
#pragma once

#include <filesystem>
#include <string>

#include "platform/program_folder.h"

namespace murva {

inline constexpr const char* kAutostartFileName = "murva32.desktop";

// $XDG_CONFIG_HOME/autostart/murva32.desktop (~/.config/autostart/...).
std::filesystem::path AutostartEntryPath(const EnvironmentLookup& environment);

// One argument of a desktop entry's Exec key, quoted where the desktop entry
// rules ask for it and escaped as a desktop entry string value. Throws
// std::invalid_argument for a text no Exec key can carry (a line break).
std::string ExecArgument(const std::string& argument);

// The entry's text: starts the executable with the switch ("-E" or "-e"),
// followed by "--watch" when the program is to stay and keep the wallpaper
// current. A program folder given by $MURVA32_HOME when the entry was made
// is passed on, so the log-on run uses the same settings.
std::string AutostartEntryText(const std::filesystem::path& executable, const std::string& run_switch,
                               const std::string& program_home, bool watch = false);

// Writes (atomically) or removes the entry. Throw std::runtime_error with
// the reason on failure; removing an entry that is not there is no failure.
void WriteAutostartEntry(const std::filesystem::path& entry, const std::string& text);
void RemoveAutostartEntry(const std::filesystem::path& entry);

// Turns the log-on run on or off for the running program: the entry starts
// this executable with "-E" (and "--watch").
void SetLogOnRun(bool on, const EnvironmentLookup& environment,
                 const std::filesystem::path& executable, bool watch = false);

// What an entry on disk does: whether it is there, and whether its command
// carries "--watch".
struct LogOnRunState {
  bool on = false;
  bool watch = false;
};
LogOnRunState ReadLogOnRun(const std::filesystem::path& entry);

// The running executable's own path.
std::filesystem::path ExecutableFile();

}  // namespace murva
