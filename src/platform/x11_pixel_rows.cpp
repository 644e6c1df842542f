#include "platform/x11_pixel_rows.h"

#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace murva {
namespace {

struct Channel {
  int shift = 0;  // of the mask's lowest bit
  int bits = 0;   // set bits in the mask

  explicit Channel(unsigned long mask) {
    if (mask == 0) return;
    shift = std::countr_zero(mask);
    bits = std::popcount(mask);
  }
  std::uint32_t Place(unsigned value) const {
    if (bits == 0) return 0;
    if (bits >= 8) return static_cast<std::uint32_t>(value) << (shift + bits - 8);
    return static_cast<std::uint32_t>(value >> (8 - bits)) << shift;
  }
};

void StorePixel(std::uint32_t pixel, int bytes, bool most_significant_first, std::uint8_t* target) {
  for (int i = 0; i < bytes; ++i) {
    const int byte = most_significant_first ? bytes - 1 - i : i;
    target[i] = static_cast<std::uint8_t>(pixel >> (8 * byte));
  }
}

}  // namespace

bool X11PixelLayout::MatchesRgb32() const {
  return bits_per_pixel == 32 && most_significant_first == (std::endian::native == std::endian::big) &&
         red_mask == 0xFF0000 && green_mask == 0x00FF00 && blue_mask == 0x0000FF;
}

bool X11PixelLayout::Supported() const {
  return (bits_per_pixel == 8 || bits_per_pixel == 16 || bits_per_pixel == 24 ||
          bits_per_pixel == 32) &&
         (red_mask | green_mask | blue_mask) != 0 &&
         std::bit_width(red_mask | green_mask | blue_mask) <= static_cast<unsigned>(bits_per_pixel);
}

void ConvertX11Row(const QRgb* source, int width, const X11PixelLayout& layout, std::uint8_t* target) {
  if (layout.MatchesRgb32()) {
    // The common case: the colour word itself, with the top byte cleared.
    int x = 0;
#ifdef __SSE2__
    const __m128i colour_bits = _mm_set1_epi32(0x00FFFFFF);
    for (; x + 4 <= width; x += 4) {
      const __m128i colours = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(target + 4 * static_cast<std::size_t>(x)),
                       _mm_and_si128(colours, colour_bits));
    }
#endif
    for (; x < width; ++x) {
      const std::uint32_t pixel = source[x] & 0x00FFFFFFu;
      std::memcpy(target + 4 * static_cast<std::size_t>(x), &pixel, 4);
    }
    return;
  }
  const Channel red(layout.red_mask), green(layout.green_mask), blue(layout.blue_mask);
  const int bytes = layout.bits_per_pixel / 8;
  for (int x = 0; x < width; ++x) {
    const QRgb colour = source[x];
    const std::uint32_t pixel = red.Place(qRed(colour)) | green.Place(qGreen(colour)) |
                                blue.Place(qBlue(colour));
    StorePixel(pixel, bytes, layout.most_significant_first, target + bytes * static_cast<std::size_t>(x));
  }
}

}  // namespace murva
