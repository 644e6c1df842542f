// Rows of 32-bit colours in the pixel format an X server keeps for a
// true-colour visual: 8, 16, 24 or 32 bits per pixel, the visual's channel
// masks, the server's byte order. The conversion is done row by row, never
// through a call per pixel.
#pragma once

#include <QImage>
#include <cstdint>

namespace murva {

struct X11PixelLayout {
  int bits_per_pixel = 32;  // 8, 16, 24 or 32
  bool most_significant_first = false;
  unsigned long red_mask = 0xFF0000;
  unsigned long green_mask = 0x00FF00;
  unsigned long blue_mask = 0x0000FF;

  // Whether the rows of a Format_RGB32 picture already are in this layout on
  // this machine (apart from the unused top byte).
  bool MatchesRgb32() const;
  // Bytes of one row of `width` pixels, before padding.
  std::size_t RowBytes(int width) const { return static_cast<std::size_t>(width) * (bits_per_pixel / 8); }
  // Whether the conversion knows this layout.
  bool Supported() const;
};

// Converts `width` colours into the layout; each channel keeps its top bits
// (8 bits into a 5-bit mask keep the top 5), the bits outside the masks are
// zero. target holds layout.RowBytes(width) bytes.
void ConvertX11Row(const QRgb* source, int width, const X11PixelLayout& layout, std::uint8_t* target);

}  // namespace murva
