#include "render/qt_canvas.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <functional>

#include "render/calendar_drawing.h"
#include "render/render_test_support.h"
#include "render/tee_canvas.h"
#include "render/text_3d.h"

namespace murva {
namespace {

using namespace test;

constexpr Color kWhite = 0xFFFFFF;
constexpr Color kRed = 0x0000FF;
constexpr Color kBlue = 0xFF0000;

// The box of the pixels that satisfy a test; empty when none does.
struct PixelBox {
  int left = 1 << 30;
  int top = 1 << 30;
  int right = -1;   // inclusive
  int bottom = -1;  // inclusive
  int count = 0;
  bool Empty() const { return count == 0; }
};

PixelBox BoxOf(const QImage& image, const std::function<bool(QRgb)>& match, QRect area = {}) {
  if (area.isNull()) area = image.rect();
  area = area.intersected(image.rect());
  PixelBox box;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (!match(image.pixel(x, y))) continue;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x);
      box.bottom = std::max(box.bottom, y);
      ++box.count;
    }
  }
  return box;
}

std::function<bool(QRgb)> Exactly(Color color) {
  const QRgb wanted = ToQColor(color).rgb();
  return [wanted](QRgb pixel) { return (pixel & 0xFFFFFF) == (wanted & 0xFFFFFF); };
}

bool NotBlack(QRgb pixel) { return (pixel & 0xFFFFFF) != 0; }

class QtCanvasTest : public ::testing::Test {
 protected:
  QtCanvasTest() : image_(MakeImage(320, 200)) {}

  static QImage MakeImage(int width, int height) {
    GuiApp();
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
  }

  QImage image_;
};

TEST(MapFontFamily, WindowsNamesMapToTheIpaFonts) {
  EXPECT_EQ(MapFontFamily("ＭＳ ゴシック"), "IPAGothic");
  EXPECT_EQ(MapFontFamily("ＭＳ Ｐゴシック"), "IPAPGothic");
  EXPECT_EQ(MapFontFamily("ＭＳ 明朝"), "IPAMincho");
  EXPECT_EQ(MapFontFamily("ＭＳ Ｐ明朝"), "IPAPMincho");
  EXPECT_EQ(MapFontFamily("DejaVu Sans"), "DejaVu Sans");
  EXPECT_EQ(MapFontFamily("IPAゴシック"), QString::fromUtf8("IPAゴシック"));
}

TEST(MakeQFont, PointsAt96DotsPerInchAndStyleBits) {
  const QFont font = MakeQFont(CanvasFont{"ＭＳ ゴシック", 11, kStyleBold | kStyleUnderline, 0});
  EXPECT_EQ(font.pixelSize(), 15);
  EXPECT_TRUE(font.bold());
  EXPECT_FALSE(font.italic());
  EXPECT_TRUE(font.underline());
  EXPECT_FALSE(font.strikeOut());
  const QFont other = MakeQFont(CanvasFont{"ＭＳ 明朝", 9, kStyleItalic | kStyleStrikeOut, 0});
  EXPECT_EQ(other.pixelSize(), 12);
  EXPECT_FALSE(other.bold());
  EXPECT_TRUE(other.italic());
  EXPECT_TRUE(other.strikeOut());
}

TEST(PointsToPixels, RoundsToTheNearestPixel) {
  EXPECT_EQ(PointsToPixels(9), 12);
  EXPECT_EQ(PointsToPixels(10), 13);  // 13.3
  EXPECT_EQ(PointsToPixels(11), 15);  // 14.7
  EXPECT_EQ(PointsToPixels(20), 27);  // 26.7
  EXPECT_EQ(PointsToPixels(72), 96);
}

TEST_F(QtCanvasTest, InstalledFontsAnswerForTheWindowsNames) {
  for (const char* name : {"ＭＳ ゴシック", "ＭＳ Ｐゴシック", "ＭＳ 明朝", "ＭＳ Ｐ明朝"}) {
    const QFontInfo info(MakeQFont(CanvasFont{name, 11, 0, 0}));
    EXPECT_EQ(info.family(), MapFontFamily(name)) << name;
  }
}

TEST_F(QtCanvasTest, MetricsOfTheDayFont) {
  QtCanvas canvas(image_);
  canvas.SetFont(FontSetting{"ＭＳ ゴシック", 11, kStyleBold});
  const int height = canvas.TextHeight("9");
  EXPECT_GE(height, 15);
  EXPECT_LE(height, 20);
  // The fixed-pitch Gothic: every digit has the same advance, half an em.
  const int digit = canvas.TextWidth("23456789") / 8;
  EXPECT_EQ(canvas.TextWidth("1"), digit);
  EXPECT_EQ(canvas.TextWidth("11"), 2 * digit);
  EXPECT_GE(digit, 7);
  EXPECT_LE(digit, 9);
  // A full-width character is wider than a digit.
  EXPECT_GT(canvas.TextWidth("日"), digit);
  // Larger points, larger text.
  canvas.SetFontSize(22);
  EXPECT_GT(canvas.TextHeight("9"), height);
}

TEST_F(QtCanvasTest, TextHangsFromItsTopLeftCorner) {
  QtCanvas canvas(image_);
  canvas.SetFont(FontSetting{"ＭＳ ゴシック", 20, 0});
  canvas.SetFontColor(kWhite);
  canvas.SetBrushClear();
  canvas.TextOut(40, 60, "■");
  const int width = canvas.TextWidth("■");
  const int height = canvas.TextHeight("■");
  const PixelBox ink = BoxOf(image_, NotBlack);
  ASSERT_FALSE(ink.Empty());
  EXPECT_GE(ink.left, 40);
  EXPECT_GE(ink.top, 60);
  EXPECT_LT(ink.right, 40 + width);
  EXPECT_LT(ink.bottom, 60 + height);
  // The square fills most of the em box, which begins near the top.
  EXPECT_LE(ink.left, 40 + 4);
  EXPECT_LE(ink.top, 60 + height / 3);
  // Fully covered pixels have the font colour itself.
  EXPECT_GT(BoxOf(image_, Exactly(kWhite)).count, 100);
}

TEST_F(QtCanvasTest, ShadowLiesOnePixelDownRightInTheShadowColour) {
  QtCanvas canvas(image_);
  canvas.SetFont(FontSetting{"ＭＳ ゴシック", 20, 0});
  canvas.SetFontColor(kWhite);
  canvas.SetBrushClear();
  DrawText3D(canvas, 40, 60, "■", true, kRed);
  const PixelBox text = BoxOf(image_, Exactly(kWhite));
  const PixelBox shadow = BoxOf(image_, Exactly(kRed));
  ASSERT_FALSE(text.Empty());
  ASSERT_FALSE(shadow.Empty());
  EXPECT_EQ(shadow.right, text.right + 1);
  EXPECT_EQ(shadow.bottom, text.bottom + 1);
  EXPECT_GT(shadow.left, text.left);
  EXPECT_GT(shadow.top, text.top);
  // The colour is restored after the shadow.
  EXPECT_EQ(canvas.Font().color, kWhite);
}

TEST_F(QtCanvasTest, ShadowMatchesTheTextDrawnOnePixelAway) {
  QImage expected = image_.copy();
  {
    QtCanvas canvas(expected);
    canvas.SetFont(FontSetting{"ＭＳ Ｐゴシック", 16, kStyleBold});
    canvas.SetBrushClear();
    canvas.SetFontColor(kRed);
    canvas.TextOut(31, 21, "12月 Sun");
    canvas.SetFontColor(kWhite);
    canvas.TextOut(30, 20, "12月 Sun");
  }
  QtCanvas canvas(image_);
  canvas.SetFont(FontSetting{"ＭＳ Ｐゴシック", 16, kStyleBold});
  canvas.SetBrushClear();
  canvas.SetFontColor(kWhite);
  DrawText3D(canvas, 30, 20, "12月 Sun", true, kRed);
  EXPECT_EQ(image_, expected);
  // Without 3D, no shadow colour at all.
  QImage plain = MakeImage(320, 200);
  QtCanvas plain_canvas(plain);
  plain_canvas.SetFont(FontSetting{"ＭＳ Ｐゴシック", 16, kStyleBold});
  plain_canvas.SetBrushClear();
  plain_canvas.SetFontColor(kWhite);
  DrawText3D(plain_canvas, 30, 20, "12月 Sun", false, kRed);
  EXPECT_TRUE(BoxOf(plain, Exactly(kRed)).Empty());
}

TEST_F(QtCanvasTest, SolidBrushFillsTheTextBoxClearBrushDoesNot) {
  QtCanvas canvas(image_);
  canvas.SetFont(FontSetting{"ＭＳ ゴシック", 11, 0});
  canvas.SetFontColor(kWhite);
  canvas.SetBrushSolid(kBlue);
  canvas.TextOut(10, 10, "  ");
  const PixelBox filled = BoxOf(image_, Exactly(kBlue));
  EXPECT_EQ(filled.left, 10);
  EXPECT_EQ(filled.top, 10);
  EXPECT_EQ(filled.right, 10 + canvas.TextWidth("  ") - 1);
  EXPECT_EQ(filled.bottom, 10 + canvas.TextHeight("  ") - 1);

  canvas.SetBrushClear();
  canvas.TextOut(100, 100, "  ");
  EXPECT_EQ(BoxOf(image_, NotBlack, QRect(90, 90, 100, 100)).count, 0);
}

TEST_F(QtCanvasTest, TextOutsideThePictureIsCut) {
  QtCanvas canvas(image_);
  canvas.SetFont(FontSetting{"ＭＳ ゴシック", 11, 0});
  canvas.SetFontColor(kWhite);
  canvas.SetBrushClear();
  canvas.TextOut(-5000, 5000, "December");
  canvas.TextOut(310, 190, "December");
  EXPECT_EQ(image_.size(), QSize(320, 200));
  EXPECT_FALSE(BoxOf(image_, NotBlack).Empty());
}

TEST_F(QtCanvasTest, RefusesPicturesItCannotDrawOn) {
  QImage null_image;
  EXPECT_THROW(QtCanvas{null_image}, std::runtime_error);
  QImage palette = image_.convertToFormat(QImage::Format_Indexed8);
  EXPECT_THROW(QtCanvas{palette}, std::runtime_error);
}

// A month calendar drawn on pixels: December 2026, today the 6th.
class CalendarPixels : public QtCanvasTest {
 protected:
  CalendarPixels() : day_(2026, 12, 6), copy_(LayoutCopy()) {
    image_ = MakeImage(400, 260);
    copy_.layout.calendar_x = 20;
    copy_.layout.calendar_y = 20;
    copy_.layout.line_spacing = 24;
    copy_.calendar_style = kCalendarStyleBox;
    copy_.date_font = FontSetting{"ＭＳ ゴシック", 14, kStyleBold};
  }

  void Draw() {
    QtCanvas real(image_);
    TeeCanvas tee(real);
    ScriptedRandom random;
    DrawCalendars(tee, day_.Engine(), copy_, day_.Today(), random, {});
    drawn_ = tee.Drawn();
  }

  // The box of a drawn text in the picture; below_baseline keeps only the
  // rows under the glyphs' baseline, where an underline runs.
  QRect BoxOfText(const std::string& text, bool below_baseline = false) const {
    for (auto it = drawn_.rbegin(); it != drawn_.rend(); ++it) {
      if (it->drawn.text != text) continue;
      QRect box(it->drawn.x, it->drawn.y, it->width, it->height);
      if (below_baseline) {
        const int ascent = QFontMetrics(MakeQFont(it->drawn.font)).ascent();
        box.setTop(it->drawn.y + ascent + 1);
      }
      return box;
    }
    ADD_FAILURE() << "no text \"" << text << "\"";
    return {};
  }

  EngineOnDay day_;
  WorkingCopy copy_;
  std::vector<TeeText> drawn_;
};

TEST_F(CalendarPixels, TodaysNumberIsInTheTodayColour) {
  Draw();
  const QRect today = BoxOfText(" 6");
  EXPECT_GT(BoxOf(image_, Exactly(kTodayColor), today).count, 5);
  EXPECT_EQ(BoxOf(image_, Exactly(kSundayColor), today).count, 0);
  // The next Sunday keeps the Sunday colour, and no other day shows the
  // today colour.
  const QRect next_sunday = BoxOfText("13");
  EXPECT_GT(BoxOf(image_, Exactly(kSundayColor), next_sunday).count, 5);
  PixelBox all_today = BoxOf(image_, Exactly(kTodayColor));
  EXPECT_TRUE(today.contains(all_today.left, all_today.top));
  EXPECT_TRUE(today.contains(all_today.right, all_today.bottom));
  // Weekdays and Saturdays in their colours.
  EXPECT_GT(BoxOf(image_, Exactly(kWeekdayColor), BoxOfText(" 7")).count, 5);
  EXPECT_GT(BoxOf(image_, Exactly(kSaturdayColor), BoxOfText("12")).count, 5);
}

// The longest run of lit pixels in one row of a box.
int LongestRow(const QImage& image, const QRect& box) {
  int longest = 0;
  for (int y = box.top(); y <= box.bottom(); ++y) {
    int run = 0;
    for (int x = box.left(); x <= box.right(); ++x) {
      run = NotBlack(image.pixel(x, y)) ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  }
  return longest;
}

TEST_F(CalendarPixels, UnderlineAppearsOnlyUnderToday) {
  copy_.today_mark = kTodayMarkUnderline;
  Draw();
  const QRect today = BoxOfText(" 6", true);
  // The underline runs under the whole text, the leading space included.
  EXPECT_GE(LongestRow(image_, today), today.width() - 2);
  for (const char* other : {" 5", " 7", "13", "20"}) {
    EXPECT_EQ(LongestRow(image_, BoxOfText(other, true)), 0) << other;
  }
  // Today keeps its day colour under the underline mark.
  EXPECT_GT(BoxOf(image_, Exactly(kSundayColor), today).count, 5);
  EXPECT_EQ(BoxOf(image_, Exactly(kTodayColor)).count, 0);
}

}  // namespace
}  // namespace murva
