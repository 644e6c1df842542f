#include <gtest/gtest.h>

#include "schedule/schedule_expansion.h"
#include "schedule/schedule_file.h"
#include "schedule/schedule_period.h"
#include "schedule_corpus.h"
#include "schedule_test_support.h"

namespace murva {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

std::string FileBytes(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

TEST(LargeScheduleFile, LoadsExpandsAndSavesBackIdentical) {
  testing::TempFolder folder;
  const auto path = ScheduleFilePath(folder.Path());
  const ScheduleList sorted(testing::GenerateScheduleCorpus(3000));
  const std::string bytes = FileBytes(sorted.Lines());
  WriteBytes(path, bytes);

  ScheduleList entries;
  ASSERT_TRUE(LoadScheduleFile(path, entries));
  ASSERT_EQ(entries.Size(), 3000u);
  FixedClock clock = testing::ClockAt(2025, 6, 15);
  for (int period = kPeriodToday; period < kPeriodCount; ++period) {
    ScheduleOptions options;
    options.period = period;
    options.days_before = 5;
    const ScheduleList output =
        ExpandSchedule(entries, path, options, testing::Day(2025, 6, 15), clock);
    EXPECT_FALSE(output.Empty()) << period;
    for (const std::string& line : output) {
      EXPECT_GE(line.size(), 11u);
      EXPECT_EQ(line[10], ' ');
    }
  }
  SaveScheduleFile(path, entries);
  EXPECT_EQ(ReadBytes(path), bytes);
}

TEST(LargeScheduleFile, UnsortedFileIsWrittenBackSorted) {
  testing::TempFolder folder;
  const auto path = ScheduleFilePath(folder.Path());
  const std::vector<std::string> lines = testing::GenerateScheduleCorpus(2000);
  WriteBytes(path, FileBytes(lines));
  ScheduleList entries;
  ASSERT_TRUE(LoadScheduleFile(path, entries));
  SaveScheduleFile(path, entries);
  EXPECT_EQ(ReadBytes(path), FileBytes(ScheduleList(lines).Lines()));
}

}  // namespace
}  // namespace murva
