// The program's command line, read in one place into one value. Each action
// is served by the code that already does its work; the parser only checks
// the words and their values.
//
//   murva32                        the control panel (also for words that are
//                                  not long switches, such as "-x" or "/E")
//   murva32 -E | -e [--watch] [--unattended]
//   murva32 --autostart on|off|status [--watch|--no-watch]
//   murva32 --render FILE [--size WxH] [--date YYYY-MM-DD] [--page N]
//   murva32 --agenda [DAYS] [--date YYYY-MM-DD] [--calendar FILE|URL]... [--json]
//   murva32 --list-holidays YEAR
//   murva32 --import-holidays FILE
//   murva32 --monitors
//   murva32 --help | --version
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace murva {

enum class CommandAction {
  kPanel,           // the control panel
  kAutomatic,       // -E / -e
  kAutostart,       // --autostart
  kRender,          // --render
  kAgenda,          // --agenda
  kListHolidays,    // --list-holidays
  kImportHolidays,  // --import-holidays
  kMonitors,        // --monitors
  kHelp,            // --help
  kVersion,         // --version
};

struct CommandDate {
  int year = 0;
  int month = 0;
  int day = 0;
  bool operator==(const CommandDate&) const = default;
};

struct CommandSize {
  int width = 0;
  int height = 0;
  bool operator==(const CommandSize&) const = default;
};

struct CommandLine {
  CommandAction action = CommandAction::kPanel;
  std::string first;  // the first argument, "" when none

  // -E / -e
  bool minimised = false;  // -e
  bool watch = false;
  bool unattended = false;

  // --autostart: "on", "off" or "status"; with "on", whether the log-on run
  // keeps the resident mode (--watch), drops it (--no-watch) or leaves it.
  std::string autostart;
  std::optional<bool> autostart_watch;

  // --render
  std::filesystem::path render_file;
  std::optional<CommandSize> size;
  std::optional<int> page;  // 1..8

  // --render and --agenda: the day to stand on instead of today.
  std::optional<CommandDate> date;

  // --agenda
  int agenda_days = 7;
  std::vector<std::string> calendars;  // --calendar, for this run only
  bool json = false;

  // --list-holidays
  int year = 0;

  // --import-holidays
  std::filesystem::path holiday_file;

  // Not empty: the words cannot be used so (exit 2 with the short usage).
  std::string error;
};

// The arguments after the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The version ("4.21"), the full text of --help, and the short usage after
// a usage error.
std::string VersionNumber();
std::string UsageText();
std::string ShortUsage();

// Exit codes.
inline constexpr int kExitUsage = 2;
inline constexpr int kExitRunFailed = 1;
inline constexpr int kExitInstanceBusy = 75;  // another instance ran; nothing was done

// The range of dates and years the calendar knows.
inline constexpr int kFirstCommandYear = 1900;
inline constexpr int kLastCommandYear = 2100;
// The largest picture --render makes, per side.
inline constexpr int kLargestRenderSide = 16384;
inline constexpr int kLongestAgenda = 366;

}  // namespace murva
