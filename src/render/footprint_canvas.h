// A canvas that draws through another one and keeps the box of every text it
// draws. The build draws the titles and the calendars through it, so that
// the schedule list, drawn after them, can keep clear of them.
#pragma once

#include <string>
#include <vector>

#include "render/canvas.h"

namespace murva {

class FootprintCanvas final : public Canvas {
 public:
  // Draws on `inner`, which must outlive this canvas; the font and brush set
  // here are the ones `inner` draws with.
  explicit FootprintCanvas(Canvas& inner);

  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  void TextOut(int x, int y, const std::string& text) override;
  int UnderlineBottom() override;

  int Width() const override { return inner_.Width(); }
  int Height() const override { return inner_.Height(); }

  // The boxes of the texts drawn so far, in drawing order.
  const std::vector<TextBox>& Boxes() const { return boxes_; }

 private:
  // `inner` takes this canvas's font and brush.
  Canvas& Sync();

  Canvas& inner_;
  std::vector<TextBox> boxes_;
};

}  // namespace murva
