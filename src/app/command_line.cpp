#include "app/command_line.h"

#include <charconv>
#include <set>

#ifndef MURVA_VERSION
#define MURVA_VERSION "0"
#endif

namespace murva {
namespace {

// A whole number of the text and nothing else.
std::optional<long long> WholeNumber(const std::string& text) {
  long long value = 0;
  if (text.empty() || text.size() > 12) return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool LeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && LeapYear(year) ? 29 : kDays[month - 1];
}

// "YYYY-MM-DD", a day the calendar knows.
std::optional<CommandDate> ParseDate(const std::string& text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto year = WholeNumber(text.substr(0, 4));
  const auto month = WholeNumber(text.substr(5, 2));
  const auto day = WholeNumber(text.substr(8, 2));
  if (!year || !month || !day) return std::nullopt;
  if (*year < kFirstCommandYear || *year > kLastCommandYear || *month < 1 || *month > 12) {
    return std::nullopt;
  }
  const int y = static_cast<int>(*year);
  const int m = static_cast<int>(*month);
  if (*day < 1 || *day > DaysInMonth(y, m)) return std::nullopt;
  return CommandDate{y, m, static_cast<int>(*day)};
}

// "WxH" (or "W×H"), each side 1 to the largest side.
std::optional<CommandSize> ParseSize(const std::string& text) {
  std::size_t cross = text.find('x');
  std::size_t after = cross + 1;
  if (cross == std::string::npos) {
    cross = text.find("×");
    after = cross + std::string("×").size();
  }
  if (cross == std::string::npos) return std::nullopt;
  const auto width = WholeNumber(text.substr(0, cross));
  const auto height = WholeNumber(text.substr(after));
  if (!width || !height || *width < 1 || *height < 1 || *width > kLargestRenderSide ||
      *height > kLargestRenderSide) {
    return std::nullopt;
  }
  return CommandSize{static_cast<int>(*width), static_cast<int>(*height)};
}

// The words of one action after its switch, with "--name=value" split into
// "--name" "value".
class Words {
 public:
  Words(const std::vector<std::string>& arguments, std::size_t from) {
    for (std::size_t i = from; i < arguments.size(); ++i) {
      const std::string& word = arguments[i];
      const std::size_t equals = word.find('=');
      if (word.rfind("--", 0) == 0 && equals != std::string::npos) {
        words_.push_back(word.substr(0, equals));
        words_.push_back(word.substr(equals + 1));
      } else {
        words_.push_back(word);
      }
    }
  }
  bool Done() const { return next_ >= words_.size(); }
  const std::string& Peek() const { return words_[next_]; }
  std::string Take() { return words_[next_++]; }
  // The value of a switch, or nullopt when the words end.
  std::optional<std::string> Value() {
    if (Done()) return std::nullopt;
    return Take();
  }

 private:
  std::vector<std::string> words_;
  std::size_t next_ = 0;
};

bool IsLongSwitch(const std::string& word) { return word.size() > 2 && word.rfind("--", 0) == 0; }

std::string Quoted(const std::string& word) { return "\"" + word + "\""; }

void ParseAutomatic(CommandLine& command, Words words) {
  command.action = CommandAction::kAutomatic;
  command.minimised = command.first == "-e";
  while (!words.Done()) {
    const std::string word = words.Take();
    if (word == "--watch") {
      command.watch = true;
    } else if (word == "--unattended") {
      command.unattended = true;
    } else if (IsLongSwitch(word)) {
      command.error = "unknown switch " + Quoted(word) + " after " + command.first;
      return;
    }
    // Other words after the run switch are ignored, as they always were.
  }
}

void ParseAutostart(CommandLine& command, Words words) {
  command.action = CommandAction::kAutostart;
  const std::optional<std::string> value = words.Value();
  if (!value || (*value != "on" && *value != "off" && *value != "status")) {
    command.error = "--autostart needs on, off or status";
    return;
  }
  command.autostart = *value;
  while (!words.Done()) {
    const std::string word = words.Take();
    if (command.autostart == "on" && !command.autostart_watch &&
        (word == "--watch" || word == "--no-watch")) {
      command.autostart_watch = word == "--watch";
    } else {
      command.error = Quoted(word) + " cannot go with --autostart " + command.autostart;
      return;
    }
  }
}

// --date, shared by --render and --agenda.
bool TakeDate(CommandLine& command, Words& words) {
  const std::optional<std::string> value = words.Value();
  if (!value) {
    command.error = "--date needs a day as YYYY-MM-DD";
    return false;
  }
  command.date = ParseDate(*value);
  if (!command.date) {
    command.error = "--date " + Quoted(*value) + " is no day from " +
                    std::to_string(kFirstCommandYear) + " to " + std::to_string(kLastCommandYear) +
                    " (YYYY-MM-DD)";
    return false;
  }
  return true;
}

void ParseRender(CommandLine& command, Words words) {
  command.action = CommandAction::kRender;
  std::set<std::string> seen;
  while (!words.Done()) {
    const std::string word = words.Take();
    if (IsLongSwitch(word) && !seen.insert(word).second) {
      command.error = word + " is given twice";
      return;
    }
    if (word == "--date") {
      if (!TakeDate(command, words)) return;
    } else if (word == "--size") {
      const std::optional<std::string> value = words.Value();
      command.size = value ? ParseSize(*value) : std::nullopt;
      if (!command.size) {
        command.error = "--size " + Quoted(value.value_or("")) + " is no picture size (WxH, 1 to " +
                        std::to_string(kLargestRenderSide) + " pixels a side)";
        return;
      }
    } else if (word == "--page") {
      const std::optional<std::string> value = words.Value();
      const std::optional<long long> page = value ? WholeNumber(*value) : std::nullopt;
      if (!page || *page < 1 || *page > 8) {
        command.error = "--page " + Quoted(value.value_or("")) + " is no wallpaper page (1 to 8)";
        return;
      }
      command.page = static_cast<int>(*page);
    } else if (IsLongSwitch(word) || (word.size() > 1 && word[0] == '-')) {
      command.error = "unknown switch " + Quoted(word) + " for --render";
      return;
    } else if (command.render_file.empty()) {
      command.render_file = word;
    } else {
      command.error = "--render takes one file, not also " + Quoted(word);
      return;
    }
  }
  if (command.render_file.empty()) {
    command.error = "--render needs the picture file to write (FILE.png or FILE.bmp)";
    return;
  }
  const std::string extension = command.render_file.extension().string();
  std::string lower;
  for (const char c : extension) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  if (lower != ".png" && lower != ".bmp") {
    command.error = "--render writes PNG or BMP files, not " + Quoted(command.render_file.string());
  }
}

void ParseAgenda(CommandLine& command, Words words) {
  command.action = CommandAction::kAgenda;
  bool days_given = false;
  std::set<std::string> seen;
  while (!words.Done()) {
    const std::string word = words.Take();
    if ((word == "--date" || word == "--json") && !seen.insert(word).second) {
      command.error = word + " is given twice";
      return;
    }
    if (word == "--date") {
      if (!TakeDate(command, words)) return;
    } else if (word == "--json") {
      command.json = true;
    } else if (word == "--calendar") {
      const std::optional<std::string> value = words.Value();
      if (!value || value->empty()) {
        command.error = "--calendar needs a file or an address";
        return;
      }
      command.calendars.push_back(*value);
    } else if (!days_given && !IsLongSwitch(word)) {
      const std::optional<long long> days = WholeNumber(word);
      if (!days || *days < 1 || *days > kLongestAgenda) {
        command.error = "--agenda " + Quoted(word) + " is no number of days (1 to " +
                        std::to_string(kLongestAgenda) + ")";
        return;
      }
      command.agenda_days = static_cast<int>(*days);
      days_given = true;
    } else {
      command.error = "unknown switch " + Quoted(word) + " for --agenda";
      return;
    }
  }
}

void ParseListHolidays(CommandLine& command, Words words) {
  command.action = CommandAction::kListHolidays;
  const std::optional<std::string> value = words.Value();
  const std::optional<long long> year = value ? WholeNumber(*value) : std::nullopt;
  if (!year || *year < kFirstCommandYear || *year > kLastCommandYear) {
    command.error = "--list-holidays needs a year from " + std::to_string(kFirstCommandYear) +
                    " to " + std::to_string(kLastCommandYear) +
                    (value ? ", not " + Quoted(*value) : std::string());
    return;
  }
  command.year = static_cast<int>(*year);
  if (!words.Done()) command.error = Quoted(words.Peek()) + " cannot go with --list-holidays";
}

void ParseImportHolidays(CommandLine& command, Words words) {
  command.action = CommandAction::kImportHolidays;
  const std::optional<std::string> value = words.Value();
  if (!value || value->empty()) {
    command.error = "--import-holidays needs the holiday list file (CSV)";
    return;
  }
  command.holiday_file = *value;
  if (!words.Done()) command.error = Quoted(words.Peek()) + " cannot go with --import-holidays";
}

void ParseAlone(CommandLine& command, Words words, CommandAction action) {
  command.action = action;
  if (!words.Done()) command.error = Quoted(words.Peek()) + " cannot go with " + command.first;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine command;
  if (arguments.empty()) return command;
  command.first = arguments.front();
  std::string first = command.first;
  std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
  // "--switch=value" as the first word.
  if (const std::size_t equals = first.find('='); IsLongSwitch(first) && equals != std::string::npos) {
    rest.insert(rest.begin(), first.substr(equals + 1));
    first = first.substr(0, equals);
  }
  const Words words(rest, 0);
  if (first == "-E" || first == "-e") {
    ParseAutomatic(command, words);
  } else if (first == "--autostart") {
    ParseAutostart(command, words);
  } else if (first == "--render") {
    ParseRender(command, words);
  } else if (first == "--agenda") {
    ParseAgenda(command, words);
  } else if (first == "--list-holidays") {
    ParseListHolidays(command, words);
  } else if (first == "--import-holidays") {
    ParseImportHolidays(command, words);
  } else if (first == "--monitors") {
    ParseAlone(command, words, CommandAction::kMonitors);
  } else if (first == "--help") {
    command.action = CommandAction::kHelp;
  } else if (first == "--version") {
    command.action = CommandAction::kVersion;
  } else if (first == "--watch" || first == "--unattended") {
    command.error = first + " goes after -E or -e";
  } else if (IsLongSwitch(first)) {
    command.error = "unknown switch " + Quoted(first);
  }
  // Any other first word ("-x", "/E", a file name) starts the control panel,
  // as it always did.
  return command;
}

std::string VersionNumber() { return MURVA_VERSION; }

std::string ShortUsage() {
  return "usage: murva32 [-E|-e [--watch] [--unattended]]\n"
         "       murva32 --render FILE.png|FILE.bmp [--size WxH] [--date YYYY-MM-DD] [--page N]\n"
         "       murva32 --agenda [DAYS] [--date YYYY-MM-DD] [--calendar FILE|URL]... [--json]\n"
         "       murva32 --list-holidays YEAR | --import-holidays FILE | --monitors\n"
         "       murva32 --autostart on|off|status [--watch|--no-watch]\n"
         "       murva32 --help | --version\n";
}

std::string UsageText() {
  static constexpr const char* kText = R"(MURVA32 @VERSION@ - a Japanese wallpaper calendar

usage: murva32                 the control panel
       murva32 -E              automatic run: build and install today's wallpaper, then close
       murva32 -e              the same, minimised (on desktops that cannot minimise, the
                               countdown is a desktop notification and no window is shown)
       murva32 -E --watch      (or -e --watch) the automatic run, then stay without a window
                               and run again at midnight, after a wake from suspend, when
                               the clock, the time zone or the monitors change, and at
                               SIGUSR1
       murva32 -E --unattended an automatic run without any window: messages go to standard
                               error and the desktop's notifications
       murva32 --render FILE.png|FILE.bmp [--size WxH] [--date YYYY-MM-DD] [--page N]
                               write the wallpaper a page would give on a day at a size,
                               without a display; nothing is installed or recorded
       murva32 --agenda [DAYS] [--date YYYY-MM-DD] [--calendar FILE|URL]... [--json]
                               print the schedule list's entries for DAYS days (7)
       murva32 --list-holidays YEAR
                               print the holidays of a year as the calendar sees them
       murva32 --import-holidays FILE
                               read the official holiday list (the Cabinet Office's CSV)
       murva32 --monitors      print the connected monitors as the program sees them
       murva32 --autostart on|off|status [--watch|--no-watch]
                               start an automatic run at every log-on (an XDG autostart
                               entry), with or without --watch; stop doing so; or tell
       murva32 --help          this text
       murva32 --version       the program's version

Exit codes: 0 done, 1 the run failed (the reason is on standard error), 2 wrong
arguments, 75 another instance was running.
)";
  std::string usage = kText;
  usage.replace(usage.find("@VERSION@"), 9, MURVA_VERSION);
  return usage;
}

}  // namespace murva
