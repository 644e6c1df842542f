#include "schedule/schedule_file.h"

#include <gtest/gtest.h>

#include "schedule/schedule_errors.h"
#include "schedule_test_support.h"

namespace murva {
namespace {

using testing::ReadBytes;
using testing::Sjis;
using testing::TempFolder;
using testing::WriteBytes;
using Lines = std::vector<std::string>;

TEST(ScheduleLineSplitting, EveryLineEndingEndsALine) {
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
}

TEST(ScheduleLineSplitting, FinalEndingAddsNoEmptyLine) {
  EXPECT_EQ(SplitLines("a\r\nb\r\n"), (Lines{"a", "b"}));
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines("\r\n"), Lines{""});
}

TEST(ScheduleLineSplitting, EmptyLinesInsideAreKept) {
  EXPECT_EQ(SplitLines("a\r\n\r\nb"), (Lines{"a", "", "b"}));
  // LF followed by CR is two endings.
  EXPECT_EQ(SplitLines("a\n\rb"), (Lines{"a", "", "b"}));
}

TEST(ScheduleLineSplitting, NulBytesStayInTheirLine) {
  const std::string bytes("a\0b\r\nc", 6);
  EXPECT_EQ(SplitLines(bytes), (Lines{std::string("a\0b", 3), "c"}));
}

TEST(ScheduleListOrder, SortsByBytesAndKeepsEqualLines) {
  ScheduleList list({"@@/@@/20 00 3 b", "97/07/15 00 1 a", "25/01/01 00 1 c", "25/01/01 00 1 c"});
  EXPECT_EQ(list.Lines(),
            (Lines{"25/01/01 00 1 c", "25/01/01 00 1 c", "97/07/15 00 1 a", "@@/@@/20 00 3 b"}));
}

TEST(ScheduleListOrder, BytesAboveAsciiSortAfterAscii) {
  ScheduleList list({Sjis("25/01/01 00 1 あ"), "25/01/01 00 1 z"});
  EXPECT_EQ(list[0], "25/01/01 00 1 z");
}

TEST(ScheduleListOrder, InsertFindsItsPlace) {
  ScheduleList list({"25/01/01 00 1 a", "25/03/01 00 1 c"});
  EXPECT_EQ(list.Insert("25/02/01 00 1 b"), 1u);
  EXPECT_EQ(list.Insert("@@/@@/W1 00 4 w"), 3u);
  EXPECT_EQ(list.Insert("00/01/01 00 1 y"), 0u);
}

TEST(ScheduleListOrder, RemovingSeveralIndices) {
  ScheduleList list({"1", "2", "3", "4", "5"});
  list.RemoveAt(std::vector<std::size_t>{3, 1, 2});
  EXPECT_EQ(list.Lines(), (Lines{"1", "5"}));
  EXPECT_THROW(list.RemoveAt(std::vector<std::size_t>{0, 7}), std::out_of_range);
  EXPECT_EQ(list.Size(), 2u);
}

TEST(ScheduleFileLoad, MissingFileLeavesTheListAlone) {
  TempFolder folder;
  ScheduleList entries({"25/01/01 00 1 keep"});
  EXPECT_FALSE(LoadScheduleFile(folder / "MURVA32.SCH", entries));
  EXPECT_EQ(entries.Lines(), Lines{"25/01/01 00 1 keep"});
}

TEST(ScheduleFileLoad, LinesInAnyOrderGiveTheSameSortedList) {
  TempFolder folder;
  WriteBytes(folder / "a.sch", "@@/@@/20 00 3 x\r\n97/07/15 00 1 y\r\n25/06/01 00 1 z\r\n");
  WriteBytes(folder / "b.sch", "25/06/01 00 1 z\n@@/@@/20 00 3 x\r97/07/15 00 1 y");
  ScheduleList a({"old"});
  ScheduleList b;
  ASSERT_TRUE(LoadScheduleFile(folder / "a.sch", a));
  ASSERT_TRUE(LoadScheduleFile(folder / "b.sch", b));
  EXPECT_EQ(a, b);
  EXPECT_EQ(a.Lines(), (Lines{"25/06/01 00 1 z", "97/07/15 00 1 y", "@@/@@/20 00 3 x"}));
}

TEST(ScheduleFileLoad, FolderInPlaceOfTheFileIsNamedAndKeepsTheList) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "MURVA32.SCH");
  ScheduleList entries({"x"});
  try {
    LoadScheduleFile(folder / "MURVA32.SCH", entries);
    ADD_FAILURE() << "a folder read as a schedule file";
  } catch (const ScheduleFileOpenError& error) {
    EXPECT_EQ(std::string(error.what()), "ﾌｧｲﾙ " + (folder / "MURVA32.SCH").string() +
                                             " は開けません\r通常のファイルではありません（フォルダ）");
  }
  EXPECT_EQ(entries.Size(), 1u);
}

TEST(ScheduleFileLoad, UnreadableFileFailsWithThePathAndKeepsTheList) {
  TempFolder folder;
  const auto path = folder / "MURVA32.SCH";
  WriteBytes(path, "25/01/01 00 1 new\r\n");
  std::filesystem::permissions(path, std::filesystem::perms::none);
  testing::ExpectAsUnprivilegedUser([&] {
    ScheduleList entries({"25/01/01 00 1 old"});
    try {
      LoadScheduleFile(path, entries);
      return false;
    } catch (const ScheduleFileOpenError& error) {
      return std::string(error.what()) == "ﾌｧｲﾙ " + path.string() + " は開けません" &&
             entries.Lines() == Lines{"25/01/01 00 1 old"};
    }
  });
}

TEST(ScheduleFileSave, WritesTheListInOrderWithCrLf) {
  TempFolder folder;
  const auto path = ScheduleFilePath(folder.Path());
  EXPECT_EQ(path.filename(), "MURVA32.SCH");
  SaveScheduleFile(path, ScheduleList({"b", "a", "c"}));
  EXPECT_EQ(ReadBytes(path), "a\r\nb\r\nc\r\n");
  SaveScheduleFile(path, ScheduleList());
  EXPECT_EQ(ReadBytes(path), "");
}

TEST(ScheduleFileSave, FailureNamesThePathAndKeepsTheOldFile) {
  TempFolder folder;
  const auto missing = folder / "no-such-folder" / "MURVA32.SCH";
  try {
    SaveScheduleFile(missing, ScheduleList({"a"}));
    FAIL() << "no error";
  } catch (const ScheduleFileCreateError& error) {
    EXPECT_EQ(std::string(error.what()), "ﾌｧｲﾙ " + missing.string() + " を作成できません");
  }
  // A folder standing where the file should be is not replaced.
  std::filesystem::create_directory(folder / "MURVA32.SCH");
  EXPECT_THROW(SaveScheduleFile(folder / "MURVA32.SCH", ScheduleList({"a"})),
               ScheduleFileCreateError);
  EXPECT_TRUE(std::filesystem::is_directory(folder / "MURVA32.SCH"));
}

TEST(ScheduleFileRoundTrip, JapaneseAndUndecodableLinesComeBackByteForByte) {
  TempFolder folder;
  const auto path = folder / "MURVA32.SCH";
  const std::string undecodable = "25/02/02 00 1 \x81\x20\xFF broken";
  const std::string bytes = Sjis("25/01/15 00 1 札幌に行く%Red%") + "\r\n" + undecodable + "\r\n" +
                            Sjis("@@/@@/W5 00 4 ＨＤのBackUp ﾊﾝｶｸ") + "\r\n";
  WriteBytes(path, bytes);
  ScheduleList entries;
  ASSERT_TRUE(LoadScheduleFile(path, entries));
  ASSERT_EQ(entries.Size(), 3u);
  EXPECT_EQ(entries[1], undecodable);
  SaveScheduleFile(path, entries);
  EXPECT_EQ(ReadBytes(path), bytes);
}

}  // namespace
}  // namespace murva
