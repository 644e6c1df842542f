#include "render/extent_canvas.h"

namespace murva {

ExtentCanvas::ExtentCanvas(int width, int height)
    : width_(width), height_(height), probe_(1, 1, QImage::Format_RGB32), measure_(probe_) {}

QtCanvas& ExtentCanvas::Measure() {
  const CanvasFont& font = Font();
  measure_.SetFontName(font.name);
  measure_.SetFontSize(font.size);
  measure_.SetFontStyle(font.style);
  return measure_;
}

int ExtentCanvas::TextWidth(const std::string& text) { return Measure().TextWidth(text); }

int ExtentCanvas::TextHeight(const std::string& text) { return Measure().TextHeight(text); }

void ExtentCanvas::TextOut(int x, int y, const std::string& text) {
  if (text.empty()) return;
  QtCanvas& measure = Measure();
  const QRect box(x, y, measure.TextWidth(text), measure.TextHeight(text));
  extent_ = extent_.isNull() ? box : extent_.united(box);
}

}  // namespace murva
