#include "render/footprint_canvas.h"

namespace murva {

FootprintCanvas::FootprintCanvas(Canvas& inner) : inner_(inner) {
  SetFontName(inner.Font().name);
  SetFontSize(inner.Font().size);
  SetFontStyle(inner.Font().style);
  SetFontColor(inner.Font().color);
  if (inner.BrushClear()) {
    SetBrushClear();
  } else {
    SetBrushSolid(inner.BrushColor());
  }
}

Canvas& FootprintCanvas::Sync() {
  CopyStateTo(inner_);
  return inner_;
}

int FootprintCanvas::TextWidth(const std::string& text) { return Sync().TextWidth(text); }

int FootprintCanvas::TextHeight(const std::string& text) { return Sync().TextHeight(text); }

int FootprintCanvas::UnderlineBottom() { return Sync().UnderlineBottom(); }

void FootprintCanvas::TextOut(int x, int y, const std::string& text) {
  Canvas& inner = Sync();
  inner.TextOut(x, y, text);
  if (!text.empty()) boxes_.push_back({x, y, inner.TextWidth(text), inner.TextHeight(text)});
}

}  // namespace murva
