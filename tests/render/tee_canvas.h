// A canvas that draws through a real canvas and records, like the recording
// canvas, what it drew where and the real size it measured. Pixel tests use
// it to find the box of a particular text in the picture.
#pragma once

#include <string>
#include <vector>

#include "render/canvas.h"
#include "render/recording_canvas.h"

namespace murva::test {

struct TeeText {
  DrawnText drawn;
  int width = 0;
  int height = 0;
};

class TeeCanvas final : public Canvas {
 public:
  explicit TeeCanvas(Canvas& inner) : inner_(inner) {}

  int TextWidth(const std::string& text) override {
    Sync();
    return inner_.TextWidth(text);
  }
  int TextHeight(const std::string& text) override {
    Sync();
    return inner_.TextHeight(text);
  }
  void TextOut(int x, int y, const std::string& text) override {
    Sync();
    inner_.TextOut(x, y, text);
    drawn_.push_back({{x, y, text, Font(), BrushClear()}, inner_.TextWidth(text),
                      inner_.TextHeight(text)});
  }
  int Width() const override { return inner_.Width(); }
  int Height() const override { return inner_.Height(); }

  const std::vector<TeeText>& Drawn() const { return drawn_; }

 private:
  void Sync() {
    CopyStateTo(inner_);
  }

  Canvas& inner_;
  std::vector<TeeText> drawn_;
};

}  // namespace murva::test
