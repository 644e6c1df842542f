#include "schedule/schedule_expansion.h"

#include <gtest/gtest.h>

#include "schedule/schedule_errors.h"
#include "schedule/schedule_file.h"
#include "schedule/schedule_period.h"
#include "schedule_test_support.h"

namespace murva {
namespace {

using testing::ClockAt;
using testing::Day;
using testing::Sjis;
using testing::SjisLines;
using testing::Utf8Lines;
using Lines = std::vector<std::string>;

ScheduleOptions Period(int period, int days_before = 0) {
  ScheduleOptions options;
  options.period = period;
  options.days_before = days_before;
  return options;
}

// Expands stored lines (UTF-8 here) with the start-up date and the clock both
// standing on `today`.
Lines Expand(const Lines& stored, const ScheduleOptions& options, const TodayFields& today) {
  FixedClock clock = ClockAt(today.year, today.month, today.day);
  return Utf8Lines(ExpandMergedLines(SjisLines(stored), options, today, clock));
}

Lines ExpandWithClock(const Lines& stored, const ScheduleOptions& options, const TodayFields& today,
                      const Clock& clock) {
  return Utf8Lines(ExpandMergedLines(SjisLines(stored), options, today, clock));
}

// ---------------------------------------------------------------------------
// Plain dates through every period, today 2025-06-15.

const Lines kDatedEntries = {
    "25/06/14 00 1 a", "25/06/15 00 1 b", "25/06/22 00 1 c", "25/06/23 00 1 d", "25/06/01 00 1 e",
    "25/07/16 00 1 f", "25/07/17 00 1 g", "25/07/31 00 1 h", "25/08/01 00 1 i", "25/08/15 00 1 j",
    "25/08/16 00 1 k", "25/09/15 00 1 l", "25/09/16 00 1 m", "25/12/16 00 1 n", "25/12/17 00 1 o",
    "97/07/15 00 1 p", "89/01/01 00 1 q"};

// The texts of the listed lines, in output order.
std::string Texts(const Lines& output) {
  std::string texts;
  for (const std::string& line : output) texts += line.substr(11);
  return texts;
}

struct PeriodCase {
  int period;
  const char* texts;
};

class PlainDatePeriods : public ::testing::TestWithParam<PeriodCase> {};

TEST_P(PlainDatePeriods, ListExactlyTheDatesInTheWindow) {
  const PeriodCase& c = GetParam();
  EXPECT_EQ(Texts(Expand(kDatedEntries, Period(c.period), Day(2025, 6, 15))), c.texts);
}

INSTANTIATE_TEST_SUITE_P(EveryPeriod, PlainDatePeriods,
                         ::testing::Values(PeriodCase{0, ""}, PeriodCase{1, "b"},
                                           PeriodCase{2, "eabcd"}, PeriodCase{3, "eabcdfgh"},
                                           PeriodCase{4, "peabcdfghijklmnoq"}, PeriodCase{5, "bc"},
                                           PeriodCase{6, "bcdf"}, PeriodCase{7, "bcdfghij"},
                                           PeriodCase{8, "bcdfghijkl"},
                                           PeriodCase{9, "bcdfghijklmn"},
                                           PeriodCase{10, "bcdfghijklmnoq"}));

TEST(PlainDates, OutputLineIsTheDateABlankAndTheText) {
  EXPECT_EQ(Expand({"25/06/15 00 1 札幌に行く"}, Period(1), Day(2025, 6, 15)),
            Lines{"2025/06/15 札幌に行く"});
}

TEST(PlainDates, NextMonthAfterDecemberIsJanuaryOfNextYear) {
  const Lines stored = {"25/12/01 00 1 a", "26/01/31 00 1 b", "26/02/01 00 1 c", "25/01/15 00 1 d"};
  EXPECT_EQ(Texts(Expand(stored, Period(3), Day(2025, 12, 20))), "ab");
}

TEST(PlainDates, TwoDigitYearsAreWidenedAroundNinety) {
  const Lines stored = {"90/01/01 00 1 a", "99/12/31 00 1 b", "00/01/01 00 1 c", "89/12/31 00 1 d"};
  EXPECT_EQ(Expand(stored, Period(4), Day(2025, 6, 15)),
            (Lines{"1990/01/01 a", "1999/12/31 b", "2000/01/01 c", "2089/12/31 d"}));
}

TEST(PlainDates, ImpossibleDatesAreNeverListed) {
  const Lines stored = {"25/06/31 00 1 a", "25/02/29 00 1 b", "25/02/30 00 1 c", "25/13/01 00 1 d",
                        "24/02/29 00 1 leap"};
  EXPECT_EQ(Expand(stored, Period(4), Day(2025, 6, 15)), Lines{"2024/02/29 leap"});
}

TEST(PlainDates, AFourDigitYearIsWidenedAgainAndNeverListed) {
  EXPECT_TRUE(Expand({"2025/06/15 00 1 x"}, Period(4), Day(2025, 6, 15)).empty());
}

TEST(PlainDates, MatchesPeriodWantsTenCharactersOfDigitsAndSlashes) {
  const TodayFields today = Day(2025, 6, 15);
  EXPECT_TRUE(MatchesPeriod("2025/06/15", today, kPeriodToday));
  EXPECT_FALSE(MatchesPeriod("2025/6/15", today, kPeriodToday));
  EXPECT_FALSE(MatchesPeriod("2025/@@/15", today, kPeriodAll));
  EXPECT_FALSE(MatchesPeriod("2025/06/W1", today, kPeriodAll));
  EXPECT_FALSE(MatchesPeriod("2025-06-15", today, kPeriodAll));
  EXPECT_FALSE(MatchesPeriod("2025/06/15", today, kPeriodNone));
  EXPECT_FALSE(MatchesPeriod("2025/06/15", today, 11));
}

// ---------------------------------------------------------------------------
// Yearly and monthly entries.

TEST(YearlyEntries, ListedWithThisYearsAndNextYearsDateUnderAll) {
  EXPECT_EQ(Expand({"@@/10/09 00 2 妻の誕生日"}, Period(4), Day(2025, 6, 15)),
            (Lines{"2025/10/09 妻の誕生日", "2026/10/09 妻の誕生日"}));
}

TEST(YearlyEntries, NextYearsCopyReachesAcrossTheYearEnd) {
  EXPECT_EQ(Expand({"@@/01/05 00 2 x"}, Period(6), Day(2025, 12, 20)), Lines{"2026/01/05 x"});
}

TEST(YearlyEntries, RestOfScheduleMakesNoNextYearCopy) {
  EXPECT_TRUE(Expand({"@@/01/05 00 2 x"}, Period(10), Day(2025, 12, 20)).empty());
  EXPECT_EQ(Expand({"@@/10/09 00 2 x"}, Period(10), Day(2025, 6, 15)), Lines{"2025/10/09 x"});
}

TEST(YearlyEntries, TwentyNinthOfFebruaryOnlyInLeapYears) {
  EXPECT_TRUE(Expand({"@@/02/29 00 2 x"}, Period(4), Day(2025, 6, 15)).empty());
  EXPECT_EQ(Expand({"@@/02/29 00 2 x"}, Period(4), Day(2027, 6, 15)), Lines{"2028/02/29 x"});
  EXPECT_EQ(Expand({"@@/02/29 00 2 x"}, Period(1), Day(2024, 2, 29)), Lines{"2024/02/29 x"});
}

TEST(MonthlyEntries, PassedDayMovesToNextMonth) {
  const Lines stored = {"@@/@@/20 00 3 給料日です"};
  EXPECT_TRUE(Expand(stored, Period(2), Day(2025, 6, 25)).empty());
  EXPECT_EQ(Expand(stored, Period(3), Day(2025, 6, 25)), Lines{"2025/07/20 給料日です"});
}

TEST(MonthlyEntries, TodaysDayStaysInThisMonth) {
  EXPECT_EQ(Expand({"@@/@@/20 00 3 x"}, Period(1), Day(2025, 6, 20)), Lines{"2025/06/20 x"});
}

TEST(MonthlyEntries, DayMissingFromTheMonthIsNotListed) {
  EXPECT_TRUE(Expand({"@@/@@/31 00 3 x"}, Period(4), Day(2025, 6, 10)).empty());
  EXPECT_EQ(Expand({"@@/@@/31 00 3 x"}, Period(4), Day(2025, 7, 1)), Lines{"2025/07/31 x"});
}

TEST(MonthlyEntries, DecemberPassedDayGoesToJanuaryOfNextYear) {
  const Lines stored = {"@@/@@/05 00 3 x"};
  EXPECT_EQ(Expand(stored, Period(3), Day(2025, 12, 25)), Lines{"2026/01/05 x"});
  EXPECT_TRUE(Expand(stored, Period(2), Day(2025, 12, 25)).empty());
}

TEST(MonthlyEntries, GivenYearIsKeptWhenTheMonthIsFilledIn) {
  EXPECT_EQ(Expand({"97/@@/20 00 3 x"}, Period(4), Day(2025, 6, 15)), Lines{"1997/06/20 x"});
}

TEST(RepeatResolution, SecondPassRewritesYearAndMonthOnly) {
  Lines merged = SjisLines(
      {"@@@@/@@/20 00 3 a", "@@@@/@@/W5 00 4 b", "@@@@/06/A2 00 5 c", "2025/@@/B3 00 5 d"});
  ResolveRepeatDates(merged, Day(2025, 6, 25));
  EXPECT_EQ(Utf8Lines(merged), (Lines{"2025/07/20 00 3 a", "2025/@@/W5 00 4 b", "2025/06/A2 00 5 c",
                                      "2025/@@/B3 00 5 d"}));
}

TEST(RepeatResolution, FirstPassCopiesOnlyYearlyEntriesWithAMonth) {
  Lines merged = {"@@@@/10/09 00 2 a", "@@@@/@@/20 00 3 b", "2025/06/01 00 1 c"};
  AddNextYearCopies(merged, Day(2025, 6, 15));
  EXPECT_EQ(merged, (Lines{"@@@@/10/09 00 2 a", "@@@@/@@/20 00 3 b", "2025/06/01 00 1 c",
                           "2026/10/09 00 2 a"}));
}

TEST(RepeatResolution, LongTextIsCutTo250BytesWithoutSplittingACharacter) {
  std::string even;
  std::string odd = "x";
  for (int i = 0; i < 300; ++i) {
    even += "あ";
    odd += "あ";
  }
  const Lines output =
      Expand({"25/06/15 00 1 " + even, "25/06/15 00 1 " + odd}, Period(1), Day(2025, 6, 15));
  ASSERT_EQ(output.size(), 2u);
  std::string even_cut;
  std::string odd_cut = "x";
  for (int i = 0; i < 125; ++i) even_cut += "あ";
  for (int i = 0; i < 124; ++i) odd_cut += "あ";
  EXPECT_EQ(output, (Lines{"2025/06/15 " + odd_cut, "2025/06/15 " + even_cut}));
}

// ---------------------------------------------------------------------------
// Weekly and n-th-weekday entries (2025-06-15 is a Sunday).

TEST(WeeklyEntries, ListedForTodayOnlyBelowPeriodTwo) {
  EXPECT_EQ(Expand({"@@/@@/W1 00 4 日"}, Period(1, 5), Day(2025, 6, 15)), Lines{"2025/06/15 日"});
  EXPECT_TRUE(Expand({"@@/@@/W3 00 4 火"}, Period(1, 5), Day(2025, 6, 15)).empty());
}

TEST(WeeklyEntries, AdvanceDaysReachAheadWhateverThePeriod) {
  const Lines stored = {"@@/@@/W3 00 4 火", "@@/@@/W4 00 4 水"};
  EXPECT_EQ(Expand(stored, Period(5, 2), Day(2025, 6, 15)), Lines{"2025/06/17 火"});
  EXPECT_TRUE(Expand(stored, Period(4, 0), Day(2025, 6, 15)).empty());
  EXPECT_EQ(Expand(stored, Period(2, 5), Day(2025, 6, 15)),
            (Lines{"2025/06/17 火", "2025/06/18 水"}));
}

TEST(WeeklyEntries, YearAndMonthFieldsAreNotConsulted) {
  EXPECT_EQ(Expand({"97/03/W1 00 4 x"}, Period(1), Day(2025, 6, 15)), Lines{"2025/06/15 x"});
}

TEST(WeeklyEntries, CountedFromTheClockWhilePeriodsUseTheStartUpDate) {
  FixedClock clock = ClockAt(2025, 6, 17);  // the program has been running two days
  const Lines output = ExpandWithClock({"@@/@@/W3 00 4 火", "25/06/17 00 1 b", "25/06/15 00 1 a"},
                                       Period(1), Day(2025, 6, 15), clock);
  EXPECT_EQ(output, (Lines{"2025/06/15 a", "2025/06/17 火"}));
}

TEST(NthWeekdayEntries, CodesOfADate) {
  EXPECT_EQ(NthWeekdayCodes({2025, 6, 15}), (NthWeekdayCode{"C1", ""}));
  EXPECT_EQ(NthWeekdayCodes({2025, 6, 29}), (NthWeekdayCode{"E1", "F1"}));
  EXPECT_EQ(NthWeekdayCodes({2025, 6, 1}), (NthWeekdayCode{"A1", ""}));
  EXPECT_EQ(NthWeekdayCodes({2025, 6, 24}), (NthWeekdayCode{"D3", "F3"}));
  // February of a leap year has 29 days: the 23rd is among its last seven.
  EXPECT_EQ(NthWeekdayCodes({2024, 2, 23}), (NthWeekdayCode{"D6", "F6"}));
  EXPECT_EQ(NthWeekdayCodes({2025, 2, 22}), (NthWeekdayCode{"D7", "F7"}));
  EXPECT_EQ(NthWeekdayCodes({2025, 2, 21}), (NthWeekdayCode{"C6", ""}));
}

TEST(NthWeekdayEntries, NthAndLastOccurrence) {
  const Lines stored = {"@@/@@/C1 00 5 third", "@@/@@/E1 00 5 fifth", "@@/@@/F1 00 5 last"};
  EXPECT_EQ(Expand(stored, Period(1), Day(2025, 6, 15)), Lines{"2025/06/15 third"});
  EXPECT_EQ(Expand(stored, Period(1), Day(2025, 6, 29)),
            (Lines{"2025/06/29 fifth", "2025/06/29 last"}));
}

TEST(NthWeekdayEntries, AdvanceDaysFindTheSecondTuesday) {
  EXPECT_EQ(Expand({"@@/@@/B3 00 5 燃えるゴミ"}, Period(5, 2), Day(2025, 6, 8)),
            Lines{"2025/06/10 燃えるゴミ"});
  EXPECT_TRUE(Expand({"@@/@@/B3 00 5 燃えるゴミ"}, Period(5, 1), Day(2025, 6, 8)).empty());
}

TEST(NthWeekdayEntries, EntryForAnotherMonthIsNotConsidered) {
  // 2 June 2025 is the first Monday, within the advance days of 31 May.
  EXPECT_TRUE(Expand({"@@/06/A2 00 5 定期の検診"}, Period(5, 5), Day(2025, 5, 31)).empty());
}

TEST(NthWeekdayEntries, EntryAndItsNextYearCopyAreListedOnce) {
  EXPECT_EQ(Expand({"@@/06/A2 00 5 定期の検診"}, Period(1), Day(2025, 6, 2)),
            Lines{"2025/06/02 定期の検診"});
}

TEST(NthWeekdayEntries, AdvanceDaysReachIntoNextMonthWithTheSameCode) {
  // 1 July 2025 is the first Tuesday of July.
  EXPECT_EQ(Expand({"@@/06/A3 00 5 x"}, Period(5, 1), Day(2025, 6, 30)), Lines{"2025/07/01 x"});
}

TEST(NthWeekdayEntries, MonthIsComparedWithTheStartUpMonthNotTheClocks) {
  FixedClock clock = ClockAt(2025, 7, 1);
  EXPECT_TRUE(ExpandWithClock({"@@/07/A3 00 5 july"}, Period(1), Day(2025, 6, 30), clock).empty());
  EXPECT_EQ(ExpandWithClock({"@@/06/A3 00 5 june"}, Period(1), Day(2025, 6, 30), clock),
            Lines{"2025/07/01 june"});
}

// ---------------------------------------------------------------------------
// Start markers.

const std::string kMarkedEntry = "25/03/10 00 1 会議 ▼FROM▼2025/03/01";

TEST(StartMarkers, ListedUnderTodayFromTheStartToTheEntrysDate) {
  for (int day : {1, 5, 9}) {
    const TodayFields today = Day(2025, 3, day);
    EXPECT_EQ(Expand({kMarkedEntry}, Period(1), today),
              Lines{today.TodayText() + " 会議 ▼FROM▼2025/03/01"})
        << day;
  }
  EXPECT_TRUE(Expand({kMarkedEntry}, Period(1), Day(2025, 2, 28)).empty());
  EXPECT_TRUE(Expand({kMarkedEntry}, Period(1), Day(2025, 3, 11)).empty());
}

TEST(StartMarkers, OnTheEntrysDateItIsListedOnce) {
  EXPECT_EQ(Expand({kMarkedEntry}, Period(1), Day(2025, 3, 10)),
            Lines{"2025/03/10 会議 ▼FROM▼2025/03/01"});
}

TEST(StartMarkers, AlsoListedUnderItsOwnDateWhenThePeriodReachesIt) {
  EXPECT_EQ(Expand({kMarkedEntry}, Period(5), Day(2025, 3, 5)),
            (Lines{"2025/03/05 会議 ▼FROM▼2025/03/01", "2025/03/10 会議 ▼FROM▼2025/03/01"}));
}

TEST(StartMarkers, StartDateThatDoesNotReadStopsTheExpansion) {
  try {
    Expand({"25/03/10 00 1 x ▼FROM▼2025/3/1 y"}, Period(1), Day(2025, 3, 5));
    FAIL() << "no error";
  } catch (const ScheduleDateError& error) {
    EXPECT_STREQ(error.what(), "'2025/3/1 y' は日付ではありません");
  }
}

TEST(StartMarkers, WeeklyEntryWithAMarkerStopsTheExpansion) {
  try {
    Expand({"@@/@@/W5 00 4 x ▼FROM▼2025/03/01"}, Period(1), Day(2025, 3, 5));
    FAIL() << "no error";
  } catch (const ScheduleDateError& error) {
    EXPECT_STREQ(error.what(), "'2025/@@/W5' は日付ではありません");
  }
}

// ---------------------------------------------------------------------------
// Birthday, weekday labels, duplicates, errors.

TEST(BirthdayLine, ListedOnTheBirthdayInEveryPeriod) {
  for (int period = 1; period <= 10; ++period) {
    ScheduleOptions options = Period(period);
    options.birthday = "80/06/15";
    EXPECT_EQ(Expand({}, options, Day(2025, 6, 15)), Lines{"2025/06/15 ☆誕生日おめでとう☆"})
        << period;
  }
  ScheduleOptions options = Period(4);
  options.birthday = "80/06/15";
  EXPECT_TRUE(Expand({}, options, Day(2025, 6, 16)).empty());
  options.birthday = "";
  EXPECT_TRUE(Expand({}, options, Day(2025, 6, 15)).empty());
}

TEST(WeekdayLabels, InsertedAfterTheDateWhenNotCut) {
  ScheduleOptions options = Period(5, 2);
  options.cut_weekday = false;
  options.weekday_label_style = 1;
  options.birthday = "80/06/15";
  const Lines stored = {"25/06/15 00 1 a", "@@/@@/W3 00 4 b"};
  EXPECT_EQ(Expand(stored, options, Day(2025, 6, 15)),
            (Lines{"2025/06/15 SU a", "2025/06/15 SU ☆誕生日おめでとう☆", "2025/06/17 TU b"}));
  options.weekday_label_style = 7;
  options.birthday.clear();
  EXPECT_EQ(Expand({"25/06/16 00 1 a"}, options, Day(2025, 6, 15)), Lines{"2025/06/16 月 a"});
}

TEST(WeekdayLabels, NoneWhenCutOrStyleZero) {
  ScheduleOptions options = Period(1);
  options.cut_weekday = true;
  options.weekday_label_style = 1;
  EXPECT_EQ(Expand({"25/06/15 00 1 a"}, options, Day(2025, 6, 15)), Lines{"2025/06/15 a"});
  options.cut_weekday = false;
  options.weekday_label_style = 0;
  EXPECT_EQ(Expand({"25/06/15 00 1 a"}, options, Day(2025, 6, 15)), Lines{"2025/06/15 a"});
}

TEST(Duplicates, EqualOutputLinesCollapse) {
  EXPECT_EQ(Expand({"25/06/15 00 1 a", "25/06/15 00 1 a", "25/06/15 00 9 a"}, Period(1),
                   Day(2025, 6, 15)),
            Lines{"2025/06/15 a"});
}

TEST(MalformedLines, YearThatIsNoIntegerStopsTheExpansion) {
  try {
    Expand({"25/06/15 00 1 a", "ab/06/15 00 1 b"}, Period(1), Day(2025, 6, 15));
    FAIL() << "no error";
  } catch (const ScheduleIntegerError& error) {
    EXPECT_STREQ(error.what(), "'ab' は整数ではありません");
  }
}

// Every year is read before any line is expanded, and lines are expanded in
// their order with the copies for next year last: the error raised is the
// one of the first malformed year, else of the first malformed marker.
TEST(MalformedLines, TheFirstErrorInTheirOrderIsRaised) {
  const std::string bad_marker_first = "25/03/10 00 1 x ▼FROM▼2025/3/1 first";
  const std::string bad_marker_second = "25/03/11 00 1 x ▼FROM▼2025/3/2 second";
  const std::string bad_year = "ab/06/15 00 1 b";
  const std::string bad_yearly_marker = "@@/03/12 00 2 x ▼FROM▼2025/3/3 yearly";
  struct Case {
    Lines stored;
    const char* message;
  };
  const Case cases[] = {
      {{bad_marker_first, bad_year}, "'ab' は整数ではありません"},
      {{bad_marker_second, bad_marker_first}, "'2025/3/2 s' は日付ではありません"},
      {{bad_marker_first, bad_marker_second}, "'2025/3/1 f' は日付ではありません"},
  };
  for (const Case& c : cases) {
    try {
      Expand(c.stored, Period(1), Day(2025, 3, 5));
      ADD_FAILURE() << "no error for " << c.message;
    } catch (const std::exception& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
  // The stored line fails before its copy for next year would.
  try {
    Expand({bad_yearly_marker}, Period(1), Day(2025, 3, 5));
    ADD_FAILURE() << "no error";
  } catch (const ScheduleDateError& error) {
    EXPECT_STREQ(error.what(), "'2025/3/3 y' は日付ではありません");
  }
}

TEST(MalformedLines, EmptyLineStopsTheExpansion) {
  try {
    Expand({""}, Period(1), Day(2025, 6, 15));
    FAIL() << "no error";
  } catch (const ScheduleIntegerError& error) {
    EXPECT_STREQ(error.what(), "'' は整数ではありません");
  }
}

TEST(MalformedLines, ShortAndOddLinesAreSimplyNotListed) {
  EXPECT_TRUE(Expand({"25", "25/06", "@@", "25/06/15"}, Period(4), Day(2025, 6, 15)).size() == 1);
  EXPECT_EQ(Expand({"25/06/15"}, Period(1), Day(2025, 6, 15)), Lines{"2025/06/15 "});
}

// ---------------------------------------------------------------------------
// The six example entries of the explanation tab.

const Lines kExamples = {"97/07/15 00 1 札幌に行く", "@@/10/09 00 2 妻の誕生日",
                         "@@/@@/20 00 3 給料日です", "@@/06/A2 00 5 定期の検診",
                         "@@/@@/B3 00 5 燃えるゴミ", "@@/@@/W5 00 4 ＨＤのBackUp"};

TEST(ExampleEntries, OneWeekFromTheSecondTuesdayOfJune) {
  EXPECT_EQ(Expand(kExamples, Period(5, 2), Day(2025, 6, 10)),
            (Lines{"2025/06/10 燃えるゴミ", "2025/06/12 ＨＤのBackUp"}));
}

TEST(ExampleEntries, EverythingOnTheSameDay) {
  EXPECT_EQ(Expand(kExamples, Period(4, 2), Day(2025, 6, 10)),
            (Lines{"1997/07/15 札幌に行く", "2025/06/10 燃えるゴミ", "2025/06/12 ＨＤのBackUp",
                   "2025/06/20 給料日です", "2025/10/09 妻の誕生日", "2026/10/09 妻の誕生日"}));
}

TEST(ExampleEntries, FirstMondayOfJuneOnTheDay) {
  EXPECT_EQ(Expand(kExamples, Period(1), Day(2025, 6, 2)), Lines{"2025/06/02 定期の検診"});
}

// ---------------------------------------------------------------------------
// The whole expansion from the schedule file.

TEST(WholeExpansion, ReloadsTheEntryListFromTheFile) {
  testing::TempFolder folder;
  const auto path = ScheduleFilePath(folder.Path());
  testing::WriteBytes(path, Sjis("25/06/15 00 1 ファイル\r\n"));
  ScheduleList entries({Sjis("25/06/15 00 1 メモリ")});
  FixedClock clock = ClockAt(2025, 6, 15);
  const ScheduleList output = ExpandSchedule(entries, path, Period(1), Day(2025, 6, 15), clock);
  EXPECT_EQ(Utf8Lines(output), Lines{"2025/06/15 ファイル"});
  EXPECT_EQ(Utf8Lines(entries), Lines{"25/06/15 00 1 ファイル"});
}

TEST(WholeExpansion, MissingFileExpandsTheListInMemory) {
  testing::TempFolder folder;
  ScheduleList entries({Sjis("25/06/15 00 1 メモリ")});
  FixedClock clock = ClockAt(2025, 6, 15);
  const ScheduleList output =
      ExpandSchedule(entries, folder / "MURVA32.SCH", Period(1), Day(2025, 6, 15), clock);
  EXPECT_EQ(Utf8Lines(output), Lines{"2025/06/15 メモリ"});
}

}  // namespace
}  // namespace murva
