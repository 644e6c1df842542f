#include "imaging/bitmap.h"

#include <algorithm>

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include "imaging/bitmap_rows.h"
#include "imaging/graphic_errors.h"

namespace murva {
namespace {

std::uint32_t ReadU32(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

std::uint16_t ReadU16(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

// Checks what the image library does not: that an uncompressed picture's
// rows are all present in the data, so a truncated file is an error rather
// than a picture with a missing part.
bool PixelRowsArePresent(std::span<const std::uint8_t> stream) {
  if (stream.size() < 14 + 16) return false;
  const std::uint8_t* bytes = stream.data();
  if (bytes[0] != 'B' || bytes[1] != 'M') return false;
  std::uint64_t pixel_offset = ReadU32(bytes + 10);
  std::uint32_t header_size = ReadU32(bytes + 14);
  std::int64_t width;
  std::int64_t height;
  std::uint32_t bit_count;
  std::uint32_t compression = 0;
  if (header_size == 12) {  // the old core header
    width = ReadU16(bytes + 18);
    height = ReadU16(bytes + 20);
    bit_count = ReadU16(bytes + 24);
  } else {
    if (header_size < 40 || stream.size() < 14 + 40) return false;
    width = static_cast<std::int32_t>(ReadU32(bytes + 18));
    height = static_cast<std::int32_t>(ReadU32(bytes + 22));
    bit_count = ReadU16(bytes + 28);
    compression = ReadU32(bytes + 30);
  }
  // 0 = plain rows, 3 = plain rows with colour masks; the run-length and
  // embedded formats are checked by the image library while it decodes.
  if (compression != 0 && compression != 3) return true;
  if (width <= 0 || height == 0 || bit_count == 0 || bit_count > 32) return false;
  std::uint64_t row_size = ((static_cast<std::uint64_t>(width) * bit_count + 31) / 32) * 4;
  std::uint64_t rows = static_cast<std::uint64_t>(height < 0 ? -height : height);
  return pixel_offset + row_size * rows <= stream.size();
}

}  // namespace

const TGraphicClass& TBitmap::Class() {
  static const TGraphicClass kClass{"TBitmap",
                                    [] { return std::unique_ptr<TGraphic>(new TBitmap); }};
  return kClass;
}

void TBitmap::LoadFromStream(std::span<const std::uint8_t> stream) { ReadBitmapImage(stream); }

void TBitmap::Assign(const TBitmap& source) { image_ = source.image_; }

void TBitmap::SetPalette(const QList<QRgb>& colours) {
  image_.setColorTable(colours);
  CoverColourIndices(image_);
}

void TBitmap::ReadBitmapImage(std::span<const std::uint8_t> stream) {
  QImage image = ReadBmpImage(stream);
  if (image.isNull()) throw EInvalidGraphic(kInvalidBitmapMessage);
  image_ = std::move(image);
}

namespace {

// The common kinds of BMP files are decoded directly: a 40-byte header, and
// the pixel rows where the file header says, after the colour table.
QImage DecodeCommonBitmapFile(std::span<const std::uint8_t> stream) {
  constexpr std::size_t kFileHeaderSize = 14;
  if (stream.size() < kFileHeaderSize + 40) return {};
  const std::uint64_t pixel_offset = ReadU32(stream.data() + 10);
  const std::uint32_t bit_count = ReadU16(stream.data() + kFileHeaderSize + 14);
  const std::uint64_t used = ReadU32(stream.data() + kFileHeaderSize + 32);
  const std::uint64_t colours = bit_count == 8 ? (used != 0 ? used : 256) : 0;
  if (colours > 256 || pixel_offset < kFileHeaderSize + 40 + 4 * colours ||
      pixel_offset > stream.size()) {
    return {};
  }
  return DecodeCommonBitmap(stream.subspan(kFileHeaderSize), stream.subspan(pixel_offset),
                            kBitmapAllocationLimitMegabytes);
}

}  // namespace

QImage ReadBmpImage(std::span<const std::uint8_t> stream) {
  if (!PixelRowsArePresent(stream)) return {};
  if (QImage image = DecodeCommonBitmapFile(stream); !image.isNull()) {
    CoverColourIndices(image);
    return image;
  }
  QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(stream.data()),
                                             static_cast<qsizetype>(stream.size()));
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::ReadOnly)) return {};
  QImageReader reader(&buffer, "bmp");
  reader.setAutoDetectImageFormat(false);
  reader.setDecideFormatFromContent(false);
  reader.setAllocationLimit(kBitmapAllocationLimitMegabytes);
  QImage image = reader.read();
  CoverColourIndices(image);
  return image;
}

void CoverColourIndices(QImage& image) {
  if (image.format() != QImage::Format_Indexed8) return;
  int largest = -1;
  for (int y = 0; y < image.height(); ++y) {
    const uchar* row = image.constScanLine(y);
    for (int x = 0; x < image.width(); ++x) largest = std::max(largest, int{row[x]});
  }
  if (largest < image.colorCount()) return;
  QList<QRgb> table = image.colorTable();
  table.resize(largest + 1, qRgb(0, 0, 0));
  image.setColorTable(table);
}

}  // namespace murva
