#include "render/recording_canvas.h"

namespace murva {

int RecordingCanvas::CellsOf(const std::string& text) {
  int cells = 0;
  for (unsigned char byte : text) {
    if (byte < 0x80) {
      cells += 1;  // ASCII
    } else if ((byte & 0xC0) != 0x80) {
      cells += 2;  // lead byte of a wider character
    }
  }
  return cells;
}

int RecordingCanvas::TextWidth(const std::string& text) {
  return CellsOf(text) * cell_width_;
}

void RecordingCanvas::TextOut(int x, int y, const std::string& text) {
  drawn_.push_back({x, y, text, Font(), BrushClear()});
}

}  // namespace murva
