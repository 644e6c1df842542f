// A named pipe, an endless device, a folder or a file over the limit where
// the schedule file or the external schedule should be: a message naming
// the file (or, for the external schedule, its stand-in line), never a wait,
// and nothing written over.
#include <gtest/gtest.h>

#include "platform/bounded_file.h"
#include "schedule/external_schedule.h"
#include "schedule/schedule_errors.h"
#include "schedule/schedule_expansion.h"
#include "schedule/schedule_file.h"
#include "schedule_test_support.h"
#include "support/hostile_files.h"

namespace murva {
namespace {

using testing::HostileKind;

class HostileScheduleFile : public ::testing::TestWithParam<HostileKind> {
 protected:
  testing::TempFolder folder_;
};

TEST_P(HostileScheduleFile, TheOwnFileIsNamedWithTheReasonAndNeverWrittenOver) {
  const auto path = folder_ / "MURVA32.SCH";
  testing::MakeHostile(GetParam(), path, kTextFileReadLimit);
  ScheduleList entries({"25/01/01 00 1 kept"});
  try {
    LoadScheduleFile(path, entries);
    ADD_FAILURE() << "read as a schedule file";
  } catch (const ScheduleFileOpenError& error) {
    const std::string message = error.what();
    EXPECT_EQ(message.rfind("ﾌｧｲﾙ " + path.string() + " は開けません\r", 0), 0u) << message;
    EXPECT_NE(message.find(testing::HostileReason(GetParam())), std::string::npos) << message;
  }
  EXPECT_EQ(entries.Lines(), (std::vector<std::string>{"25/01/01 00 1 kept"}));
  EXPECT_THROW(SaveScheduleFile(path, entries), ScheduleFileCreateError);
  EXPECT_TRUE(testing::StillHostile(GetParam(), path, kTextFileReadLimit));
}

TEST_P(HostileScheduleFile, TheExternalFileGivesTheStandInLineAndTheRunGoesOn) {
  const auto path = folder_ / "SELBORI.DAT";
  testing::MakeHostile(GetParam(), path, kTextFileReadLimit);
  const ScheduleList own({"@@/@@/15 00 3 own"});
  const TodayFields today = testing::Day(2025, 6, 15);
  EXPECT_FALSE(ReadExternalSchedule(path).has_value());
  EXPECT_EQ(MergeScheduleSources(own, kSourceExternal, path, today),
            (std::vector<std::string>{ExternalErrorLine(today)}));
  EXPECT_EQ(MergeScheduleSources(own, kSourceBoth, path, today),
            (std::vector<std::string>{"@@/@@/15 00 3 own", ExternalErrorLine(today)}));
  EXPECT_TRUE(testing::StillHostile(GetParam(), path, kTextFileReadLimit));
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostileScheduleFile,
                         ::testing::ValuesIn(testing::AllHostileKinds()),
                         [](const auto& info) { return testing::HostileName(info.param); });

TEST(ScheduleMessages, ControlBytesOfAFieldAreShownReadably) {
  // A NUL byte in the year field would end the message there.
  const ScheduleIntegerError error(std::string("1\0\x1f", 3));
  EXPECT_EQ(std::string(error.what()), "'1\\x00\\x1F' は整数ではありません");
  EXPECT_EQ(error.Text(), std::string("1\0\x1f", 3));
  EXPECT_EQ(std::string(ScheduleDateError(std::string("\x7f" "2025", 5)).what()),
            "'\\x7F2025' は日付ではありません");
  EXPECT_EQ(ReadableText("普通の文字 abc"), "普通の文字 abc");

  // The same through the expansion of a line whose year holds a NUL byte.
  std::vector<std::string> merged{std::string("2\0/01/01 00 1 x", 15)};
  try {
    WidenYears(merged);
    ADD_FAILURE() << "the year was read";
  } catch (const ScheduleIntegerError& thrown) {
    EXPECT_EQ(std::string(thrown.what()), "'2\\x00' は整数ではありません");
  }
}

}  // namespace
}  // namespace murva
