#include "render/qt_canvas.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <stdexcept>

namespace murva {

namespace {

// Texts beyond this pixel height are drawn at it; a hand-edited size must not
// make the rasteriser allocate glyphs of absurd size.
constexpr int kMaxPixelSize = 2000;

struct FontAlias {
  const char* setting_name;
  const char* family;
  const char* localised_family;  // the name Qt lists under a Japanese locale
};

constexpr FontAlias kFontAliases[] = {
    {"ＭＳ ゴシック", "IPAGothic", "IPAゴシック"},
    {"ＭＳ Ｐゴシック", "IPAPGothic", "IPA Pゴシック"},
    {"ＭＳ 明朝", "IPAMincho", "IPA明朝"},
    {"ＭＳ Ｐ明朝", "IPAPMincho", "IPA P明朝"},
};

}  // namespace

QString MapFontFamily(const std::string& name) {
  for (const FontAlias& alias : kFontAliases) {
    if (name == alias.setting_name) return QString::fromLatin1(alias.family);
  }
  return QString::fromStdString(name);
}

std::string SettingFontName(const QString& family) {
  for (const FontAlias& alias : kFontAliases) {
    if (family.compare(QLatin1String(alias.family), Qt::CaseInsensitive) == 0 ||
        family == QString::fromUtf8(alias.localised_family)) {
      return alias.setting_name;
    }
  }
  return family.toStdString();
}

QFont MakeQFont(const CanvasFont& font) {
  QFont qfont(MapFontFamily(font.name));
  qfont.setPixelSize(std::clamp(PointsToPixels(font.size), 1, kMaxPixelSize));
  qfont.setBold((font.style & kStyleBold) != 0);
  qfont.setItalic((font.style & kStyleItalic) != 0);
  qfont.setUnderline((font.style & kStyleUnderline) != 0);
  qfont.setStrikeOut((font.style & kStyleStrikeOut) != 0);
  // Glyphs snapped to whole pixels, as on the desktop the layout was made
  // for: every glyph has a whole-pixel advance, so a row of digits is exactly
  // as wide as the sum of its digits, and stems come out crisp. No kerning
  // between digits.
  qfont.setHintingPreference(QFont::PreferFullHinting);
  qfont.setKerning(false);
  return qfont;
}

QColor ToQColor(Color color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

QtCanvas::QtCanvas(QImage& image) : image_(image) {
  if (QGuiApplication::instance() == nullptr) {
    throw std::runtime_error("QtCanvas needs a QGuiApplication to draw text");
  }
  if (image_.isNull()) {
    throw std::runtime_error("QtCanvas needs a picture to draw on");
  }
  const QImage::Format format = image_.format();
  if (format == QImage::Format_Indexed8 || format == QImage::Format_Mono ||
      format == QImage::Format_MonoLSB) {
    throw std::runtime_error("QtCanvas cannot draw on a palette picture");
  }
}

QtCanvas::~QtCanvas() = default;

const QFontMetrics& QtCanvas::Metrics() {
  CanvasFont shape = Font();
  shape.color = 0;  // the colour does not change the glyphs
  if (!cached_font_ || *cached_font_ != shape || !metrics_) {
    qfont_ = MakeQFont(shape);
    metrics_ = std::make_unique<QFontMetrics>(qfont_, &image_);
    cached_font_ = shape;
  }
  return *metrics_;
}

int QtCanvas::TextWidth(const std::string& text) {
  return Metrics().horizontalAdvance(QString::fromStdString(text));
}

int QtCanvas::TextHeight(const std::string& text) {
  return Metrics().height();
}

int QtCanvas::UnderlineBottom() {
  const QFontMetrics& metrics = Metrics();
  // QPainter centres a line of lineWidth() pixels on underlinePos() below
  // the baseline; the part below the centre decides how low it reaches.
  const int width = std::max(1, metrics.lineWidth());
  return metrics.ascent() + metrics.underlinePos() + (width + 1) / 2 + 1;
}

void QtCanvas::TextOut(int x, int y, const std::string& text) {
  if (text.empty()) return;
  const QFontMetrics& metrics = Metrics();
  const QString qtext = QString::fromStdString(text);
  QPainter painter(&image_);
  if (!BrushClear()) {
    painter.fillRect(x, y, metrics.horizontalAdvance(qtext), metrics.height(),
                     ToQColor(BrushColor()));
  }
  painter.setFont(qfont_);
  painter.setPen(ToQColor(Font().color));
  painter.drawText(x, y + metrics.ascent(), qtext);
}

}  // namespace murva
