#include "schedule/schedule_editor.h"

#include <gtest/gtest.h>

#include "schedule/schedule_errors.h"
#include "schedule/schedule_file.h"
#include "schedule/schedule_pattern.h"
#include "schedule/schedule_purge.h"
#include "schedule_test_support.h"

namespace murva {
namespace {

using testing::Day;
using testing::ReadBytes;
using testing::Sjis;
using testing::SjisLines;
using testing::TempFolder;
using testing::Utf8Lines;
using Lines = std::vector<std::string>;

EntryFields Fields(std::string year, std::string month, std::string day, std::string text,
                   std::string color = "") {
  return {std::move(year), std::move(month), std::move(day), std::move(text), std::move(color)};
}

std::string Built(const EntryFields& fields) { return DecodeCp932Lossy(BuildEntryLine(fields)); }

// ---------------------------------------------------------------------------
// Field rules.

TEST(YearField, TwoDigitsOrEmpty) {
  EXPECT_EQ(NormalizeYearField("7"), "7");  // too short to judge while typing
  EXPECT_EQ(NormalizeYearField("07"), "07");
  EXPECT_EQ(NormalizeYearField(" 7"), "07");
  EXPECT_EQ(NormalizeYearField("99"), "99");
  EXPECT_EQ(NormalizeYearField("100"), "");
  EXPECT_EQ(NormalizeYearField("-1"), "");
  EXPECT_EQ(NormalizeYearField("ab"), "");
  EXPECT_EQ(NormalizeYearField("@@"), "@@");
  EXPECT_EQ(NormalizeYearField("@@@"), "");
}

TEST(MonthField, WithoutLeadingZeroOrEmpty) {
  EXPECT_EQ(NormalizeMonthField("07"), "7");
  EXPECT_EQ(NormalizeMonthField("12"), "12");
  EXPECT_EQ(NormalizeMonthField("0"), "0");
  EXPECT_EQ(NormalizeMonthField("1"), "1");
  EXPECT_EQ(NormalizeMonthField("x"), "x");
  EXPECT_EQ(NormalizeMonthField("13"), "");
  EXPECT_EQ(NormalizeMonthField("00"), "");
  EXPECT_EQ(NormalizeMonthField("@@"), "@@");
  EXPECT_EQ(NormalizeMonthField(""), "");
}

TEST(DayField, PatternsNumbersAndTheConversionError) {
  EXPECT_EQ(NormalizeDayField("W5"), "W5");
  EXPECT_EQ(NormalizeDayField("A2"), "A2");
  EXPECT_EQ(NormalizeDayField("F7"), "F7");
  EXPECT_EQ(NormalizeDayField("W"), "W");
  EXPECT_EQ(NormalizeDayField("W55"), "W55");
  EXPECT_EQ(NormalizeDayField("W8"), "");
  EXPECT_EQ(NormalizeDayField("A0"), "");
  EXPECT_EQ(NormalizeDayField("05"), "5");
  EXPECT_EQ(NormalizeDayField("31"), "31");
  EXPECT_EQ(NormalizeDayField("32"), "");
  EXPECT_EQ(NormalizeDayField("0"), "");
  EXPECT_EQ(NormalizeDayField("G1"), "");
  try {
    NormalizeDayField("WX");
    FAIL() << "no error";
  } catch (const ScheduleIntegerError& error) {
    EXPECT_STREQ(error.what(), "'X' は整数ではありません");
  }
}

TEST(InitialFields, LastTwoDigitsOfTodaysYear) {
  EXPECT_EQ(InitialEntryFields(Day(2025, 6, 15)), Fields("25", "", "", ""));
  EXPECT_EQ(InitialEntryFields(Day(2100, 1, 1)), Fields("00", "", "", ""));
}

// ---------------------------------------------------------------------------
// Entry lines from the fields.

TEST(EntryLines, TheSixExampleForms) {
  EXPECT_EQ(Built(Fields("97", "7", "15", "札幌に行く")), "97/07/15 00 1 札幌に行く");
  EXPECT_EQ(Built(Fields("@@", "10", "9", "妻の誕生日")), "@@/10/09 00 2 妻の誕生日");
  EXPECT_EQ(Built(Fields("@@", "@@", "20", "給料日です")), "@@/@@/20 00 3 給料日です");
  EXPECT_EQ(Built(Fields("@@", "06", "A2", "定期の検診")), "@@/06/A2 00 5 定期の検診");
  EXPECT_EQ(Built(Fields("@@", "@@", "B3", "燃えるゴミ")), "@@/@@/B3 00 5 燃えるゴミ");
  EXPECT_EQ(Built(Fields("@@", "@@", "W5", "ＨＤのBackUp")), "@@/@@/W5 00 4 ＨＤのBackUp");
}

TEST(EntryLines, FormCodeFollowsTheLastMatchingRule) {
  EXPECT_EQ(Built(Fields("25", "@@", "20", "x")), "25/@@/20 00 3 x");
  EXPECT_EQ(Built(Fields("25", "06", "W1", "x")), "25/06/W1 00 4 x");
  EXPECT_EQ(Built(Fields("@@", "06", "F7", "x")), "@@/06/F7 00 5 x");
}

TEST(EntryLines, OneDigitYearIsStoredWithTwo) {
  EXPECT_EQ(Built(Fields("7", "7", "5", "x")), "07/07/05 00 1 x");
}

TEST(EntryLines, ColourNameFollowsTheText) {
  EXPECT_EQ(Built(Fields("97", "7", "15", "札幌に行く", "Red")), "97/07/15 00 1 札幌に行く%Red%");
}

// A date no calendar has would be stored and never shown: it is refused with
// a message that names it. Dates that some year or month has stay.
TEST(EntryLines, ImpossibleDatesAreRefusedByName) {
  const struct {
    EntryFields fields;
    const char* message;  // empty: accepted
  } cases[] = {
      {Fields("25", "2", "31", "x"), "2025年2月31日 という日付はありません．"},
      {Fields("27", "2", "29", "x"), "2027年2月29日 という日付はありません．"},
      {Fields("99", "4", "31", "x"), "1999年4月31日 という日付はありません．"},
      {Fields("@@", "2", "30", "x"), "毎年の2月30日 という日付はどの年にもありません．"},
      {Fields("28", "2", "29", "x"), ""},   // a leap year
      {Fields("@@", "2", "29", "x"), ""},   // shown in leap years
      {Fields("25", "@@", "31", "x"), ""},  // shown in the months that have it
      {Fields("25", "6", "W5", "x"), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fields.year + "/" + c.fields.month + "/" + c.fields.day);
    if (*c.message == '\0') {
      EXPECT_NO_THROW(BuildEntryLine(c.fields));
      continue;
    }
    try {
      BuildEntryLine(c.fields);
      ADD_FAILURE() << "accepted";
    } catch (const ImpossibleEntryDateError& error) {
      EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << error.what();
    }
  }
}

// A character the schedule file cannot hold is named, not reported as a bad
// field.
TEST(EntryLines, CharactersWithoutACp932FormAreNamed) {
  const struct {
    const char* text;
    const char* named;
  } cases[] = {{"絵文字😀", "😀"}, {"café", "é"}, {"100€", "€"}};
  for (const auto& c : cases) {
    try {
      BuildEntryLine(Fields("25", "6", "1", c.text));
      ADD_FAILURE() << c.text;
    } catch (const UnstorableEntryTextError& error) {
      EXPECT_EQ(error.Character(), c.named);
      EXPECT_NE(std::string(error.what()).find(std::string("「") + c.named + "」"),
                std::string::npos);
      EXPECT_NE(std::string(error.what()).find("MURVA32.SCH"), std::string::npos);
    }
  }
}

TEST(EntryLines, FieldsThatDoNotConvertAreRefused) {
  for (const EntryFields& fields :
       {Fields("25", "6", "", "x"), Fields("", "6", "1", "x"), Fields("25", "", "1", "x"),
        Fields("25", "6", "WX", "x"), Fields("25", "6", "W8", "x"), Fields("25", "6", "W", "x"),
        Fields("25", "6", "A9", "x"), Fields("ab", "6", "1", "x"), Fields("25", "6", "W55", "x"),
        Fields("100", "6", "1", "x"), Fields("25", "6", "1", "a\r\nb")}) {
    try {
      BuildEntryLine(fields);
      ADD_FAILURE() << fields.year << "/" << fields.month << "/" << fields.day;
    } catch (const InvalidEntryError& error) {
      EXPECT_STREQ(error.what(), "入力された予定の値が不適当です");
    }
  }
}

TEST(EntryLines, FieldsOfAnEntryAsTheEditorShowsThem) {
  EXPECT_EQ(EntryFieldsOf(Sjis("97/07/05 00 1 札幌に行く%Red%")),
            Fields("97", "7", "5", "札幌に行く%Red%"));
  EXPECT_EQ(EntryFieldsOf(Sjis("@@/@@/W5 00 4 ＨＤ")), Fields("@@", "@@", "W5", "ＨＤ"));
  EXPECT_EQ(EntryFieldsOf("25/06/WX 00 4 x"), Fields("25", "6", "WX", "x"));
}

TEST(EntryLines, KeywordSurvivesClickAndAddAgain) {
  const std::string line = Sjis("97/07/15 00 1 札幌に行く%Red%");
  EXPECT_EQ(BuildEntryLine(EntryFieldsOf(line)), line);
}

// ---------------------------------------------------------------------------
// Add, change, delete.

class EditorTest : public ::testing::Test {
 protected:
  EditorTest() : path_(ScheduleFilePath(folder_.Path())), editor_(entries_, path_) {}

  void Seed(const Lines& utf8_lines) {
    entries_.Assign(SjisLines(utf8_lines));
    SaveScheduleFile(path_, entries_);
  }
  Lines FileLines() { return Utf8Lines(SplitLines(ReadBytes(path_))); }

  TempFolder folder_;
  std::filesystem::path path_;
  ScheduleList entries_;
  ScheduleEditor editor_;
};

TEST_F(EditorTest, AddInsertsInOrderAndRewritesTheFile) {
  Seed({"25/01/01 00 1 a", "25/12/01 00 1 c"});
  EXPECT_EQ(editor_.Add(Fields("25", "6", "1", "真ん中")), 1u);
  const Lines expected = {"25/01/01 00 1 a", "25/06/01 00 1 真ん中", "25/12/01 00 1 c"};
  EXPECT_EQ(Utf8Lines(entries_), expected);
  EXPECT_EQ(FileLines(), expected);
  EXPECT_EQ(ReadBytes(path_).substr(0, 17), "25/01/01 00 1 a\r\n");
}

TEST_F(EditorTest, AddWithAnEmptyDayLeavesListAndFileUntouched) {
  Seed({"25/01/01 00 1 a"});
  const std::string before = ReadBytes(path_);
  EXPECT_THROW(editor_.Add(Fields("25", "6", "", "x")), InvalidEntryError);
  EXPECT_EQ(entries_.Size(), 1u);
  EXPECT_EQ(ReadBytes(path_), before);
}

TEST_F(EditorTest, ChangeReplacesTheFocusedEntry) {
  Seed({"25/01/01 00 1 a", "25/02/01 00 1 b", "25/03/01 00 1 c"});
  EXPECT_EQ(editor_.Change(0, Fields("25", "12", "24", "聖夜")), 2u);
  const Lines expected = {"25/02/01 00 1 b", "25/03/01 00 1 c", "25/12/24 00 1 聖夜"};
  EXPECT_EQ(Utf8Lines(entries_), expected);
  EXPECT_EQ(FileLines(), expected);
}

TEST_F(EditorTest, ChangeWithBadFieldsKeepsTheList) {
  Seed({"25/01/01 00 1 a"});
  EXPECT_THROW(editor_.Change(0, Fields("25", "1", "", "x")), InvalidEntryError);
  EXPECT_THROW(editor_.Change(5, Fields("25", "1", "1", "x")), std::out_of_range);
  EXPECT_EQ(Utf8Lines(entries_), Lines{"25/01/01 00 1 a"});
}

TEST_F(EditorTest, DeleteRemovesEverySelectedEntry) {
  Seed({"25/01/01 00 1 a", "25/02/01 00 1 b", "25/03/01 00 1 c", "25/04/01 00 1 d",
        "25/05/01 00 1 e"});
  editor_.Delete({1, 2, 3});
  EXPECT_EQ(Utf8Lines(entries_), (Lines{"25/01/01 00 1 a", "25/05/01 00 1 e"}));
  EXPECT_EQ(FileLines(), (Lines{"25/01/01 00 1 a", "25/05/01 00 1 e"}));
}

TEST_F(EditorTest, FailedWriteLeavesTheListAsItWas) {
  Seed({"25/01/01 00 1 a"});
  ScheduleList entries = entries_;
  ScheduleEditor stranded(entries, folder_ / "gone" / "MURVA32.SCH");
  EXPECT_THROW(stranded.Add(Fields("25", "6", "1", "x")), ScheduleFileCreateError);
  EXPECT_THROW(stranded.Delete({0}), ScheduleFileCreateError);
  EXPECT_EQ(Utf8Lines(entries), Lines{"25/01/01 00 1 a"});
}

// ---------------------------------------------------------------------------
// Purge of past entries, today 2025-06-15.

TEST(PastEntries, ReadInTodaysCentury) {
  const TodayFields today = Day(2025, 6, 15);
  EXPECT_TRUE(IsPastEntry("25/06/14 00 1 x", today));
  EXPECT_FALSE(IsPastEntry("25/06/15 00 1 x", today));
  EXPECT_FALSE(IsPastEntry("@@/06/01 00 2 x", today));
  EXPECT_FALSE(IsPastEntry("97/01/01 00 1 x", today));  // read as 2097
  EXPECT_TRUE(IsPastEntry("00/01/01 00 1 x", today));
  EXPECT_TRUE(IsPastEntry("25/02/30 00 1 x", today));
  EXPECT_FALSE(IsPastEntry("24/@@/20 00 3 x", today));
  EXPECT_FALSE(IsPastEntry("24/06/A2 00 5 x", today));
  EXPECT_FALSE(IsPastEntry("24/@@/W5 00 4 x", today));
  EXPECT_FALSE(IsPastEntry("", today));
}

TEST_F(EditorTest, PurgeRemovesPastEntriesAndCountsThem) {
  Seed({"25/06/14 00 1 a", "25/06/15 00 1 b", "@@/06/01 00 2 c", "97/01/01 00 1 d",
        "24/12/31 00 1 e", "25/01/01 00 1 f", "25/06/16 00 1 g", "@@/@@/W1 00 4 h",
        "24/@@/20 00 3 i", "26/01/01 00 1 j"});
  const int removed = editor_.Purge(Day(2025, 6, 15));
  EXPECT_EQ(removed, 3);
  EXPECT_EQ(PurgeResultMessage(removed), "3件の過去日となった予定を削除しました");
  const Lines expected = {"24/@@/20 00 3 i", "25/06/15 00 1 b", "25/06/16 00 1 g",
                          "26/01/01 00 1 j", "97/01/01 00 1 d", "@@/06/01 00 2 c",
                          "@@/@@/W1 00 4 h"};
  EXPECT_EQ(Utf8Lines(entries_), expected);
  EXPECT_EQ(FileLines(), expected);
}

TEST_F(EditorTest, PurgeWithNothingPast) {
  Seed({"25/06/15 00 1 b"});
  const int removed = editor_.Purge(Day(2025, 6, 15));
  EXPECT_EQ(removed, 0);
  EXPECT_EQ(PurgeResultMessage(removed), "削除対象となる予定データはありませんでした");
  EXPECT_EQ(entries_.Size(), 1u);
}

// ---------------------------------------------------------------------------
// Patterns.

TEST(Patterns, EachChoiceFillsTheDateFields) {
  EXPECT_EQ(*ApplyPattern(kPatternYearly, 0, 0).fields,
            (PatternFields{"@@", "", "", EditorField::kMonth}));
  EXPECT_EQ(*ApplyPattern(kPatternMonthly, 3, 3).fields,
            (PatternFields{"@@", "@@", "", EditorField::kDay}));
  EXPECT_EQ(*ApplyPattern(kPatternWeekly, 0, 1).fields,
            (PatternFields{"@@", "@@", "W1", EditorField::kText}));
  EXPECT_EQ(*ApplyPattern(kPatternNthWeekday, 2, 3).fields,
            (PatternFields{"@@", "@@", "B3", EditorField::kText}));
  EXPECT_EQ(*ApplyPattern(kPatternNthWeekday, 6, 7).fields,
            (PatternFields{"@@", "@@", "F7", EditorField::kText}));
}

TEST(Patterns, MissingChoicesGiveTheirMessages) {
  PatternOutcome outcome = ApplyPattern(kPatternWeekly, 2, 0);
  EXPECT_FALSE(outcome.fields.has_value());
  EXPECT_EQ(outcome.message,
            "「毎週」パターンの時は日曜から土曜日までのいずれかを選択してください");
  for (auto [occurrence, weekday] : {std::pair{0, 3}, std::pair{2, 0}, std::pair{0, 0}}) {
    outcome = ApplyPattern(kPatternNthWeekday, occurrence, weekday);
    EXPECT_FALSE(outcome.fields.has_value());
    EXPECT_EQ(outcome.message,
              "「週指定」パターンの時は何回目かの指定と曜日指定の両方を選択してください");
  }
  outcome = ApplyPattern(kPatternNone, 1, 1);
  EXPECT_FALSE(outcome.fields.has_value());
  EXPECT_EQ(outcome.message, "パターン設定欄で選択してください");
}

TEST(Patterns, NeededListsOfEachChoice) {
  EXPECT_FALSE(PatternNeedsOf(kPatternYearly).weekday);
  EXPECT_FALSE(PatternNeedsOf(kPatternMonthly).occurrence);
  EXPECT_TRUE(PatternNeedsOf(kPatternWeekly).weekday);
  EXPECT_FALSE(PatternNeedsOf(kPatternWeekly).occurrence);
  EXPECT_TRUE(PatternNeedsOf(kPatternNthWeekday).weekday);
  EXPECT_TRUE(PatternNeedsOf(kPatternNthWeekday).occurrence);
  EXPECT_EQ(PatternNeedsOf(kPatternNone).message, "パターン設定欄で選択してください");
}

TEST(Patterns, NthWeekdayForOneMonthIsMadeByTypingTheMonth) {
  PatternFields set = *ApplyPattern(kPatternNthWeekday, 1, 2).fields;
  EXPECT_EQ(Built(Fields(set.year, NormalizeMonthField("06"), set.day, "定期の検診")),
            "@@/06/A2 00 5 定期の検診");
}

}  // namespace
}  // namespace murva
