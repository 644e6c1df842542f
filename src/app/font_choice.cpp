#include "app/font_choice.h"

#include <QFontInfo>
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
  // The family the drawing really gets: a name that is not installed (or a
  // generic one such as "Sans Serif") is what fontconfig makes of it, and a
  // mapped family is listed under the name of the desktop's language
  // ("IPAゴシック" on a Japanese desktop), which is the name the dialog's
  // list shows and selects.
  const QString family = QFontInfo(SampleFontOf(font)).family();
  QFont qfont(family.isEmpty() ? MapFontFamily(font.name) : family);
  qfont.setPointSize(std::clamp(font.size, 1, kMaxFontSize));
  ApplyStyleBits(qfont, font.style);
  return qfont;
}

bool SameDialogFont(const QFont& chosen, const QFont& initial) {
  const FontSetting a = FontSettingOf(chosen);
  const FontSetting b = FontSettingOf(initial);
  return a.name == b.name && a.size == b.size && a.style == b.style;
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
