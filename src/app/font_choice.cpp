#include "app/font_choice.h"

#include <algorithm>
#include <cmath>

#include "render/canvas.h"
#include "render/qt_canvas.h"
#include "settings/setting_keys.h"

namespace murva {
namespace {

constexpr double kPointsPerPixel = 72.0 / 96.0;

}  // namespace

int StyleBitsOf(const QFont& font) {
  int style = 0;
  if (font.bold()) style |= kStyleBold;
  if (font.italic()) style |= kStyleItalic;
  if (font.underline()) style |= kStyleUnderline;
  if (font.strikeOut()) style |= kStyleStrikeOut;
  return style;
}

void ApplyStyleBits(QFont& font, int style) {
  font.setBold((style & kStyleBold) != 0);
  font.setItalic((style & kStyleItalic) != 0);
  font.setUnderline((style & kStyleUnderline) != 0);
  font.setStrikeOut((style & kStyleStrikeOut) != 0);
}

QFont DialogFontOf(const FontSetting& font) {
  QFont qfont(MapFontFamily(font.name));
  qfont.setPointSize(std::clamp(font.size, 1, kMaxFontSize));
  ApplyStyleBits(qfont, font.style);
  return qfont;
}

FontSetting FontSettingOf(const QFont& chosen) {
  FontSetting font;
  font.name = SettingFontName(chosen.family());
  double points = chosen.pointSizeF();
  if (points <= 0 && chosen.pixelSize() > 0) points = chosen.pixelSize() * kPointsPerPixel;
  font.size = std::clamp(static_cast<int>(std::lround(points)), 1, kMaxFontSize);
  font.style = StyleBitsOf(chosen);
  return font;
}

QFont SampleFontOf(const FontSetting& font) {
  CanvasFont canvas_font;
  canvas_font.name = font.name;
  canvas_font.size = font.size;
  canvas_font.style = font.style;
  return MakeQFont(canvas_font);
}

}  // namespace murva
