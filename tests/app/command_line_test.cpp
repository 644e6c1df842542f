// The command line, read into one value: which action, its values, and the
// usage errors that end the program with exit code 2.
#include <gtest/gtest.h>

#include "app/command_line.h"

namespace murva {
namespace {

using Words = std::vector<std::string>;

TEST(CommandLine, TheRunSwitchAndItsWords) {
  struct Case {
    Words arguments;
    CommandAction action;
    bool minimised, watch, unattended, error;
  };
  const Case cases[] = {
      {{}, CommandAction::kPanel, false, false, false, false},
      {{"-E"}, CommandAction::kAutomatic, false, false, false, false},
      {{"-e", "--watch"}, CommandAction::kAutomatic, true, true, false, false},
      {{"-E", "--unattended"}, CommandAction::kAutomatic, false, false, true, false},
      {{"-E", "other", "--watch"}, CommandAction::kAutomatic, false, true, false, false},
      // Words that are no long switch start the control panel, as they always did.
      {{"-x", "--watch"}, CommandAction::kPanel, false, false, false, false},
      {{"/E"}, CommandAction::kPanel, false, false, false, false},
      {{"--watch"}, CommandAction::kPanel, false, false, false, true},
      {{"--unattended", "-E"}, CommandAction::kPanel, false, false, false, true},
      {{"-E", "--frobnicate"}, CommandAction::kAutomatic, false, false, false, true},
      {{"--frobnicate"}, CommandAction::kPanel, false, false, false, true},
      {{"--help"}, CommandAction::kHelp, false, false, false, false},
      {{"--version"}, CommandAction::kVersion, false, false, false, false},
      {{"--monitors"}, CommandAction::kMonitors, false, false, false, false},
      {{"--monitors", "x"}, CommandAction::kMonitors, false, false, false, true},
  };
  for (const Case& c : cases) {
    const CommandLine command = ParseCommandLine(c.arguments);
    const std::string what = c.arguments.empty() ? "(none)" : c.arguments.front();
    EXPECT_EQ(command.action, c.action) << what;
    EXPECT_EQ(command.minimised, c.minimised) << what;
    EXPECT_EQ(command.watch, c.watch) << what;
    EXPECT_EQ(command.unattended, c.unattended) << what;
    EXPECT_EQ(!command.error.empty(), c.error) << what << ": " << command.error;
    if (!c.arguments.empty()) {
      EXPECT_EQ(command.first, c.arguments.front());
    }
  }
}

TEST(CommandLine, RenderTakesAFileASizeADayAndAPage) {
  CommandLine command = ParseCommandLine(
      {"--render", "out.png", "--size", "3840x2160", "--date=2026-12-07", "--page", "3"});
  ASSERT_TRUE(command.error.empty()) << command.error;
  EXPECT_EQ(command.action, CommandAction::kRender);
  EXPECT_EQ(command.render_file, "out.png");
  EXPECT_EQ(command.size, (CommandSize{3840, 2160}));
  EXPECT_EQ(command.date, (CommandDate{2026, 12, 7}));
  EXPECT_EQ(command.page, 3);

  command = ParseCommandLine({"--render=wall.BMP"});
  EXPECT_TRUE(command.error.empty()) << command.error;
  EXPECT_FALSE(command.size || command.date || command.page);
}

TEST(CommandLine, AgendaTakesDaysADayCalendarsAndJson) {
  const CommandLine command = ParseCommandLine(
      {"--agenda", "14", "--calendar", "a.ics", "--date", "2024-02-29", "--calendar",
       "webcal://example.org/x.ics", "--json"});
  ASSERT_TRUE(command.error.empty()) << command.error;
  EXPECT_EQ(command.agenda_days, 14);
  EXPECT_EQ(command.calendars, (Words{"a.ics", "webcal://example.org/x.ics"}));
  EXPECT_EQ(command.date, (CommandDate{2024, 2, 29}));
  EXPECT_TRUE(command.json);
  EXPECT_EQ(ParseCommandLine({"--agenda"}).agenda_days, 7);
}

TEST(CommandLine, WrongValuesAreNamedInTheError) {
  struct Case {
    Words arguments;
    std::string named;  // the argument the message names
  };
  const Case cases[] = {
      {{"--render", "x.png", "--size", "0x0"}, "0x0"},
      {{"--render", "x.png", "--size", "800"}, "800"},
      {{"--render", "x.png", "--size", "99999x10"}, "99999x10"},
      {{"--render", "x.png", "--date", "2026-02-30"}, "2026-02-30"},
      {{"--render", "x.png", "--date", "2101-01-01"}, "2101-01-01"},
      {{"--render", "x.png", "--date", "26-1-1"}, "26-1-1"},
      {{"--render", "x.png", "--page", "9"}, "9"},
      {{"--render", "x.png", "--page", "0"}, "0"},
      {{"--render", "x.png", "--page"}, "--page"},
      {{"--render", "x.png", "--size", "10x10", "--size", "20x20"}, "--size"},
      {{"--render", "x.jpg"}, "x.jpg"},
      {{"--render"}, "--render"},
      {{"--render", "a.png", "b.png"}, "b.png"},
      {{"--render", "a.png", "--bogus"}, "--bogus"},
      {{"--agenda", "0"}, "0"},
      {{"--agenda", "500"}, "500"},
      {{"--agenda", "--calendar"}, "--calendar"},
      {{"--agenda", "--date", "2023-02-29"}, "2023-02-29"},
      {{"--list-holidays", "1899"}, "1899"},
      {{"--list-holidays", "year"}, "year"},
      {{"--list-holidays"}, "--list-holidays"},
      {{"--import-holidays"}, "--import-holidays"},
      {{"--autostart", "maybe"}, "--autostart"},
      {{"--autostart", "off", "--watch"}, "--watch"},
      {{"--autostart", "on", "--watch", "--no-watch"}, "--no-watch"},
      {{"--frobnicate"}, "--frobnicate"},
  };
  for (const Case& c : cases) {
    const CommandLine command = ParseCommandLine(c.arguments);
    EXPECT_NE(command.error.find(c.named), std::string::npos)
        << c.arguments.back() << ": " << command.error;
  }
}

TEST(CommandLine, AutostartKeepsTheWatchChoice) {
  EXPECT_EQ(ParseCommandLine({"--autostart", "on", "--watch"}).autostart_watch, true);
  EXPECT_EQ(ParseCommandLine({"--autostart=on", "--no-watch"}).autostart_watch, false);
  EXPECT_FALSE(ParseCommandLine({"--autostart", "status"}).autostart_watch.has_value());
}

TEST(CommandLine, TheHelpNamesEverySwitch) {
  const std::string help = UsageText();
  for (const char* word : {"-E", "-e", "--watch", "--unattended", "--render", "--size", "--date",
                           "--page", "--agenda", "--calendar", "--json", "--list-holidays",
                           "--import-holidays", "--monitors", "--autostart", "--no-watch",
                           "--help", "--version", "SIGUSR1"}) {
    EXPECT_NE(help.find(word), std::string::npos) << word;
  }
  EXPECT_NE(help.find(VersionNumber()), std::string::npos);
}

}  // namespace
}  // namespace murva
