// The almanac line of the box form: the rokuyō or the solar term under each
// day number, in a smaller font and the day's colour, with the rows spread to
// make room.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "calendar/almanac_names.h"
#include "calendar/old_calendar.h"
#include "render/almanac_line.h"
#include "render/calendar_drawing.h"
#include "render/qt_canvas.h"
#include "render/render_test_support.h"
#include "render/tee_canvas.h"

namespace murva {
namespace {

using namespace test;

std::string Rokuyo(int year, int month, int day) {
  return std::string(RokuyoNames[static_cast<std::size_t>(
      JuliusToRokuyo(DateToJulius(year, month, day)))]);
}

bool IsAlmanacName(const std::string& text) {
  for (std::string_view name : RokuyoNames) {
    if (text == name) return true;
  }
  for (std::string_view name : SolarTermNames) {
    if (text == name) return true;
  }
  return false;
}

TEST(AlmanacTextTest, SolarTermBeforeRokuyoAndNothingOutsideTheTables) {
  const std::int32_t new_year = DateToJulius(2026, 2, 17);   // old 1/1: 先勝
  const std::int32_t solstice = DateToJulius(2026, 12, 22);  // 冬至
  EXPECT_EQ(AlmanacText(new_year, true, false), "先勝");
  EXPECT_EQ(AlmanacText(new_year, true, true), "先勝");
  EXPECT_EQ(AlmanacText(new_year, false, true), "");
  EXPECT_EQ(AlmanacText(solstice, false, true), "冬至");
  EXPECT_EQ(AlmanacText(solstice, true, true), "冬至");
  EXPECT_EQ(AlmanacText(solstice, true, false), Rokuyo(2026, 12, 22));
  EXPECT_EQ(AlmanacText(solstice, false, false), "");
  EXPECT_EQ(AlmanacText(DateToJulius(2101, 6, 21), true, true), "");
  EXPECT_EQ(AlmanacFontPoints(11), 7);
  EXPECT_EQ(AlmanacFontPoints(3), kMinAlmanacPoints);
}

// Recording canvas: digit width 7, line height 15; layout origin (100, 50),
// line spacing 20, day spacing 5, so the column pitch is 19 and, with the
// almanac line, the row pitch 20 + 15 = 35.
class AlmanacLine : public ::testing::Test {
 protected:
  AlmanacLine() : day_(2026, 12, 6), copy_(LayoutCopy()) {
    copy_.calendar_style = kCalendarStyleBox;
    copy_.show_rokuyo = true;
  }

  void UseDay(int year, int month, int day) { day_ = EngineOnDay(year, month, day); }

  void Draw() {
    DrawCalendars(canvas_, day_.Engine(), copy_, day_.Today(), random_, {});
  }

  // The day numbers drawn, as (day, text) in drawing order.
  std::vector<DrawnText> Numbers() const {
    std::vector<DrawnText> numbers;
    for (const DrawnText& drawn : canvas_.Drawn()) {
      if (!drawn.text.empty() && drawn.text.find_first_not_of(" 0123456789") == std::string::npos) {
        numbers.push_back(drawn);
      }
    }
    return numbers;
  }

  std::vector<DrawnText> AlmanacTexts() const {
    std::vector<DrawnText> texts;
    for (const DrawnText& drawn : canvas_.Drawn()) {
      if (IsAlmanacName(drawn.text)) texts.push_back(drawn);
    }
    return texts;
  }

  EngineOnDay day_;
  WorkingCopy copy_;
  RecordingCanvas canvas_;
  ScriptedRandom random_;
};

TEST_F(AlmanacLine, RokuyoSitsUnderEachDayInItsColour) {
  copy_.today_mark = kTodayMarkNone;
  Draw();
  const std::vector<DrawnText> numbers = Numbers();
  ASSERT_EQ(numbers.size(), 31u);
  for (const DrawnText& number : numbers) {
    const int day = std::stoi(number.text);
    const int column_x = number.x + (day < 10 ? 3 : 0);
    const std::vector<DrawnText> below = Find(canvas_, Rokuyo(2026, 12, day));
    const auto it = std::find_if(below.begin(), below.end(), [&](const DrawnText& text) {
      return text.y == number.y + 15 && text.x == column_x + 7 - 14;
    });
    ASSERT_NE(it, below.end()) << "no rokuyo under day " << day;
    EXPECT_EQ(it->font.color, number.font.color) << day;
    EXPECT_LT(it->font.size, number.font.size) << day;
    EXPECT_EQ(it->font.name, number.font.name);
  }
  EXPECT_EQ(AlmanacTexts().size(), 31u);
}

TEST_F(AlmanacLine, RowsGrowByTheLineAndNothingOverlapsTheNextRow) {
  Draw();
  // Label and header where they were; the day rows 35 apart from the first.
  EXPECT_EQ(FindOne(canvas_, "December").y, 50);
  EXPECT_EQ(FindOne(canvas_, "SU").y, 70);
  EXPECT_EQ(FindOne(canvas_, " 1").y, 90);
  EXPECT_EQ(FindOne(canvas_, " 6").y, 125);
  EXPECT_EQ(FindOne(canvas_, "31").y, 230);
  for (const DrawnText& almanac : AlmanacTexts()) {
    for (const DrawnText& number : Numbers()) {
      if (number.y > almanac.y) {
        EXPECT_GE(number.y, almanac.y + 15) << almanac.text;
      }
    }
  }
}

TEST_F(AlmanacLine, SolarTermsReplaceTheRokuyoOnTheirDays) {
  copy_.show_rokuyo = false;
  copy_.show_solar_terms = true;
  Draw();
  // December 2026: 大雪 on the 7th, 冬至 on the 22nd, nothing on the others.
  const std::vector<DrawnText> terms = AlmanacTexts();
  ASSERT_EQ(terms.size(), 2u);
  EXPECT_EQ(terms[0].text, "大雪");
  EXPECT_EQ(terms[0].y, FindOne(canvas_, " 7").y + 15);
  EXPECT_EQ(terms[1].text, "冬至");
  EXPECT_EQ(terms[1].y, FindOne(canvas_, "22").y + 15);
  // The rows grow all the same.
  EXPECT_EQ(FindOne(canvas_, "31").y, 230);

  canvas_.Clear();
  copy_.show_rokuyo = true;
  UseDay(2026, 12, 6);
  Draw();
  const std::vector<DrawnText> both = AlmanacTexts();
  ASSERT_EQ(both.size(), 31u);
  EXPECT_EQ(both[6].text, "大雪");
  EXPECT_EQ(both[21].text, "冬至");
  EXPECT_EQ(both[7].text, Rokuyo(2026, 12, 8));
}

TEST_F(AlmanacLine, TodayKeepsItsMarkOnTheLine) {
  Draw();
  // 6 December is today: its number and its rokuyo in today's colour.
  const DrawnText today = FindOne(canvas_, " 6");
  EXPECT_EQ(today.font.color, kTodayColor);
  const std::vector<DrawnText> under = AlmanacTexts();
  EXPECT_EQ(under[5].font.color, kTodayColor);
  EXPECT_EQ(under[6].font.color, kWeekdayColor);  // Monday the 7th

  canvas_.Clear();
  copy_.today_mark = kTodayMarkUnderline;
  UseDay(2026, 12, 6);
  Draw();
  EXPECT_NE(FindOne(canvas_, " 6").font.style & kStyleUnderline, 0);
  for (const DrawnText& almanac : AlmanacTexts()) {
    EXPECT_EQ(almanac.font.style & kStyleUnderline, 0) << almanac.text;
  }
}

// Today underlined, on the day of 大雪: the underline keeps a free line of
// pixels above the word under the date, which would otherwise read as 天雪.
// Drawn with the real fonts at the sizes users pick.
TEST(AlmanacUnderline, TodaysUnderlineStaysClearOfTheWordBelow) {
  GuiApp();
  for (const int points : {9, 11, 14, 20}) {
    SCOPED_TRACE(points);
    QImage image(400, 400, QImage::Format_RGB32);
    image.fill(Qt::black);
    QtCanvas real(image);
    TeeCanvas canvas(real);
    ScriptedRandom random;
    WorkingCopy copy = LayoutCopy();
    copy.layout.calendar_x = 20;
    copy.layout.calendar_y = 10;
    copy.calendar_style = kCalendarStyleBox;
    copy.show_solar_terms = true;
    copy.today_mark = kTodayMarkUnderline;
    copy.date_font = {"ＭＳ ゴシック", points, kStyleBold};
    copy.ActivePage().weekday = 0xFFFFFF;
    EngineOnDay day(2026, 12, 7);  // 大雪
    DrawCalendars(canvas, day.Engine(), copy, day.Today(), random, {});
    const TeeText* number = nullptr;
    const TeeText* term = nullptr;
    for (const TeeText& text : canvas.Drawn()) {
      if (text.drawn.text == " 7") number = &text;
      if (text.drawn.text == "大雪") term = &text;
    }
    ASSERT_NE(number, nullptr);
    ASSERT_NE(term, nullptr);
    const auto lit = [&image](int x, int y) { return qGray(image.pixel(x, y)) > 60; };
    // The underline: the lowest row under the number that is lit across
    // most of the number's width.
    int underline = -1;
    const int left = number->drawn.x + number->width / 4;
    const int right = number->drawn.x + number->width - 1;
    for (int y = number->drawn.y; y < term->drawn.y; ++y) {
      int count = 0;
      for (int x = left; x <= right; ++x) count += lit(x, y) ? 1 : 0;
      if (count * 10 >= (right - left + 1) * 8) underline = y;
    }
    ASSERT_GE(underline, number->drawn.y) << "no underline found";
    // The first row of the word under it.
    int word_top = -1;
    for (int y = underline + 1; y < term->drawn.y + term->height && word_top < 0; ++y) {
      for (int x = term->drawn.x; x < term->drawn.x + term->width; ++x) {
        if (lit(x, y)) {
          word_top = y;
          break;
        }
      }
    }
    ASSERT_GT(word_top, underline);
    EXPECT_GE(word_top - underline - 1, 2) << "rows between the underline and the word";
    if (points == 11) {
      image.copy(number->drawn.x - 10, number->drawn.y - 4, 60, 60)
          .scaled(240, 240)
          .save(QString(MURVA_TEST_ARTEFACT_DIR) + "/today_underline_above_taisetsu.png");
    }
  }
}

TEST_F(AlmanacLine, VerticalMonthsKeepTheirDistanceFromTheLine) {
  SetVertical(copy_);
  copy_.period = 1;
  Draw();
  // The last row of December (the 31st at 230) with its line below it; the
  // January label a month spacing below the row grown by the line.
  const DrawnText january = FindOne(canvas_, "January");
  EXPECT_EQ(january.y, 230 + 15 + 30);
  int lowest_december_line = 0;
  for (const DrawnText& almanac : AlmanacTexts()) {
    if (almanac.y < january.y) lowest_december_line = std::max(lowest_december_line, almanac.y);
  }
  EXPECT_EQ(lowest_december_line, 245);
  EXPECT_GE(january.y, lowest_december_line + 15);
  // January's days have their lines too.
  EXPECT_EQ(AlmanacTexts().size(), 31u + 31u);
}

TEST_F(AlmanacLine, HorizontalMonthsEachHaveTheirLines) {
  SetHorizontal(copy_);
  copy_.period = 3;
  Draw();
  EXPECT_EQ(AlmanacTexts().size(), 31u + 31u + 28u);
  // January 2027 starts in the second slot, 7 * 19 + 30 to the right.
  const std::vector<DrawnText> firsts = Find(canvas_, " 1");
  ASSERT_EQ(firsts.size(), 3u);
  EXPECT_EQ(firsts[1].x - firsts[0].x, 7 * 19 + 30 + 3 * 19);  // Tue → Fri
}

TEST_F(AlmanacLine, DaysOutsideTheTablePrintNothing) {
  UseDay(2101, 3, 6);
  copy_.show_solar_terms = true;
  Draw();
  EXPECT_TRUE(AlmanacTexts().empty());
  EXPECT_EQ(Numbers().size(), 31u);
}

TEST_F(AlmanacLine, StaysInsideThePictureAtItsLeftEdge) {
  copy_.layout.calendar_x = 0;
  UseDay(2026, 11, 6);  // 1 November 2026 is a Sunday: column 0
  Draw();
  for (const DrawnText& almanac : AlmanacTexts()) {
    EXPECT_GE(almanac.x, 0) << almanac.text;
  }
  EXPECT_EQ(AlmanacTexts().front().x, 0);
}

TEST_F(AlmanacLine, OffLeavesTheBoxAsItWas) {
  copy_.show_rokuyo = false;
  Draw();
  EXPECT_TRUE(AlmanacTexts().empty());
  EXPECT_EQ(FindOne(canvas_, "31").y, 170);
}

// With the real fonts: every text inside the picture, no two texts of the
// calendars overlapping, the names narrower than a column; the pictures go
// to the test artefacts.
struct YearCase {
  const char* name;
  bool horizontal;
};

class AlmanacLook : public ::testing::TestWithParam<YearCase> {};

TEST_P(AlmanacLook, AYearOfBoxesWithRokuyoAndSolarTerms) {
  GuiApp();
  const YearCase look = GetParam();
  QImage image(look.horizontal ? 1280 : 720, look.horizontal ? 760 : 1500, QImage::Format_RGB32);
  {
    QPainter painter(&image);
    painter.fillRect(image.rect(), QColor(18, 30, 52));
  }
  QtCanvas real(image);
  TeeCanvas canvas(real);
  ScriptedRandom random;

  WorkingCopy copy = LayoutCopy();
  copy.calendar_style = kCalendarStyleBox;
  copy.show_rokuyo = true;
  copy.show_solar_terms = true;
  copy.month_label_style = 6;    // " 1月"
  copy.weekday_label_style = 7;  // "日"
  copy.period = 6;
  copy.layout.month_spacing = 36;
  copy.layout.line_spacing = 22;
  copy.ActivePage().orientation = look.horizontal ? kHorizontalCaption : kVerticalCaption;
  // 2033, the year of the leap 11th month: January to June, then July to
  // December, each half from its own "today".
  const int half_offset = 360;
  for (int half = 0; half < 2; ++half) {
    EngineOnDay day(2033, half == 0 ? 1 : 7, 1);
    copy.layout.calendar_x = 30 + (look.horizontal ? 0 : half * half_offset);
    copy.layout.calendar_y = 30 + (look.horizontal ? half * half_offset : 0);
    DrawCalendars(canvas, day.Engine(), copy, day.Today(), random, {});
  }
  const std::string path = std::string(MURVA_TEST_ARTEFACT_DIR) + "/almanac_box_year_" + look.name + ".png";
  ASSERT_TRUE(image.save(QString::fromStdString(path)));

  const std::vector<TeeText>& drawn = canvas.Drawn();
  int almanac_count = 0;
  for (const TeeText& text : drawn) {
    EXPECT_GE(text.drawn.x, 0) << text.drawn.text;
    EXPECT_GE(text.drawn.y, 0) << text.drawn.text;
    EXPECT_LE(text.drawn.x + text.width, image.width()) << text.drawn.text;
    EXPECT_LE(text.drawn.y + text.height, image.height()) << text.drawn.text;
    if (IsAlmanacName(text.drawn.text)) ++almanac_count;
  }
  EXPECT_EQ(almanac_count, 365);
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    for (std::size_t j = i + 1; j < drawn.size(); ++j) {
      const TeeText& a = drawn[i];
      const TeeText& b = drawn[j];
      const bool apart = a.drawn.x + a.width <= b.drawn.x || b.drawn.x + b.width <= a.drawn.x ||
                         a.drawn.y + a.height <= b.drawn.y || b.drawn.y + b.height <= a.drawn.y;
      EXPECT_TRUE(apart) << "\"" << a.drawn.text << "\" at " << a.drawn.x << "," << a.drawn.y
                         << " overlaps \"" << b.drawn.text << "\" at " << b.drawn.x << ","
                         << b.drawn.y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Orientations, AlmanacLook,
                         ::testing::Values(YearCase{"horizontal", true}, YearCase{"vertical", false}),
                         [](const ::testing::TestParamInfo<YearCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace murva
