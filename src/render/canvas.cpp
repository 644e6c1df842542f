#include "render/canvas.h"

#include <cstdlib>

namespace murva {

void Canvas::SetFont(const FontSetting& setting) {
  font_.name = setting.name;
  font_.size = setting.size;
  font_.style = setting.style;
}

void Canvas::CopyStateTo(Canvas& other) const {
  other.font_ = font_;
  other.brush_clear_ = brush_clear_;
  other.brush_color_ = brush_color_;
}

int PointsToPixels(int points) {
  // points * 96 / 72 = points * 4 / 3, rounded half away from zero.
  const long long scaled = static_cast<long long>(points) * 4;
  const long long magnitude = (std::llabs(scaled) + 1) / 3;
  return static_cast<int>(scaled < 0 ? -magnitude : magnitude);
}

}  // namespace murva
