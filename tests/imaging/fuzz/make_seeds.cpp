// Writes a small seed corpus for the fuzz targets: pictures of several
// colour types in each format, and plug-in blocks for the picture sink.
// Usage: imaging_fuzz_seeds <folder>; makes <folder>/<target>/ files.

#include <png.h>

#include <QBuffer>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "imaging/picture_writers.h"

namespace {

namespace fs = std::filesystem;
using murva::test::Bytes;

void Write(const fs::path& folder, const std::string& name, const Bytes& bytes) {
  fs::create_directories(folder);
  std::ofstream file(folder / name, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

Bytes Bmp(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return Bytes(bytes.begin(), bytes.end());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: imaging_fuzz_seeds <folder>\n";
    return 2;
  }
  fs::path root = argv[1];
  using namespace murva::test;

  int n = 0;
  for (int type : {PNG_COLOR_TYPE_PALETTE, PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_RGB,
                   PNG_COLOR_TYPE_RGB_ALPHA, PNG_COLOR_TYPE_GRAY_ALPHA}) {
    for (bool interlaced : {false, true}) {
      PngRecipe recipe;
      recipe.width = 9;
      recipe.height = 7;
      recipe.color_type = type;
      recipe.interlaced = interlaced;
      if (type == PNG_COLOR_TYPE_PALETTE) {
        recipe.bit_depth = 4;
        for (int i = 0; i < 16; ++i)
          recipe.palette.push_back(static_cast<std::uint32_t>(i * 0x0F0F0F));
        recipe.sample = [](int x, int y, int) { return static_cast<std::uint16_t>((x + y) % 16); };
      } else {
        recipe.sample = [](int x, int y, int c) {
          return static_cast<std::uint16_t>((x * 30 + y * 7 + c) & 0xFF);
        };
      }
      Write(root / "png", "seed" + std::to_string(n++) + ".png", WritePng(recipe));
    }
  }
  n = 0;
  for (JpegKind kind :
       {JpegKind::kGrey, JpegKind::kColour, JpegKind::kProgressive, JpegKind::kCmyk}) {
    Write(root / "jpeg", "seed" + std::to_string(n++) + ".jpg", WriteJpeg(16, 12, kind, 75));
  }
  std::vector<std::uint32_t> palette = {0, 0xFF0000, 0x00FF00, 0x0000FF};
  GifFrame frame;
  frame.width = 8;
  frame.height = 6;
  frame.index = [](int x, int y) { return (x + y) % 4; };
  Write(root / "gif", "plain.gif", WriteGif(8, 6, palette, 0, {frame}));
  frame.interlaced = true;
  frame.left = 2;
  frame.local_palette = palette;
  frame.transparent_index = 1;
  Write(root / "gif", "interlaced.gif", WriteGif(8, 8, palette, 2, {frame, frame}));
  std::vector<QRgb> pixels;
  for (int i = 0; i < 8 * 6; ++i) pixels.push_back(qRgba(i * 5, 255 - i, i * 3, 128 + i));
  Write(root / "webp", "lossless.webp", WriteWebpLossless(8, 6, pixels, true));
  Write(root / "webp", "lossy.webp", WriteWebpLossy(8, 6, pixels, false));
  Write(root / "webp", "lossy-alpha.webp", WriteWebpLossy(8, 6, pixels, true));
  Write(root / "webp", "animation.webp", WriteWebpAnimation(8, 6, {pixels, pixels}));

  // Plug-in blocks: two bytes of information-block length, the block, the
  // pixels; taken from BMP files of several depths.
  n = 0;
  for (QImage::Format format : {QImage::Format_Indexed8, QImage::Format_RGB888, QImage::Format_Mono,
                                QImage::Format_RGB32}) {
    QImage image(7, 5, QImage::Format_RGB888);
    image.fill(qRgb(10, 200, 30));
    image = image.convertToFormat(format);
    Bytes bmp = Bmp(image);
    Write(root / "bmp_reader", "seed" + std::to_string(n) + ".bmp", bmp);
    std::uint32_t offset;
    std::memcpy(&offset, &bmp[10], 4);
    std::size_t info_length = offset - 14;
    Bytes sink = {static_cast<std::uint8_t>(info_length),
                  static_cast<std::uint8_t>(info_length >> 8)};
    sink.insert(sink.end(), bmp.begin() + 14, bmp.end());
    Write(root / "picture_sink", "seed" + std::to_string(n++), sink);
  }
  return 0;
}
