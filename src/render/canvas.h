// The drawing surface of the wallpaper as the drawing code sees it: a current
// font (name, size in points, style bits, colour), a brush that is either
// solid or clear, text measurement, and text drawn with its top-left corner
// at a point. QtCanvas draws on a real picture; RecordingCanvas keeps a list
// of what was drawn where, for tests.
#pragma once

#include <string>

#include "settings/working_copy.h"

namespace murva {

// Where a text was drawn: its top-left corner, advance width and line height.
struct TextBox {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  bool operator==(const TextBox&) const = default;
};

struct CanvasFont {
  std::string name = "ＭＳ ゴシック";
  int size = 11;      // points at 96 dots per inch
  int style = 0;      // kStyleBold | kStyleItalic | kStyleUnderline | kStyleStrikeOut
  Color color = 0;    // 0x00BBGGRR

  bool operator==(const CanvasFont&) const = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Font of the next texts. The setters only record the choice; each canvas
  // builds its real font when it next measures or draws.
  void SetFontName(const std::string& name) { font_.name = name; }
  void SetFontSize(int points) { font_.size = points; }
  void SetFontStyle(int style) { font_.style = style; }
  void SetFontColor(Color color) { font_.color = color; }
  // Name, size and style of a font setting; the colour stays.
  void SetFont(const FontSetting& setting);
  const CanvasFont& Font() const { return font_; }

  // The brush under the texts: solid (the default, white) fills the text's
  // box before the text is drawn; clear leaves the picture as it is.
  void SetBrushClear() { brush_clear_ = true; }
  void SetBrushSolid(Color color) {
    brush_clear_ = false;
    brush_color_ = color;
  }
  bool BrushClear() const { return brush_clear_; }
  Color BrushColor() const { return brush_color_; }

  // Gives another canvas this one's font and brush: for a canvas that
  // measures or draws through another.
  void CopyStateTo(Canvas& other) const;

  // Advance width of a text in the current font, in pixels.
  virtual int TextWidth(const std::string& text) = 0;
  // Full line height of the current font (ascent plus descent), in pixels.
  virtual int TextHeight(const std::string& text) = 0;
  // Draws a UTF-8 text with its top-left corner at (x, y).
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  // How far below the text's top the underline of the current font reaches
  // (its last pixel row plus one), where the font is underlined. A canvas
  // without real fonts keeps it inside the line height.
  virtual int UnderlineBottom() { return TextHeight("9"); }

  // Size of the picture behind the canvas.
  virtual int Width() const = 0;
  virtual int Height() const = 0;

 private:
  CanvasFont font_;
  bool brush_clear_ = false;
  Color brush_color_ = 0xFFFFFF;
};

// Pixel height of a font size in points on a 96 dots-per-inch screen,
// rounded to the nearest pixel.
int PointsToPixels(int points);

}  // namespace murva
