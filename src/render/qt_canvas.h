// The canvas over a QImage: texts are rasterised by QPainter through
// fontconfig and FreeType. The Windows font names of the settings are mapped
// to the installed Japanese fonts (see MapFontFamily).
//
// A QGuiApplication must exist while a QtCanvas measures or draws text.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <memory>
#include <optional>

#include "render/canvas.h"

class QFontMetrics;

namespace murva {

// The installed font family that stands for a font name of the settings:
// "ＭＳ ゴシック" → IPAGothic, "ＭＳ Ｐゴシック" → IPAPGothic,
// "ＭＳ 明朝" → IPAMincho, "ＭＳ Ｐ明朝" → IPAPMincho; any other name is
// passed on unchanged for fontconfig to resolve.
QString MapFontFamily(const std::string& name);

// The other way: the font name the settings keep for an installed family,
// so that a font chosen in a font dialog is stored as users know it
// (IPAGothic, or IPAゴシック as a Japanese desktop lists it, → "ＭＳ ゴシック");
// any other family is kept as it is.
std::string SettingFontName(const QString& family);

// The QFont of a canvas font: family mapped, pixel size from the points,
// style bits applied.
QFont MakeQFont(const CanvasFont& font);

// 0x00BBGGRR as an opaque QColor.
QColor ToQColor(Color color);

class QtCanvas final : public Canvas {
 public:
  // Draws on image, which must outlive the canvas. Throws std::runtime_error
  // when no QGuiApplication exists (text cannot be rasterised without one),
  // the image is null or it is a palette image (QPainter cannot draw on one).
  explicit QtCanvas(QImage& image);
  ~QtCanvas() override;

  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  void TextOut(int x, int y, const std::string& text) override;
  int UnderlineBottom() override;

  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }

 private:
  // The metrics of the current font, rebuilt when the font changed.
  const QFontMetrics& Metrics();

  QImage& image_;
  std::optional<CanvasFont> cached_font_;  // name/size/style of qfont_
  QFont qfont_;
  std::unique_ptr<QFontMetrics> metrics_;
};

}  // namespace murva
