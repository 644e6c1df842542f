#include "schedule/malformed_entry.h"

#include <gtest/gtest.h>

#include "schedule/external_schedule.h"
#include "schedule/schedule_expansion.h"
#include "schedule_test_support.h"

namespace murva {
namespace {

using testing::ClockAt;
using testing::Day;
using testing::Sjis;
using testing::SjisLines;
using testing::TempFolder;
using testing::WriteBytes;
using Lines = std::vector<std::string>;

// The expansion's own message for these sources, or empty when it runs.
std::string ExpansionError(const ScheduleList& entries, const ScheduleOptions& options,
                           const TodayFields& today, const Clock& clock) {
  try {
    ExpandMergedLines(MergeScheduleSources(entries, options.source, options.external_path, today),
                      options, today, clock);
  } catch (const std::exception& error) {
    return error.what();
  }
  return {};
}

TEST(MalformedEntry, NamesTheLineTheExpansionStopsAt) {
  struct Case {
    const char* name;
    int source;
    Lines own;
    Lines external;  // the external file's lines; none: no file
    std::string error;
    std::string line;
    bool external_line;
  };
  const Case cases[] = {
      {"first bad year of the own entries",
       kSourceOwn,
       {"25/06/01 00 1 a", "cd/01/01 00 1 後", "ab/06/15 00 1 壊れた"},
       {},
       "'ab' は整数ではありません",
       "ab/06/15 00 1 壊れた",
       false},
      {"start marker on a weekly entry",
       kSourceOwn,
       {"25/06/01 00 1 a", "@@/@@/W5 00 4 週 ▼FROM▼2025/06/01"},
       {},
       "'2025/@@/W5' は日付ではありません",
       "@@/@@/W5 00 4 週 ▼FROM▼2025/06/01",
       false},
      {"a header in the external file",
       kSourceBoth,
       {"25/06/01 00 1 a"},
       {"25/06/02 00 1 b", "Header"},
       "'He' は整数ではありません",
       "Header",
       true},
      {"own entries not used",
       kSourceExternal,
       {"xx/06/01 00 1 unused"},
       {"yy/01/01 00 1 外"},
       "'yy' は整数ではありません",
       "yy/01/01 00 1 外",
       true},
  };
  const TodayFields today = Day(2025, 6, 15);
  const FixedClock clock = ClockAt(2025, 6, 15);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    ScheduleOptions options;
    options.period = 4;
    options.source = c.source;
    if (!c.external.empty()) {
      options.external_path = folder / "SELBORI.DAT";
      std::string bytes;
      for (const std::string& line : SjisLines(c.external)) bytes += line + "\r\n";
      WriteBytes(options.external_path, bytes);
    }
    const ScheduleList entries(SjisLines(c.own));
    const std::string error = ExpansionError(entries, options, today, clock);
    EXPECT_EQ(error, c.error);
    const auto found = FindMalformedEntry(entries, options, today, clock, error);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(*found, (MalformedEntry{Sjis(c.line), c.external_line}));
  }
}

TEST(MalformedEntry, NoLineForAnErrorOfAnotherKind) {
  const ScheduleList entries(SjisLines({"ab/06/15 00 1 x"}));
  ScheduleOptions options;
  EXPECT_FALSE(FindMalformedEntry(entries, options, Day(2025, 6, 15), ClockAt(2025, 6, 15),
                                  "ﾌｧｲﾙ /x は開けません")
                   .has_value());
}

// The message names the file the line stands in and its number there, so
// that the line can be found in an editor.
TEST(MalformedEntry, MessageNamesTheFileTheLineNumberAndTheLine) {
  TempFolder folder;
  const std::filesystem::path own = folder / "MURVA32.SCH";
  const std::filesystem::path external = folder / "SELBORI.DAT";
  WriteBytes(own, Sjis("25/06/01 00 1 a\r\nab/06/15 00 1 壊れた\r\n"));
  WriteBytes(external, "25/06/02 00 1 b\r\n\r\nHeader\r\n");
  EXPECT_EQ(MalformedEntryMessage("'ab' は整数ではありません",
                                  {Sjis("ab/06/15 00 1 壊れた"), false}, own, external),
            "'ab' は整数ではありません\r誤りのある予定（" + own.string() +
                " の 2 行目）：ab/06/15 00 1 壊れた");
  EXPECT_EQ(MalformedEntryMessage("'He' は整数ではありません", {"Header", true}, own, external),
            "'He' は整数ではありません\r誤りのある外部の予定（" + external.string() +
                " の 3 行目）：Header");
  // A line no longer in the file (changed since) is named without a number.
  EXPECT_EQ(MalformedEntryMessage("'xy' は整数ではありません", {"xy", false}, own, external),
            "'xy' は整数ではありません\r誤りのある予定（" + own.string() + "）：xy");
}

}  // namespace
}  // namespace murva
