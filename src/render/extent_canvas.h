// A canvas that draws nothing and keeps the box around all the texts it is
// asked to draw, measured with the real fonts. It tells where a drawing
// would land on a picture of the given size, for instance so that the
// calendar or the schedule list can be picked up with the mouse.
#pragma once

#include <QImage>
#include <QRect>

#include "render/canvas.h"
#include "render/qt_canvas.h"

namespace murva {

class ExtentCanvas final : public Canvas {
 public:
  ExtentCanvas(int width, int height);

  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  void TextOut(int x, int y, const std::string& text) override;
  int UnderlineBottom() override { return Measure().UnderlineBottom(); }

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  // The union of the boxes of every text drawn so far (empty when none).
  QRect Extent() const { return extent_; }
  void Clear() { extent_ = QRect(); }

 private:
  // The measuring canvas with this canvas's font.
  QtCanvas& Measure();

  int width_;
  int height_;
  QImage probe_;  // a one-pixel picture the fonts are measured against
  QtCanvas measure_;
  QRect extent_;
};

}  // namespace murva
