// A canvas that draws nothing and remembers every text with its position,
// font and brush. Its metrics are those of an ideal fixed-pitch font: every
// character below U+0080 is one cell wide, every other character two cells,
// and every text is one line high. Tests use it to check where the drawing
// code puts things.
#pragma once

#include <string>
#include <vector>

#include "render/canvas.h"

namespace murva {

struct DrawnText {
  int x = 0;
  int y = 0;
  std::string text;
  CanvasFont font;
  bool brush_clear = false;
};

class RecordingCanvas final : public Canvas {
 public:
  RecordingCanvas(int cell_width = 7, int line_height = 15, int width = 1024,
                  int height = 768)
      : cell_width_(cell_width), line_height_(line_height), width_(width), height_(height) {}

  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override { return line_height_; }
  void TextOut(int x, int y, const std::string& text) override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  const std::vector<DrawnText>& Drawn() const { return drawn_; }
  void Clear() { drawn_.clear(); }

  // Number of character cells of a UTF-8 text under this canvas's metrics.
  static int CellsOf(const std::string& text);

 private:
  int cell_width_;
  int line_height_;
  int width_;
  int height_;
  std::vector<DrawnText> drawn_;
};

}  // namespace murva
