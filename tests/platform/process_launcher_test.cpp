#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "platform/process_launcher.h"
#include "support/temp_folder.h"

namespace murva {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(SplitCommandLine, QuotesGroupBlanksAndAreDropped) {
  using Words = std::vector<std::string>;
  EXPECT_EQ(SplitCommandLine("prog a  b"), (Words{"prog", "a", "b"}));
  EXPECT_EQ(SplitCommandLine("\"/opt/My Tools/run\" \"two words\" x"),
            (Words{"/opt/My Tools/run", "two words", "x"}));
  EXPECT_EQ(SplitCommandLine("  "), Words{});
  EXPECT_EQ(SplitCommandLine("a \"\" b"), (Words{"a", "", "b"}));
}

bool WaitForFile(const std::filesystem::path& path) {
  for (int i = 0; i < 800; ++i) {  // up to 20 s on a loaded machine
    if (std::filesystem::exists(path) && !ReadBytes(path).empty()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  return false;
}

TEST(SpawnLauncher, StartsWithoutShellInTheGivenFolder) {
  TempFolder folder;
  const auto script = folder / "dir with blank" / "mark.sh";
  // The marker appears whole, by a rename, so the test never reads half of it.
  WriteBytes(script, "#!/bin/sh\n{ pwd; echo \"$1|$2\"; } > marker.tmp && mv marker.tmp marker.txt\n");
  chmod(script.c_str(), 0755);
  SpawnLauncher launcher;
  const std::string command = "\"" + script.string() + "\" \"a b\" $HOME";
  ASSERT_EQ(launcher.Start(command, script.parent_path()), 0);
  const auto marker = script.parent_path() / "marker.txt";
  ASSERT_TRUE(WaitForFile(marker));
  // No shell: "$HOME" reaches the program as it stands.
  EXPECT_EQ(ReadBytes(marker), script.parent_path().string() + "\na b|$HOME\n");
}

TEST(SpawnLauncher, MissingProgramGivesItsErrorNumber) {
  SpawnLauncher launcher;
  EXPECT_EQ(launcher.Start("/nonexistent/program.exe", "/"), ENOENT);
  EXPECT_EQ(launcher.Start("", "/"), ENOENT);
}

TEST(SpawnLauncher, LeavesNoZombie) {
  SpawnLauncher launcher;
  ASSERT_EQ(launcher.Start("/bin/true", "/"), 0);
  // The reaper collects the child shortly after it ends.
  bool zombie = true;
  for (int i = 0; i < 500 && zombie; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    zombie = false;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
      const std::string name = entry.path().filename().string();
      if (name.find_first_not_of("0123456789") != std::string::npos) continue;
      const std::string stat = ReadBytes(entry.path() / "stat");
      if (stat.find("(true) Z") != std::string::npos &&
          stat.find(" " + std::to_string(getpid()) + " ") != std::string::npos) {
        zombie = true;
      }
    }
  }
  EXPECT_FALSE(zombie);
}

}  // namespace
}  // namespace murva
