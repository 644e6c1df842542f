// Whole wallpapers as a person sees them: titles and month calendars of every
// form on a dark picture, written as PNG files beside the test binary
// (render_look_*.png) for a look, and checked for what must hold on any of
// them: today's colour is there and no text lies outside the picture.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QLinearGradient>
#include <string>

#include "render/calendar_drawing.h"
#include "render/qt_canvas.h"
#include "render/render_test_support.h"
#include "render/tee_canvas.h"
#include "render/titles.h"

namespace murva {
namespace {

using namespace test;

struct LookCase {
  const char* name;
  int style;
  bool horizontal;
  int period;
};

class WallpaperLook : public ::testing::TestWithParam<LookCase> {};

QImage DarkBackground(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  QPainter painter(&image);
  QLinearGradient gradient(0, 0, width, height);
  gradient.setColorAt(0, QColor(12, 24, 48));
  gradient.setColorAt(1, QColor(40, 16, 56));
  painter.fillRect(image.rect(), gradient);
  return image;
}

// The settings of a typical automatic run: titles on, two months shown, the
// default page colours, 3D text.
WorkingCopy TypicalCopy(const LookCase& look) {
  WorkingCopy copy;
  copy.wallpaper_page = 3;
  copy.calendar_style = look.style;
  copy.period = look.period;
  copy.text_3d = true;
  copy.today_mark = kTodayMarkColor;
  copy.birthday = "80/02/12";
  copy.ActivePage().orientation = look.horizontal ? kHorizontalCaption : kVerticalCaption;
  copy.layout.calendar_x = 760;
  copy.layout.calendar_y = 90;
  copy.layout.month_spacing = look.style == kCalendarStyleBox ? 30 : 60;
  copy.layout.line_spacing = 20;
  copy.layout.day_spacing = 5;
  if (look.style == kCalendarStyleBox && look.horizontal) copy.layout.calendar_x = 560;
  if (look.style != kCalendarStyleBox && look.horizontal) {
    copy.layout.calendar_x = 60;
    copy.layout.calendar_y = 300;
  }
  if (look.style != kCalendarStyleBox && !look.horizontal) {
    copy.month_label_style = 3;  // "Dec": short enough for the columns
    copy.layout.month_spacing = 80;
  }
  copy.titles_on = true;
  copy.title_x = 60;
  copy.title_y = 60;
  copy.titles[0] = TitleLine{{"ＭＳ Ｐゴシック", 28, kStyleBold}, "28", "$YYYY年$MM月$DD日 $WW"};
  copy.titles[1] = TitleLine{{"ＭＳ Ｐ明朝", 16, 0}, "16", "$yyyy/$mm/$dd ($ww)  土曜日まであと$WD日"};
  copy.titles[2] = TitleLine{{"ＭＳ ゴシック", 12, kStyleItalic}, "12", "running on $os"};
  copy.title_gaps = {44, 30, 30};
  return copy;
}

TEST_P(WallpaperLook, DrawsInsideThePictureWithTodayMarked) {
  GuiApp();
  const LookCase look = GetParam();
  EngineOnDay day(2026, 12, 6);
  WorkingCopy copy = TypicalCopy(look);
  QImage image = DarkBackground(1024, 768);
  QtCanvas real(image);
  TeeCanvas canvas(real);
  ScriptedRandom random({3, 11, 5, 8, 0, 17, 9, 2, 14, 6, 1, 19, 7, 4, 12});
  std::vector<std::string> messages;

  DrawTitles(canvas, copy, day.Today(), day.ClockSource());
  DrawCalendars(canvas, day.Engine(), copy, day.Today(), random,
                [&](const std::string& message) { messages.push_back(message); });

  const std::string path =
      std::string(MURVA_TEST_BIN_DIR) + "/render_look_" + look.name + ".png";
  ASSERT_TRUE(image.save(QString::fromStdString(path)));

  EXPECT_TRUE(messages.empty());
  for (const TeeText& text : canvas.Drawn()) {
    const DrawnText& drawn = text.drawn;
    EXPECT_GE(drawn.x, 0) << drawn.text;
    EXPECT_GE(drawn.y, 0) << drawn.text;
    EXPECT_LE(drawn.x + text.width, image.width()) << drawn.text;
    EXPECT_LE(drawn.y + text.height, image.height()) << drawn.text;
  }
  int today_pixels = 0;
  const QRgb today = ToQColor(copy.ActivePage().today).rgb() & 0xFFFFFF;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if ((image.pixel(x, y) & 0xFFFFFF) == today) ++today_pixels;
    }
  }
  EXPECT_GT(today_pixels, 5);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, WallpaperLook,
    ::testing::Values(LookCase{"box_vertical", kCalendarStyleBox, false, 1},
                      LookCase{"box_horizontal", kCalendarStyleBox, true, 1},
                      LookCase{"line_horizontal", kCalendarStyleLine, true, 1},
                      LookCase{"line_vertical", kCalendarStyleLine, false, 2},
                      LookCase{"wave_horizontal", kCalendarStyleWave, true, 1},
                      LookCase{"random_vertical", kCalendarStyleRandom, false, 1},
                      LookCase{"shock_horizontal", kCalendarStyleShock, true, 1},
                      LookCase{"bio_horizontal", kCalendarStyleBioEmotional, true, 2}),
    [](const ::testing::TestParamInfo<LookCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace murva
