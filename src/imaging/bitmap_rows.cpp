#include "imaging/bitmap_rows.h"

#include <cstdlib>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "imaging/large_image.h"

namespace murva {
namespace {

constexpr std::size_t kInfoHeaderSize = 40;

std::uint32_t ReadU32(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::uint16_t ReadU16(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

#if defined(__x86_64__) || defined(__i386__)
#define MURVA_ROWS_SSSE3 1
// Sixteen bytes at a time where the processor can shuffle bytes.
bool HasSsse3() {
  static const bool has = __builtin_cpu_supports("ssse3");
  return has;
}

__attribute__((target("ssse3"))) int ExpandRowSsse3(const std::uint8_t* source, QRgb* target,
                                                    int width) {
  const __m128i order = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  int x = 0;
  // Each step reads 16 bytes for 4 pixels, so it stops 2 pixels early.
  for (; x + 6 <= width; x += 4) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + 3 * x));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target + x),
                     _mm_or_si128(_mm_shuffle_epi8(bytes, order), opaque));
  }
  return x;
}

__attribute__((target("ssse3"))) int PackRowSsse3(const QRgb* source, int width,
                                                  std::uint8_t* target) {
  const __m128i order = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
  int x = 0;
  // Each step writes 16 bytes for 4 pixels, so it stops 2 pixels early.
  for (; x + 6 <= width; x += 4) {
    const __m128i colours = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target + 3 * x),
                     _mm_shuffle_epi8(colours, order));
  }
  return x;
}
#endif

// One row of blue, green, red triples into opaque 32-bit pixels.
void ExpandRow(const std::uint8_t* source, QRgb* target, int width) {
  int x = 0;
#ifdef MURVA_ROWS_SSSE3
  if (HasSsse3()) x = ExpandRowSsse3(source, target, width);
#endif
  for (; x < width; ++x) target[x] = qRgb(source[3 * x + 2], source[3 * x + 1], source[3 * x]);
}

}  // namespace

QImage DecodeCommonBitmap(std::span<const std::uint8_t> info, std::span<const std::uint8_t> pixels,
                          int max_megabytes) {
  if (info.size() < kInfoHeaderSize) return {};
  const std::uint8_t* header = info.data();
  const std::int64_t width = static_cast<std::int32_t>(ReadU32(header + 4));
  const std::int64_t signed_height = static_cast<std::int32_t>(ReadU32(header + 8));
  const std::uint16_t planes = ReadU16(header + 12);
  const std::uint16_t bit_count = ReadU16(header + 14);
  if (ReadU32(header) != kInfoHeaderSize || planes != 1 || ReadU32(header + 16) != 0) return {};
  if (bit_count != 24 && bit_count != 8) return {};
  const std::int64_t height = std::llabs(signed_height);
  if (width <= 0 || height == 0) return {};
  const std::uint32_t colours =
      bit_count == 8 ? (ReadU32(header + 32) != 0 ? ReadU32(header + 32) : 256u) : 0u;
  if (colours > 256) return {};
  if (info.size() < kInfoHeaderSize + 4 * std::size_t{colours}) return {};

  const std::uint64_t row_size = ((static_cast<std::uint64_t>(width) * bit_count + 31) / 32) * 4;
  if (row_size * static_cast<std::uint64_t>(height) > pixels.size()) return {};
  const std::uint64_t image_bytes =
      static_cast<std::uint64_t>(width) * (bit_count == 24 ? 4 : 1) * static_cast<std::uint64_t>(height);
  if (image_bytes > static_cast<std::uint64_t>(max_megabytes) * 1024 * 1024) return {};

  QImage image = NewLargeImage(static_cast<int>(width), static_cast<int>(height),
                               bit_count == 24 ? QImage::Format_RGB32 : QImage::Format_Indexed8);
  if (image.isNull()) return {};
  image.setDotsPerMeterX(static_cast<std::int32_t>(ReadU32(header + 24)));
  image.setDotsPerMeterY(static_cast<std::int32_t>(ReadU32(header + 28)));
  if (colours > 0) {
    QList<QRgb> table(static_cast<qsizetype>(colours));
    for (std::uint32_t i = 0; i < colours; ++i) {
      const std::uint8_t* entry = header + kInfoHeaderSize + 4 * std::size_t{i};
      table[static_cast<qsizetype>(i)] = qRgb(entry[2], entry[1], entry[0]);
    }
    image.setColorTable(table);
  }

  // Rows are stored from the bottom unless the height is negative.
  const bool from_top = signed_height < 0;
  for (std::int64_t row = 0; row < height; ++row) {
    const std::uint8_t* source = pixels.data() + row_size * static_cast<std::uint64_t>(row);
    uchar* target = image.scanLine(static_cast<int>(from_top ? row : height - 1 - row));
    if (bit_count == 24) {
      ExpandRow(source, reinterpret_cast<QRgb*>(target), static_cast<int>(width));
    } else {
      // The whole stored row, padding included, as the library's reader takes it.
      std::memcpy(target, source, static_cast<std::size_t>(row_size));
    }
  }
  return image;
}

void PackBgr24Row(const QRgb* source, int width, std::uint8_t* target) {
  int x = 0;
#ifdef MURVA_ROWS_SSSE3
  if (HasSsse3()) x = PackRowSsse3(source, width, target);
#endif
  for (; x < width; ++x) {
    target[3 * x] = static_cast<std::uint8_t>(qBlue(source[x]));
    target[3 * x + 1] = static_cast<std::uint8_t>(qGreen(source[x]));
    target[3 * x + 2] = static_cast<std::uint8_t>(qRed(source[x]));
  }
}

}  // namespace murva
