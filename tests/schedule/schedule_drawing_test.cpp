#include "schedule/schedule_drawing.h"

#include <gtest/gtest.h>

#include "render/recording_canvas.h"
#include "schedule/schedule_errors.h"
#include "schedule/schedule_file.h"
#include "schedule_test_support.h"

namespace murva {
namespace {

using testing::ClockAt;
using testing::Day;
using testing::Sjis;
using testing::SjisLines;
using testing::Utf8Lines;
using Lines = std::vector<std::string>;

constexpr Color kScheduleColor = 0xFFFFFF;
constexpr Color kTodayColor = 0x00FFFF;
constexpr Color kShadowColor = 0x123456;
constexpr Color kRed = 0x0000FF;

WorkingCopy ScheduleCopy() {
  WorkingCopy copy;
  copy.wallpaper_page = 3;
  copy.schedule_range = 1;
  copy.today_mark = 1;
  copy.no_schedule_line = true;
  copy.cut_weekday = true;
  copy.schedule_font = {"ＭＳ ゴシック", 9, kStyleBold};
  copy.layout.schedule_x = 100;
  copy.layout.schedule_y = 200;
  copy.ActivePage().schedule = kScheduleColor;
  copy.ActivePage().today = kTodayColor;
  copy.ActivePage().shadow = kShadowColor;
  return copy;
}

struct Drawn {
  int x;
  int y;
  std::string text;
  Color color;
  bool underlined;
  bool operator==(const Drawn&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Drawn& d) {
  return out << "(" << d.x << "," << d.y << ",\"" << d.text << "\"," << std::hex << d.color
             << std::dec << "," << d.underlined << ")";
}

std::vector<Drawn> Texts(const RecordingCanvas& canvas) {
  std::vector<Drawn> texts;
  for (const DrawnText& t : canvas.Drawn()) {
    texts.push_back({t.x, t.y, t.text, t.font.color, (t.font.style & kStyleUnderline) != 0});
  }
  return texts;
}

Lines DrawLines(RecordingCanvas& canvas, const Lines& output, const WorkingCopy& copy,
                const TodayFields& today = Day(2025, 6, 15)) {
  return Utf8Lines(DrawScheduleLines(canvas, ScheduleList(SjisLines(output)), copy, today));
}

TEST(NoScheduleLine, DrawnAloneWhenNothingIsDueToday) {
  RecordingCanvas canvas;
  const Lines drawn = DrawLines(canvas, {}, ScheduleCopy());
  EXPECT_EQ(drawn, Lines{"2025/06/15 No Schedule "});
  EXPECT_EQ(Texts(canvas),
            (std::vector<Drawn>{{100, 200, " 2025/06/15 No Schedule ", kTodayColor, false}}));
}

TEST(NoScheduleLine, CarriesTheWeekdayLabelWhenLabelsAreOn) {
  RecordingCanvas canvas;
  WorkingCopy copy = ScheduleCopy();
  copy.cut_weekday = false;
  copy.weekday_label_style = 7;
  EXPECT_EQ(DrawLines(canvas, {}, copy), Lines{"2025/06/15 日 No Schedule "});
}

TEST(NoScheduleLine, SortsIntoItsPlaceAmongOtherDays) {
  RecordingCanvas canvas;
  EXPECT_EQ(DrawLines(canvas, {"2025/06/14 a", "2025/06/16 b"}, ScheduleCopy()),
            (Lines{"2025/06/14 a", "2025/06/15 No Schedule ", "2025/06/16 b"}));
}

TEST(NoScheduleLine, NotAddedWithoutTodayMarkingOrWithoutTheOption) {
  RecordingCanvas canvas;
  WorkingCopy copy = ScheduleCopy();
  copy.today_mark = 0;
  EXPECT_TRUE(DrawLines(canvas, {}, copy).empty());
  copy.today_mark = 2;
  copy.no_schedule_line = false;
  EXPECT_TRUE(DrawLines(canvas, {}, copy).empty());
  EXPECT_TRUE(canvas.Drawn().empty());
}

TEST(NoScheduleLine, NotAddedWhenSomethingIsDueToday) {
  RecordingCanvas canvas;
  EXPECT_EQ(DrawLines(canvas, {"2025/06/15 a"}, ScheduleCopy()), Lines{"2025/06/15 a"});
}

TEST(NoScheduleLine, ExternalErrorLineDoesNotCountAsDue) {
  RecordingCanvas canvas;
  EXPECT_EQ(DrawLines(canvas, {"2025/06/15 #外部予定# 読込み不可"}, ScheduleCopy()),
            (Lines{"2025/06/15 #外部予定# 読込み不可", "2025/06/15 No Schedule "}));
  EXPECT_EQ(canvas.Drawn().size(), 2u);
}

TEST(TodayMarking, ColourMarkingOverridesTheKeyword) {
  RecordingCanvas canvas;
  DrawLines(canvas, {"2025/06/15 会議%Red%", "2025/06/16 明日%Red%"}, ScheduleCopy());
  EXPECT_EQ(Texts(canvas), (std::vector<Drawn>{{100, 200, " 2025/06/15 会議", kTodayColor, false},
                                               {100, 215, " 2025/06/16 明日", kRed, false}}));
}

TEST(TodayMarking, UnderlineMarkingKeepsTheKeywordColour) {
  RecordingCanvas canvas;
  WorkingCopy copy = ScheduleCopy();
  copy.today_mark = 2;
  DrawLines(canvas, {"2025/06/15 会議%Red%", "2025/06/16 明日"}, copy);
  EXPECT_EQ(Texts(canvas),
            (std::vector<Drawn>{{100, 200, " 2025/06/15 会議", kRed, true},
                                {100, 215, " 2025/06/16 明日", kScheduleColor, false}}));
}

TEST(TodayMarking, UnderlinedScheduleFontLosesItsUnderlineAfterTheFirstLine) {
  RecordingCanvas canvas;
  WorkingCopy copy = ScheduleCopy();
  copy.today_mark = 2;
  copy.schedule_font.style = kStyleBold | kStyleUnderline;
  DrawLines(canvas, {"2025/06/10 a", "2025/06/12 b", "2025/06/15 c", "2025/06/20 d"}, copy);
  std::vector<bool> underlined;
  for (const Drawn& d : Texts(canvas)) underlined.push_back(d.underlined);
  EXPECT_EQ(underlined, (std::vector<bool>{true, false, true, false}));
  // With colour marking the font keeps its own underline on every line.
  RecordingCanvas other;
  copy.today_mark = 1;
  DrawLines(other, {"2025/06/10 a", "2025/06/12 b"}, copy);
  for (const Drawn& d : Texts(other)) EXPECT_TRUE(d.underlined);
}

TEST(YearOmission, DatesLoseTheirYearOnEveryLine) {
  RecordingCanvas canvas;
  WorkingCopy copy = ScheduleCopy();
  copy.cut_year = true;
  const Lines drawn = DrawLines(canvas, {"2025/06/14 a", "2025/12/31 b"}, copy);
  EXPECT_EQ(drawn, (Lines{"06/14 a", "06/15 No Schedule ", "12/31 b"}));
  EXPECT_EQ(Texts(canvas)[1], (Drawn{100, 215, " 06/15 No Schedule ", kTodayColor, false}));
}

TEST(YearOmission, OrderOfTheDrawnLinesStaysTheDateOrder) {
  RecordingCanvas canvas;
  WorkingCopy copy = ScheduleCopy();
  copy.cut_year = true;
  copy.no_schedule_line = false;
  EXPECT_EQ(DrawLines(canvas, {"2025/12/31 a", "2026/01/01 b"}, copy),
            (Lines{"12/31 a", "01/01 b"}));
}

TEST(LinePitch, SpacingPlusTheHeightOfANine) {
  RecordingCanvas canvas(7, 12);
  WorkingCopy copy = ScheduleCopy();
  copy.schedule_line_spacing = -9;
  copy.no_schedule_line = false;
  DrawLines(canvas, {"2025/06/10 a", "2025/06/11 b", "2025/06/12 c"}, copy);
  std::vector<int> ys;
  for (const Drawn& d : Texts(canvas)) ys.push_back(d.y);
  EXPECT_EQ(ys, (std::vector<int>{200, 203, 206}));
  RecordingCanvas wide(7, 12);
  copy.schedule_line_spacing = 50;
  DrawLines(wide, {"2025/06/10 a", "2025/06/11 b"}, copy);
  EXPECT_EQ(Texts(wide)[1].y, 262);
}

TEST(KeywordText, DrawnOnlyUpToTheFirstPercentSign) {
  RecordingCanvas canvas;
  WorkingCopy copy = ScheduleCopy();
  copy.no_schedule_line = false;
  DrawLines(canvas, {"2025/06/20 100%達成", "2025/06/21 色%Pink%", "2025/06/22 緑%green%"}, copy);
  EXPECT_EQ(Texts(canvas), (std::vector<Drawn>{{100, 200, " 2025/06/20 100", kScheduleColor, false},
                                               {100, 215, " 2025/06/21 色", kScheduleColor, false},
                                               {100, 230, " 2025/06/22 緑", 0x008000, false}}));
}

TEST(KeywordText, ApplyColorKeywordSetsTheCanvasColour) {
  RecordingCanvas canvas;
  EXPECT_EQ(ApplyColorKeyword(canvas, Sjis("2025/06/20 海%Navy%"), kScheduleColor),
            " 2025/06/20 海");
  EXPECT_EQ(canvas.Font().color, 0x800000u);
  EXPECT_EQ(ApplyColorKeyword(canvas, "2025/06/20 plain", kScheduleColor), " 2025/06/20 plain");
  EXPECT_EQ(canvas.Font().color, kScheduleColor);
}

TEST(Shadow, ThreeDTextDrawsTheShadowFirst) {
  RecordingCanvas canvas;
  WorkingCopy copy = ScheduleCopy();
  copy.text_3d = true;
  copy.no_schedule_line = false;
  DrawLines(canvas, {"2025/06/20 a%Red%"}, copy);
  EXPECT_EQ(Texts(canvas), (std::vector<Drawn>{{101, 201, " 2025/06/20 a", kShadowColor, false},
                                               {100, 200, " 2025/06/20 a", kRed, false}}));
}

TEST(CanvasState, ScheduleFontAndColourAndClearBrushAfterwards) {
  RecordingCanvas canvas;
  WorkingCopy copy = ScheduleCopy();
  copy.schedule_font = {"ＭＳ 明朝", 14, kStyleItalic};
  DrawLines(canvas, {"2025/06/15 a%Red%"}, copy);
  EXPECT_TRUE(canvas.BrushClear());
  EXPECT_EQ(canvas.Font().name, "ＭＳ 明朝");
  EXPECT_EQ(canvas.Font().size, 14);
  EXPECT_EQ(canvas.Font().style, kStyleItalic);
  EXPECT_EQ(canvas.Font().color, kScheduleColor);
  for (const DrawnText& t : canvas.Drawn()) EXPECT_TRUE(t.brush_clear);
}

TEST(WholeScheduleBlock, ExpandsTheFileAndDrawsIt) {
  testing::TempFolder folder;
  testing::WriteBytes(ScheduleFilePath(folder.Path()),
                      Sjis("25/06/15 00 1 今日\r\n25/06/17 00 1 明後日\r\n@@/@@/W3 00 4 火曜\r\n"));
  WorkingCopy copy = ScheduleCopy();
  copy.schedule_range = 5;
  copy.days_before = 2;
  ScheduleList entries;
  RecordingCanvas canvas;
  FixedClock clock = ClockAt(2025, 6, 15);
  const Lines drawn =
      Utf8Lines(DrawSchedule(canvas, entries, copy, Day(2025, 6, 15), clock, folder.Path()));
  // Lines of one date follow the byte order of their texts: 火 (0x89CE) before 明 (0x96BE).
  EXPECT_EQ(drawn, (Lines{"2025/06/15 今日", "2025/06/17 火曜", "2025/06/17 明後日"}));
  EXPECT_EQ(entries.Size(), 3u);
  ASSERT_EQ(canvas.Drawn().size(), 3u);
  EXPECT_EQ(canvas.Drawn()[2].y, 230);
}

TEST(WholeScheduleBlock, MalformedEntryDrawsNothing) {
  testing::TempFolder folder;
  testing::WriteBytes(ScheduleFilePath(folder.Path()), "xx/06/15 00 1 a\r\n");
  ScheduleList entries;
  RecordingCanvas canvas;
  FixedClock clock = ClockAt(2025, 6, 15);
  EXPECT_THROW(
      DrawSchedule(canvas, entries, ScheduleCopy(), Day(2025, 6, 15), clock, folder.Path()),
      ScheduleIntegerError);
  EXPECT_TRUE(canvas.Drawn().empty());
}

// A line too long for the picture is cut at its edge, and a line that would
// run into a title or a calendar drawn before is cut before it; the cut is
// marked with "…". Lines with room, and items on other rows, change nothing.
TEST(LineCut, LongLinesEndAtThePictureOrBeforeTheNextItem) {
  // Cells of 7 pixels; the picture is 400 wide; lines are 15 high from y 200.
  const std::string long_text(80, 'a');
  const struct {
    const char* name;
    std::vector<TextBox> others;
    int right;  // where the line must end
  } cases[] = {
      {"picture edge", {}, 400},
      {"calendar on the same row", {{300, 195, 80, 15}}, 300 - 7},
      {"title above the line", {{200, 150, 150, 15}}, 400},
      {"item left of the line", {{20, 200, 60, 15}}, 400},
      // Right against the list: the date would not fit, the item is drawn over.
      {"item right next to the line", {{150, 200, 60, 15}}, 400},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingCanvas canvas(7, 15, 400, 300);
    WorkingCopy copy = ScheduleCopy();
    copy.no_schedule_line = false;
    DrawScheduleLines(canvas, ScheduleList({"2025/06/15 " + long_text}), copy, Day(2025, 6, 15),
                      c.others);
    ASSERT_EQ(canvas.Drawn().size(), 1u);
    const DrawnText& line = canvas.Drawn()[0];
    const int width = RecordingCanvas::CellsOf(line.text) * 7;
    EXPECT_LE(line.x + width, c.right);
    EXPECT_GT(line.x + width, c.right - 3 * 7);  // as much as fits
    EXPECT_EQ(line.text.substr(line.text.size() - 3), "…");
    EXPECT_EQ(line.text.rfind(" 2025/06/15 aaa", 0), 0u);
  }
  // A line with room is drawn whole.
  RecordingCanvas canvas(7, 15, 400, 300);
  WorkingCopy copy = ScheduleCopy();
  copy.no_schedule_line = false;
  DrawScheduleLines(canvas, ScheduleList({"2025/06/15 short"}), copy, Day(2025, 6, 15),
                    {{300, 195, 80, 15}});
  ASSERT_EQ(canvas.Drawn().size(), 1u);
  EXPECT_EQ(canvas.Drawn()[0].text, " 2025/06/15 short");
}

// Whole characters only: a wide character that does not fit goes whole.
TEST(LineCut, CutsBetweenCharacters) {
  RecordingCanvas canvas(7, 15, 400, 300);
  // Two cells each, the mark too.
  EXPECT_EQ(FitScheduleText(canvas, "予定予定予定", 0, 7 * 8), "予定予…");
  EXPECT_EQ(FitScheduleText(canvas, "予定予定予定", 0, 7 * 7), "予定…");
  EXPECT_EQ(FitScheduleText(canvas, "予定", 0, 7 * 4), "予定");
  EXPECT_EQ(FitScheduleText(canvas, "予定予定", 0, 7), "");
}

}  // namespace
}  // namespace murva
