// Assembling a BMP file image from a plug-in's information and pixel blocks.

#include "imaging/picture_sink.h"

#include <gtest/gtest.h>

#include <cstring>

namespace murva {
namespace {

std::vector<std::uint8_t> InfoBlock(int32_t width, int32_t height, uint16_t bits, uint32_t clr_used,
                                    std::size_t table_entries, uint32_t bi_size = 40) {
  std::vector<std::uint8_t> block(40 + 4 * table_entries, 0);
  auto put32 = [&](std::size_t at, uint32_t value) { std::memcpy(&block[at], &value, 4); };
  put32(0, bi_size);
  put32(4, static_cast<uint32_t>(width));
  put32(8, static_cast<uint32_t>(height));
  block[12] = 1;
  std::memcpy(&block[14], &bits, 2);
  put32(32, clr_used);
  for (std::size_t i = 0; i < table_entries; ++i) {
    block[40 + 4 * i] = static_cast<std::uint8_t>(i);          // blue
    block[40 + 4 * i + 1] = static_cast<std::uint8_t>(i * 2);  // green
    block[40 + 4 * i + 2] = static_cast<std::uint8_t>(i * 3);  // red
  }
  return block;
}

uint32_t U32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  uint32_t value;
  std::memcpy(&value, &bytes[at], 4);
  return value;
}

TEST(PluginBlockLayout, TakesTheColoursFromTheDepthWhenClrUsedIsZero) {
  EXPECT_EQ(PluginBlockLayout(InfoBlock(8, 2, 1, 0, 0))->colours, 2u);
  EXPECT_EQ(PluginBlockLayout(InfoBlock(8, 2, 4, 0, 0))->colours, 16u);
  EXPECT_EQ(PluginBlockLayout(InfoBlock(8, 2, 8, 0, 0))->colours, 256u);
  EXPECT_EQ(PluginBlockLayout(InfoBlock(8, 2, 24, 0, 0))->colours, 0u);
  EXPECT_EQ(PluginBlockLayout(InfoBlock(8, 2, 8, 7, 0))->colours, 7u);
  EXPECT_EQ(PluginBlockLayout(InfoBlock(8, 2, 4, 0, 0))->info_size, 40u + 64u);
  EXPECT_EQ(PluginBlockLayout(InfoBlock(8, 2, 24, 0, 0))->info_size, 40u);
}

TEST(PluginBlockLayout, RowsArePaddedToFourBytesAndHeightIsTakenAbsolute) {
  EXPECT_EQ(PluginBlockLayout(InfoBlock(5, 3, 24, 0, 0))->image_size, 16u * 3u);
  EXPECT_EQ(PluginBlockLayout(InfoBlock(5, -3, 24, 0, 0))->image_size, 16u * 3u);
  EXPECT_EQ(PluginBlockLayout(InfoBlock(9, 2, 4, 0, 0))->image_size, 8u * 2u);
  EXPECT_EQ(PluginBlockLayout(InfoBlock(33, 1, 1, 0, 0))->image_size, 8u);
}

TEST(PluginBlockLayout, TheHeaderIsTakenAs40BytesWhateverBiSizeSays) {
  EXPECT_EQ(PluginBlockLayout(InfoBlock(2, 2, 24, 0, 0, 108))->info_size, 40u);
}

TEST(PluginBlockLayout, RefusesBlocksThatDescribeNoPicture) {
  EXPECT_FALSE(PluginBlockLayout(std::vector<std::uint8_t>(39, 0)));
  EXPECT_FALSE(PluginBlockLayout(InfoBlock(0, 2, 24, 0, 0)));
  EXPECT_FALSE(PluginBlockLayout(InfoBlock(-4, 2, 24, 0, 0)));
  EXPECT_FALSE(PluginBlockLayout(InfoBlock(2, 0, 24, 0, 0)));
  EXPECT_FALSE(PluginBlockLayout(InfoBlock(2, 2, 0, 0, 0)));
}

TEST(AssembleBitmapFile, WritesTheFileHeaderAndCopiesBothBlocks) {
  std::vector<std::uint8_t> info = InfoBlock(3, 2, 8, 2, 2);
  std::vector<std::uint8_t> pixels = {1, 0, 1, 0, 0, 1, 0, 0};
  std::optional<std::vector<std::uint8_t>> file = AssembleBitmapFile(info, pixels);
  ASSERT_TRUE(file);
  ASSERT_EQ(file->size(), 14u + 48u + 8u);
  EXPECT_EQ((*file)[0], 'B');
  EXPECT_EQ((*file)[1], 'M');
  EXPECT_EQ(U32(*file, 2), 14u + 48u + 8u);
  EXPECT_EQ(U32(*file, 6), 0u);
  EXPECT_EQ(U32(*file, 10), 14u + 48u);
  EXPECT_TRUE(std::equal(info.begin(), info.end(), file->begin() + 14));
  EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), file->begin() + 62));
}

TEST(AssembleBitmapFile, TakesOnlyWhatTheHeaderDescribes) {
  std::vector<std::uint8_t> info = InfoBlock(1, 1, 24, 0, 3);  // a longer block
  std::vector<std::uint8_t> pixels(100, 7);
  std::optional<std::vector<std::uint8_t>> file = AssembleBitmapFile(info, pixels);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->size(), 14u + 40u + 4u);
}

TEST(AssembleBitmapFile, NeverReadsPastAShortBlock) {
  // The header asks for 256 colours, the block holds 4.
  EXPECT_FALSE(AssembleBitmapFile(InfoBlock(2, 2, 8, 256, 4), std::vector<std::uint8_t>(8)));
  // 4-bit with biClrUsed 0 needs 16 entries.
  EXPECT_FALSE(AssembleBitmapFile(InfoBlock(2, 2, 4, 0, 15), std::vector<std::uint8_t>(8)));
  EXPECT_TRUE(AssembleBitmapFile(InfoBlock(2, 2, 4, 0, 16), std::vector<std::uint8_t>(8)));
  // Rows of 8 bytes, two of them: 15 bytes are one too few.
  EXPECT_FALSE(AssembleBitmapFile(InfoBlock(2, 2, 24, 0, 0), std::vector<std::uint8_t>(15)));
  EXPECT_FALSE(AssembleBitmapFile(InfoBlock(2, -2, 24, 0, 0), std::vector<std::uint8_t>(15)));
  // A huge picture in small blocks.
  EXPECT_FALSE(AssembleBitmapFile(InfoBlock(0x7fffffff, 0x7fffffff, 32, 0, 0),
                                  std::vector<std::uint8_t>(64)));
  EXPECT_FALSE(
      AssembleBitmapFile(InfoBlock(1, 1, 8, 0xffffffffu, 0), std::vector<std::uint8_t>(64)));
}

TEST(SixteenColourPalette, TakesRedGreenBlueFromBytesTwoOneZero) {
  std::vector<std::uint8_t> info = InfoBlock(2, 2, 4, 0, 16);
  std::optional<TPluginBlockLayout> layout = PluginBlockLayout(info);
  QList<QRgb> palette = SixteenColourPalette(info, *layout);
  ASSERT_EQ(palette.size(), 16);
  EXPECT_EQ(palette[5], qRgb(15, 10, 5));
  std::vector<std::uint8_t> eight = InfoBlock(2, 2, 8, 3, 3);
  EXPECT_TRUE(SixteenColourPalette(eight, *PluginBlockLayout(eight)).isEmpty());
}

}  // namespace
}  // namespace murva
