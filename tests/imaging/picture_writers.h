#pragma once

// Writers for small test pictures in the formats of the shipped plug-ins,
// made with the codec libraries themselves, and reference decoders.

#include <QImage>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace murva::test {

using Bytes = std::vector<std::uint8_t>;

// One PNG picture: every sample comes from sample(x, y, channel), already
// within bit_depth; palette entries are RGB triples.
struct PngRecipe {
  int width = 4;
  int height = 3;
  int color_type = 2;  // PNG_COLOR_TYPE_*
  int bit_depth = 8;
  bool interlaced = false;
  std::vector<std::uint32_t> palette;                            // 0xRRGGBB
  std::vector<std::uint8_t> palette_alpha;                       // tRNS for palette pictures
  std::optional<std::vector<std::uint16_t>> transparent_colour;  // tRNS for grey / RGB
  std::function<std::uint16_t(int x, int y, int channel)> sample;
};
Bytes WritePng(const PngRecipe& recipe);

enum class JpegKind { kGrey, kColour, kProgressive, kCmyk };
// A JPEG of the given kind drawing a smooth test pattern.
Bytes WriteJpeg(int width, int height, JpegKind kind, int quality = 90);
// The reference: the same file decoded by the codec library directly, as
// 0xFFRRGGBB pixels (CMYK converted the way the plug-in documents).
std::vector<QRgb> DecodeJpegDirectly(const Bytes& file, int* width = nullptr,
                                     int* height = nullptr);

// A GIF frame: indices of a width x height rectangle at (left, top).
struct GifFrame {
  int left = 0;
  int top = 0;
  int width = 1;
  int height = 1;
  bool interlaced = false;
  std::vector<std::uint32_t> local_palette;  // empty: the global palette
  int transparent_index = -1;
  std::function<int(int x, int y)> index;
};
Bytes WriteGif(int screen_width, int screen_height, const std::vector<std::uint32_t>& palette,
               int background_index, const std::vector<GifFrame>& frames);

// WebP pictures from 0xAARRGGBB pixels (row by row).
Bytes WriteWebpLossless(int width, int height, const std::vector<QRgb>& argb, bool alpha);
Bytes WriteWebpLossy(int width, int height, const std::vector<QRgb>& argb, bool alpha);
Bytes WriteWebpAnimation(int width, int height, const std::vector<std::vector<QRgb>>& frames);
// The reference decode of a still WebP as 0xAARRGGBB pixels.
std::vector<QRgb> DecodeWebpDirectly(const Bytes& file);

// A channel with alpha laid over white, as the plug-ins document it.
std::uint8_t OverWhite(std::uint8_t value, std::uint8_t alpha);
QRgb OverWhite(QRgb argb);

// CRC-32 of PNG chunks, for patching headers.
std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t size);

}  // namespace murva::test
