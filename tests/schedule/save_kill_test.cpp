// Saves of the settings and the schedule killed at random moments: every
// file on disk is always a complete old or new content, and the temporary
// files of the killed saves are gone after the next save.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "schedule/schedule_file.h"
#include "schedule_test_support.h"
#include "settings/profile_file.h"

namespace murva {
namespace {

namespace fs = std::filesystem;

constexpr int kKills = 300;

// The settings file after a save of the given value.
std::string SettingsWith(const fs::path& scratch, const std::string& value) {
  ProfileFile file(scratch);
  file.WriteString("Murva32V4", "TitleText1", value);
  file.WriteString("Murva32V4", "CalMakeDay", "2026/05/03");
  return file.Content();
}

ScheduleList ScheduleOf(char mark, int entries) {
  std::vector<std::string> lines;
  for (int i = 0; i < entries; ++i) {
    lines.push_back("@@/@@/" + std::to_string(10 + i % 20) + " 00 3 " + std::string(60, mark) +
                    std::to_string(i));
  }
  return ScheduleList(lines);
}

std::string ScheduleBytes(const ScheduleList& list) {
  std::string bytes;
  for (const std::string& line : list) bytes += line + "\r\n";
  return bytes;
}

// Saves both files over and over, alternating two contents, until killed.
[[noreturn]] void SaveForEver(const fs::path& folder, const std::string& value_a,
                              const std::string& value_b, const ScheduleList& schedule_a,
                              const ScheduleList& schedule_b) {
  for (int round = 0;; ++round) {
    const bool a = round % 2 == 0;
    try {
      ProfileFile settings(folder / "MURVA32.INI");
      settings.WriteString("Murva32V4", "TitleText1", a ? value_a : value_b);
      settings.WriteString("Murva32V4", "CalMakeDay", "2026/05/03");
      settings.Commit();
      SaveScheduleFile(folder / "MURVA32.SCH", a ? schedule_a : schedule_b);
    } catch (...) {
      _exit(3);
    }
  }
}

TEST(SaveKill, EveryFileIsWholeAndNoTemporaryFileStays) {
  testing::TempFolder folder;
  const std::string value_a(20000, 'a');
  const std::string value_b(30000, 'b');
  const std::string settings_a = SettingsWith(folder.Path() / "scratch-a", value_a);
  const std::string settings_b = SettingsWith(folder.Path() / "scratch-b", value_b);
  const ScheduleList schedule_a = ScheduleOf('A', 3000);
  const ScheduleList schedule_b = ScheduleOf('B', 2000);
  const std::string schedule_bytes_a = ScheduleBytes(schedule_a);
  const std::string schedule_bytes_b = ScheduleBytes(schedule_b);
  testing::WriteBytes(folder.Path() / "MURVA32.INI", settings_a);
  testing::WriteBytes(folder.Path() / "MURVA32.SCH", schedule_bytes_a);

  std::mt19937 random(12345);
  std::uniform_int_distribution<int> delay_us(0, 4000);
  int left_behind_at_most = 0;
  for (int kill_number = 0; kill_number < kKills; ++kill_number) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) SaveForEver(folder.Path(), value_a, value_b, schedule_a, schedule_b);
    std::this_thread::sleep_for(std::chrono::microseconds(delay_us(random)));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child ended by itself: " << status;

    const std::string settings = testing::ReadBytes(folder.Path() / "MURVA32.INI");
    ASSERT_TRUE(settings == settings_a || settings == settings_b)
        << "kill " << kill_number << ": the settings file is " << settings.size() << " bytes";
    const std::string schedule = testing::ReadBytes(folder.Path() / "MURVA32.SCH");
    ASSERT_TRUE(schedule == schedule_bytes_a || schedule == schedule_bytes_b)
        << "kill " << kill_number << ": the schedule file is " << schedule.size() << " bytes";
    int temporary = 0;
    for (const auto& entry : fs::directory_iterator(folder.Path())) {
      temporary += entry.path().filename().string().front() == '.';
    }
    // Each save clears what earlier killed saves left: never more than one
    // leftover per file.
    ASSERT_LE(temporary, 2) << "kill " << kill_number;
    left_behind_at_most = std::max(left_behind_at_most, temporary);
  }
  EXPECT_GT(left_behind_at_most, 0) << "no kill ever landed inside a save";

  ProfileFile settings(folder.Path() / "MURVA32.INI");
  settings.WriteString("Murva32V4", "TitleText1", value_a);
  settings.Commit();
  SaveScheduleFile(folder.Path() / "MURVA32.SCH", schedule_b);
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder.Path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"MURVA32.INI", "MURVA32.SCH"}));
  EXPECT_EQ(testing::ReadBytes(folder.Path() / "MURVA32.INI"), settings_a);
  EXPECT_EQ(testing::ReadBytes(folder.Path() / "MURVA32.SCH"), schedule_bytes_b);
}

}  // namespace
}  // namespace murva
