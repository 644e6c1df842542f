#include "render/text_3d.h"

namespace murva {

void DrawText3D(Canvas& canvas, int x, int y, const std::string& text, bool shadow_on,
                Color shadow_color) {
  if (shadow_on) {
    const Color color = canvas.Font().color;
    canvas.SetFontColor(shadow_color);
    canvas.TextOut(x + 1, y + 1, text);
    canvas.SetFontColor(color);
  }
  canvas.TextOut(x, y, text);
}

void DrawText3D(Canvas& canvas, const WorkingCopy& copy, int x, int y,
                const std::string& text) {
  DrawText3D(canvas, x, y, text, copy.text_3d, copy.ActivePage().shadow);
}

}  // namespace murva
