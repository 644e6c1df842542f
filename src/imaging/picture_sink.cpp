#include "imaging/picture_sink.h"

#include <cstdlib>
#include <limits>

namespace murva {
namespace {

constexpr std::uint64_t kInfoHeaderSize = 40;
constexpr std::uint64_t kFileHeaderSize = 14;

std::uint32_t ReadU32(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void WriteU32(std::uint8_t* bytes, std::uint32_t value) {
  bytes[0] = static_cast<std::uint8_t>(value);
  bytes[1] = static_cast<std::uint8_t>(value >> 8);
  bytes[2] = static_cast<std::uint8_t>(value >> 16);
  bytes[3] = static_cast<std::uint8_t>(value >> 24);
}

}  // namespace

std::optional<TPluginBlockLayout> PluginBlockLayout(std::span<const std::uint8_t> info) {
  if (info.size() < kInfoHeaderSize) return std::nullopt;
  const std::uint8_t* header = info.data();
  std::int64_t width = static_cast<std::int32_t>(ReadU32(header + 4));
  std::int64_t height = static_cast<std::int32_t>(ReadU32(header + 8));
  TPluginBlockLayout layout;
  layout.bit_count = static_cast<std::uint16_t>(header[14] | header[15] << 8);
  layout.colours = ReadU32(header + 32);
  if (width <= 0 || height == 0 || layout.bit_count == 0) return std::nullopt;
  if (layout.colours == 0) {
    switch (layout.bit_count) {
      case 1:
        layout.colours = 2;
        break;
      case 4:
        layout.colours = 16;
        break;
      case 8:
        layout.colours = 256;
        break;
      default:
        break;
    }
  }
  layout.info_size = kInfoHeaderSize + 4 * static_cast<std::uint64_t>(layout.colours);
  std::uint64_t row_size = ((static_cast<std::uint64_t>(width) * layout.bit_count + 31) / 32) * 4;
  layout.image_size = row_size * static_cast<std::uint64_t>(std::llabs(height));
  return layout;
}

std::optional<std::vector<std::uint8_t>> AssembleBitmapFile(std::span<const std::uint8_t> info,
                                                            std::span<const std::uint8_t> pixels) {
  std::optional<TPluginBlockLayout> layout = PluginBlockLayout(info);
  if (!layout) return std::nullopt;
  if (layout->info_size > info.size() || layout->image_size > pixels.size()) return std::nullopt;
  std::uint64_t file_size = kFileHeaderSize + layout->info_size + layout->image_size;
  if (file_size > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;

  // Built by appending, so that the large pixel part is written once.
  std::uint8_t header[kFileHeaderSize] = {'B', 'M'};
  WriteU32(&header[2], static_cast<std::uint32_t>(file_size));
  // bytes 6 to 9: two reserved words, 0
  WriteU32(&header[10], static_cast<std::uint32_t>(kFileHeaderSize + layout->info_size));
  std::vector<std::uint8_t> file;
  file.reserve(static_cast<std::size_t>(file_size));
  file.insert(file.end(), header, header + kFileHeaderSize);
  file.insert(file.end(), info.begin(),
              info.begin() + static_cast<std::ptrdiff_t>(layout->info_size));
  file.insert(file.end(), pixels.begin(),
              pixels.begin() + static_cast<std::ptrdiff_t>(layout->image_size));
  return file;
}

QList<QRgb> SixteenColourPalette(std::span<const std::uint8_t> info,
                                 const TPluginBlockLayout& layout) {
  QList<QRgb> palette;
  if (layout.bit_count != 4 || layout.colours == 0 || layout.info_size > info.size()) {
    return palette;
  }
  palette.reserve(static_cast<qsizetype>(layout.colours));
  for (std::uint32_t i = 0; i < layout.colours; ++i) {
    const std::uint8_t* entry = info.data() + kInfoHeaderSize + 4 * static_cast<std::size_t>(i);
    palette.push_back(qRgb(entry[2], entry[1], entry[0]));
  }
  return palette;
}

}  // namespace murva
