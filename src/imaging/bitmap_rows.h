#pragma once

// The common kinds of BMP pictures - uncompressed rows of 24 bits, or of
// 8 bits with a colour table of at most 256 entries - turned into a QImage
// in one pass over their rows. Backgrounds are nearly always of these kinds,
// whether read from a BMP file or handed back by an image plug-in; every
// other kind is left to the image library's BMP reader.

#include <QImage>
#include <cstdint>
#include <span>

namespace murva {

// The picture described by a 40-byte BMP information header (followed by
// its colour table) with its pixel rows in BMP order, as the image
// library's BMP reader would make it: 24 bits become Format_RGB32, 8 bits
// Format_Indexed8 with the colour table (biClrUsed entries, or 256 when it
// is 0), the resolution is taken over, and a negative height means rows from
// the top. Returns a null image when the picture is of another kind (another
// header size, compression, depth or plane count), when a block is shorter
// than the header says, or when the picture would need more than
// max_megabytes of memory: the caller then hands it to the library's reader.
QImage DecodeCommonBitmap(std::span<const std::uint8_t> info, std::span<const std::uint8_t> pixels,
                          int max_megabytes);

// One row of 32-bit colours as the blue, green, red triples of a 24-bit BMP
// row; target holds 3 x width bytes.
void PackBgr24Row(const QRgb* source, int width, std::uint8_t* target);

}  // namespace murva
