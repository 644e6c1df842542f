#include "schedule/external_schedule.h"

#include <gtest/gtest.h>

#include "schedule/schedule_errors.h"
#include "schedule/schedule_expansion.h"
#include "schedule_test_support.h"

namespace murva {
namespace {

using testing::ClockAt;
using testing::Day;
using testing::Sjis;
using testing::TempFolder;
using testing::Utf8Lines;
using testing::WriteBytes;
using Lines = std::vector<std::string>;

ScheduleOptions Source(int source, const std::filesystem::path& path, int period = 1) {
  ScheduleOptions options;
  options.period = period;
  options.source = source;
  options.external_path = path;
  return options;
}

Lines ExpandFrom(const ScheduleList& entries, const ScheduleOptions& options,
                 const TodayFields& today) {
  FixedClock clock = ClockAt(today.year, today.month, today.day);
  return Utf8Lines(
      ExpandMergedLines(MergeScheduleSources(entries, options.source, options.external_path, today),
                        options, today, clock));
}

TEST(ExternalErrorLine, TodayWithoutTheCenturyThenSixBlanks) {
  EXPECT_EQ(DecodeCp932Lossy(ExternalErrorLine(Day(2025, 6, 15))),
            "25/06/15      #外部予定# 読込み不可");
}

TEST(ExternalSources, OwnEntriesOnlyNeverTouchTheFile) {
  ScheduleList own({Sjis("25/06/15 00 1 自分")});
  EXPECT_EQ(MergeScheduleSources(own, kSourceOwn, "/no/such/file", Day(2025, 6, 15)), own.Lines());
  EXPECT_EQ(ExpandFrom(own, Source(kSourceOwn, "/no/such/file"), Day(2025, 6, 15)),
            Lines{"2025/06/15 自分"});
}

TEST(ExternalSources, ExternalOnlyWithAMissingFileGivesTheErrorLine) {
  ScheduleList own({Sjis("25/06/15 00 1 自分")});
  ScheduleOptions options = Source(kSourceExternal, "/no/such/file");
  options.birthday = "80/06/15";
  EXPECT_EQ(ExpandFrom(own, options, Day(2025, 6, 15)),
            (Lines{"2025/06/15 #外部予定# 読込み不可", "2025/06/15 ☆誕生日おめでとう☆"}));
  // An empty path is a missing file too.
  EXPECT_EQ(ExpandFrom(own, Source(kSourceExternal, ""), Day(2025, 6, 15)),
            Lines{"2025/06/15 #外部予定# 読込み不可"});
}

TEST(ExternalSources, ErrorLineIsListedInEveryPeriodThatHoldsToday) {
  for (int period = 1; period <= 10; ++period) {
    EXPECT_EQ(
        ExpandFrom(ScheduleList(), Source(kSourceBoth, "/no/such/file", period), Day(2025, 6, 15)),
        Lines{"2025/06/15 #外部予定# 読込み不可"})
        << period;
  }
}

TEST(ExternalSources, ExternalOnlyReadsExactlyTheFilesLines) {
  TempFolder folder;
  WriteBytes(folder / "SELBORI.DAT",
             Sjis("25/06/16 00 1 外部2\n25/06/15 ab12 外部1\r\n@@/@@/W1 00 4 毎週\r\n"));
  ScheduleList own({Sjis("25/06/15 00 1 自分")});
  EXPECT_EQ(ExpandFrom(own, Source(kSourceExternal, folder / "SELBORI.DAT", 5), Day(2025, 6, 15)),
            (Lines{"2025/06/15 外部1", "2025/06/15 毎週", "2025/06/16 外部2"}));
}

TEST(ExternalSources, BothWithAnIdenticalFileListEveryEntryOnce) {
  TempFolder folder;
  const std::string bytes = Sjis("25/06/15 00 1 会議\r\n@@/@@/W1 00 4 毎週\r\n");
  WriteBytes(folder / "MURVA32.SCH", bytes);
  ScheduleList own({Sjis("25/06/15 00 1 会議"), Sjis("@@/@@/W1 00 4 毎週")});
  EXPECT_EQ(ExpandFrom(own, Source(kSourceBoth, folder / "MURVA32.SCH"), Day(2025, 6, 15)),
            (Lines{"2025/06/15 会議", "2025/06/15 毎週"}));
}

TEST(ExternalSources, BothWithAMissingFileAddsTheErrorLine) {
  ScheduleList own({Sjis("25/06/15 00 1 自分")});
  EXPECT_EQ(ExpandFrom(own, Source(kSourceBoth, "/no/such/file"), Day(2025, 6, 15)),
            (Lines{"2025/06/15 #外部予定# 読込み不可", "2025/06/15 自分"}));
}

TEST(ExternalSources, AHeaderLineStopsTheExpansion) {
  TempFolder folder;
  WriteBytes(folder / "x.dat", "SELBORINA32 DATA\r\n25/06/15 00 1 a\r\n");
  EXPECT_THROW(
      ExpandFrom(ScheduleList(), Source(kSourceExternal, folder / "x.dat"), Day(2025, 6, 15)),
      ScheduleIntegerError);
}

TEST(ExternalSources, FileIsOnlyRead) {
  TempFolder folder;
  const auto path = folder / "x.dat";
  WriteBytes(path, "25/06/15 00 1 b\r\n25/06/15 00 1 a\n");
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);
  const auto before = std::filesystem::last_write_time(path);
  ASSERT_TRUE(ReadExternalSchedule(path).has_value());
  EXPECT_EQ(ReadExternalSchedule(path)->Lines(), (Lines{"25/06/15 00 1 a", "25/06/15 00 1 b"}));
  EXPECT_EQ(std::filesystem::last_write_time(path), before);
  EXPECT_EQ(testing::ReadBytes(path), "25/06/15 00 1 b\r\n25/06/15 00 1 a\n");
}

TEST(ExternalSources, UnreadableFileStopsTheExpansionWithTheOpenError) {
  TempFolder folder;
  const auto path = folder / "x.dat";
  WriteBytes(path, "25/06/15 00 1 a\r\n");
  std::filesystem::permissions(path, std::filesystem::perms::none);
  testing::ExpectAsUnprivilegedUser([&] {
    try {
      ExpandFrom(ScheduleList(), Source(kSourceExternal, path), Day(2025, 6, 15));
      return false;
    } catch (const ScheduleFileOpenError& error) {
      return std::string(error.what()) == "ﾌｧｲﾙ " + path.string() + " は開けません";
    }
  });
}

}  // namespace
}  // namespace murva
