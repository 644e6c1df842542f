// The direct decoding of the common BMP kinds gives exactly the picture the
// image library's BMP reader makes of the same data, and leaves every other
// kind to that reader.

#include "imaging/bitmap_rows.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <cstring>
#include <random>

#include "imaging/bitmap.h"
#include "imaging/picture_sink.h"

namespace murva {
namespace {

struct Kind {
  int32_t width;
  int32_t height;  // negative: rows from the top
  uint16_t bits;
  uint32_t clr_used;
  int32_t dots_per_metre;
};

std::vector<std::uint8_t> InfoBlock(const Kind& kind, uint32_t compression = 0,
                                    uint32_t header_size = 40) {
  // A plug-in's block holds biClrUsed table entries whatever the depth.
  const uint32_t colours = kind.clr_used ? kind.clr_used : (kind.bits == 8 ? 256 : 0);
  std::vector<std::uint8_t> block(40 + 4 * colours, 0);
  auto put32 = [&](std::size_t at, uint32_t value) { std::memcpy(&block[at], &value, 4); };
  put32(0, header_size);
  put32(4, static_cast<uint32_t>(kind.width));
  put32(8, static_cast<uint32_t>(kind.height));
  block[12] = 1;
  std::memcpy(&block[14], &kind.bits, 2);
  put32(16, compression);
  put32(24, static_cast<uint32_t>(kind.dots_per_metre));
  put32(28, static_cast<uint32_t>(kind.dots_per_metre / 2));
  put32(32, kind.clr_used);
  for (uint32_t i = 0; i < colours; ++i) {
    block[40 + 4 * i] = static_cast<std::uint8_t>(i * 7);
    block[40 + 4 * i + 1] = static_cast<std::uint8_t>(255 - i);
    block[40 + 4 * i + 2] = static_cast<std::uint8_t>(i * 3);
  }
  return block;
}

std::vector<std::uint8_t> PixelBlock(const Kind& kind, std::mt19937& random) {
  const std::size_t row = ((static_cast<std::size_t>(kind.width) * kind.bits + 31) / 32) * 4;
  std::vector<std::uint8_t> pixels(row * static_cast<std::size_t>(std::abs(kind.height)));
  const uint32_t colours = kind.clr_used ? kind.clr_used : 256;
  for (std::uint8_t& byte : pixels) {
    byte = static_cast<std::uint8_t>(kind.bits == 8 ? random() % colours : random());
  }
  return pixels;
}

QImage LibraryReader(const std::vector<std::uint8_t>& file) {
  QByteArray bytes(reinterpret_cast<const char*>(file.data()), static_cast<qsizetype>(file.size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "bmp");
  return reader.read();
}

void ExpectSamePicture(const QImage& direct, const QImage& library) {
  ASSERT_FALSE(direct.isNull());
  ASSERT_FALSE(library.isNull());
  EXPECT_EQ(direct.format(), library.format());
  EXPECT_EQ(direct.size(), library.size());
  EXPECT_EQ(direct.colorTable(), library.colorTable());
  EXPECT_EQ(direct.dotsPerMeterX(), library.dotsPerMeterX());
  EXPECT_EQ(direct.dotsPerMeterY(), library.dotsPerMeterY());
  for (int y = 0; y < direct.height(); ++y) {
    ASSERT_EQ(std::memcmp(direct.constScanLine(y), library.constScanLine(y),
                          static_cast<std::size_t>(direct.bytesPerLine())),
              0)
        << "row " << y;
  }
}

TEST(CommonBitmap, EveryCommonKindIsThePictureTheLibraryReaderMakes) {
  const Kind kinds[] = {
      {1, 1, 24, 0, 0},     {2, 3, 24, 0, 3780},  {3, -4, 24, 0, 2835}, {5, 2, 24, 7, -10},
      {64, 17, 24, 0, 1},   {1, 1, 8, 0, 0},      {3, 5, 8, 2, 3780},   {6, -3, 8, 16, 0},
      {7, 4, 8, 256, 100},  {33, 9, 8, 0, 2000},
  };
  std::mt19937 random(17);
  for (const Kind& kind : kinds) {
    SCOPED_TRACE(::testing::Message() << kind.width << "x" << kind.height << " " << kind.bits
                                      << " bits, " << kind.clr_used << " colours");
    const std::vector<std::uint8_t> info = InfoBlock(kind);
    const std::vector<std::uint8_t> pixels = PixelBlock(kind, random);
    const std::optional<std::vector<std::uint8_t>> file = AssembleBitmapFile(info, pixels);
    ASSERT_TRUE(file);
    const QImage library = LibraryReader(*file);
    // From a plug-in's blocks, and from a file through the plain reader.
    ExpectSamePicture(DecodeCommonBitmap(info, pixels, 1024), library);
    ExpectSamePicture(ReadBmpImage(*file), library);
  }
}

TEST(CommonBitmap, OtherKindsAndShortBlocksAreLeftToTheLibrary) {
  std::mt19937 random(3);
  const Kind picture{4, 4, 24, 0, 0};
  const std::vector<std::uint8_t> pixels = PixelBlock(picture, random);
  EXPECT_TRUE(DecodeCommonBitmap(InfoBlock({4, 4, 4, 0, 0}), pixels, 1024).isNull());
  EXPECT_TRUE(DecodeCommonBitmap(InfoBlock({4, 4, 32, 0, 0}), pixels, 1024).isNull());
  EXPECT_TRUE(DecodeCommonBitmap(InfoBlock({4, 4, 16, 0, 0}), pixels, 1024).isNull());
  EXPECT_TRUE(DecodeCommonBitmap(InfoBlock(picture, 1), pixels, 1024).isNull());
  EXPECT_TRUE(DecodeCommonBitmap(InfoBlock(picture, 0, 108), pixels, 1024).isNull());
  EXPECT_TRUE(DecodeCommonBitmap(InfoBlock({4, 4, 8, 300, 0}), pixels, 1024).isNull());
  EXPECT_TRUE(
      DecodeCommonBitmap(InfoBlock(picture), std::span(pixels).first(pixels.size() - 1), 1024)
          .isNull());
  std::vector<std::uint8_t> short_info = InfoBlock({4, 4, 8, 16, 0});
  short_info.pop_back();
  EXPECT_TRUE(DecodeCommonBitmap(short_info, pixels, 1024).isNull());
  // Beyond the memory limit: 4 x 4 x 4 bytes is more than 0 MB.
  EXPECT_TRUE(DecodeCommonBitmap(InfoBlock(picture), pixels, 0).isNull());
  EXPECT_FALSE(DecodeCommonBitmap(InfoBlock(picture), pixels, 1).isNull());
}

}  // namespace
}  // namespace murva
