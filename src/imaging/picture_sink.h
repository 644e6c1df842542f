#pragma once

// Turning what an image plug-in hands back - a BMP information block and a
// pixel block - into a BMP file image the plain bitmap reader can read.

#include <QImage>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace murva {

// The sizes the information block describes.
struct TPluginBlockLayout {
  std::uint16_t bit_count = 0;
  // biClrUsed, or 2 / 16 / 256 for 1, 4 and 8 bits when that is 0.
  std::uint32_t colours = 0;
  // 40 + 4 x colours: the header is taken as 40 bytes whatever biSize says.
  std::uint64_t info_size = 0;
  // Rows of ((biWidth x bit_count + 31) / 32) x 4 bytes, |biHeight| of them.
  std::uint64_t image_size = 0;
};

// Reads the layout from the information block; nothing when the block is
// shorter than the 40-byte header or describes no picture (width not
// positive, height 0, bit count 0).
std::optional<TPluginBlockLayout> PluginBlockLayout(std::span<const std::uint8_t> info);

// The BMP file image: a 14-byte file header, info_size bytes of the
// information block and image_size bytes of the pixel block. Nothing when
// either block is shorter than its layout says, so a block is never read
// past its end, or when the image would exceed what a BMP file can hold.
std::optional<std::vector<std::uint8_t>> AssembleBitmapFile(std::span<const std::uint8_t> info,
                                                            std::span<const std::uint8_t> pixels);

// The colour table of a 4-bit picture for the bitmap's palette: colours
// entries from the information block, red, green and blue taken from bytes
// 2, 1 and 0 of each entry. Empty when the picture is not 4-bit or has no
// colours.
QList<QRgb> SixteenColourPalette(std::span<const std::uint8_t> info,
                                 const TPluginBlockLayout& layout);

}  // namespace murva
