// The log-on run's XDG autostart entry: written where the desktops look,
// valid, starting the program with its switch, and removed again.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "platform/autostart_entry.h"
#include "platform/run_command.h"
#include "scoped_environment.h"
#include "support/temp_folder.h"

namespace murva {
namespace {

using testing::Environment;
using testing::TempFolder;

TEST(AutostartEntry, LivesInTheConfigHomesAutostartFolder) {
  EXPECT_EQ(AutostartEntryPath(Environment({{"XDG_CONFIG_HOME", "/cfg"}, {"HOME", "/h"}})),
            "/cfg/autostart/murva32.desktop");
  EXPECT_EQ(AutostartEntryPath(Environment({{"HOME", "/h"}})),
            "/h/.config/autostart/murva32.desktop");
  EXPECT_EQ(AutostartEntryPath(Environment({{"XDG_CONFIG_HOME", "rel"}, {"HOME", "/h"}})),
            "/h/.config/autostart/murva32.desktop");
}

TEST(AutostartEntry, ExecArgumentsAreQuotedAndEscaped) {
  EXPECT_EQ(ExecArgument("/usr/bin/murva32"), "/usr/bin/murva32");
  EXPECT_EQ(ExecArgument("-E"), "-E");
  EXPECT_EQ(ExecArgument("/opt/my apps/murva32"), "\"/opt/my apps/murva32\"");
  // Inside quotes a backslash escapes " ` $ \, and the string value escapes
  // every backslash once more.
  EXPECT_EQ(ExecArgument("/a\"b"), "\"/a\\\\\"b\"");
  EXPECT_EQ(ExecArgument("/a$b"), "\"/a\\\\$b\"");
  EXPECT_EQ(ExecArgument("/a\\b"), "\"/a\\\\\\\\b\"");
  // A per cent sign is doubled so it starts no field code.
  EXPECT_EQ(ExecArgument("/100%/murva32"), "/100%%/murva32");
  EXPECT_EQ(ExecArgument(""), "\"\"");
  EXPECT_THROW(ExecArgument("/a\nb"), std::invalid_argument);
}

TEST(AutostartEntry, TextStartsTheProgramWithTheSwitch) {
  const std::string text = AutostartEntryText("/usr/bin/murva32", "-E", "");
  EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u);
  EXPECT_NE(text.find("\nType=Application\n"), std::string::npos);
  EXPECT_NE(text.find("\nExec=/usr/bin/murva32 -E\n"), std::string::npos);
  const std::string homed = AutostartEntryText("/usr/bin/murva32", "-e", "/srv/my murva");
  EXPECT_NE(homed.find("\nExec=env \"MURVA32_HOME=/srv/my murva\" /usr/bin/murva32 -e\n"),
            std::string::npos) << homed;
}

TEST(AutostartEntry, TheWatchIsAddedToTheCommandAndReadBack) {
  const std::string text = AutostartEntryText("/usr/bin/murva32", "-E", "", true);
  EXPECT_NE(text.find("\nExec=/usr/bin/murva32 -E --watch\n"), std::string::npos) << text;

  TempFolder folder;
  const auto entry = folder / "murva32.desktop";
  EXPECT_FALSE(ReadLogOnRun(entry).on);
  WriteAutostartEntry(entry, text);
  EXPECT_TRUE(ReadLogOnRun(entry).on);
  EXPECT_TRUE(ReadLogOnRun(entry).watch);
  WriteAutostartEntry(entry, AutostartEntryText("/opt/my --watch apps/murva32", "-E", ""));
  EXPECT_TRUE(ReadLogOnRun(entry).on);
  EXPECT_FALSE(ReadLogOnRun(entry).watch);  // a word of the path is no switch
}

// A stand-in program at an awkward path that records how it was started.
std::filesystem::path RecordingProgram(const std::filesystem::path& folder) {
  const auto program = folder / "my \"apps\" $HOME" / "murva32";
  testing::WriteBytes(program,
                      "#!/bin/sh\n"
                      "for argument in \"$@\"; do printf '%s\\n' \"$argument\"; done > \"${0%/*}/started\"\n"
                      "printf '%s\\n' \"$MURVA32_HOME\" >> \"${0%/*}/started\"\n");
  chmod(program.c_str(), 0755);
  return program;
}

TEST(AutostartEntry, OnWritesAValidEntryThatStartsTheProgramAndOffRemovesIt) {
  TempFolder folder;
  testing::ScopedEnvironment environment;
  environment.Set("XDG_CONFIG_HOME", (folder / "config").string());
  environment.Set("MURVA32_HOME", (folder / "settings").string());
  const auto program = RecordingProgram(folder.Path());
  const auto entry = folder / "config" / "autostart" / "murva32.desktop";

  SetLogOnRun(true, ProcessEnvironment(), program);
  ASSERT_TRUE(std::filesystem::exists(entry));
  std::string messages;
  EXPECT_EQ(RunCommand("desktop-file-validate", {entry.string()}, &messages), 0) << messages;
  EXPECT_EQ(messages, "");

  // Launched as a desktop launches an entry, it runs the program with "-E",
  // in the same program folder.
  ASSERT_EQ(RunCommand("gio", {"launch", entry.string()}, nullptr, &messages), 0) << messages;
  const auto started = program.parent_path() / "started";
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (testing::ReadBytes(started).find('\n') == std::string::npos &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  // Give the recorder time to finish its second line.
  while (testing::ReadBytes(started).find("settings") == std::string::npos &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(testing::ReadBytes(started), "-E\n" + (folder / "settings").string() + "\n");

  // On again: the same entry, rewritten in place.
  SetLogOnRun(true, ProcessEnvironment(), program);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(entry.parent_path()),
                          std::filesystem::directory_iterator()),
            1);

  SetLogOnRun(false, ProcessEnvironment(), program);
  EXPECT_FALSE(std::filesystem::exists(entry));
  // Off when it is already off is no failure.
  EXPECT_NO_THROW(SetLogOnRun(false, ProcessEnvironment(), program));
}

TEST(AutostartEntry, AnUnwritableFolderIsReported) {
  TempFolder folder;
  testing::WriteBytes(folder / "config", "a file where the folder should be");
  testing::ScopedEnvironment environment;
  environment.Set("XDG_CONFIG_HOME", (folder / "config").string());
  try {
    SetLogOnRun(true, ProcessEnvironment(), "/usr/bin/murva32");
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("autostart"), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace murva
