#include "app/bmp_stream.h"

#include <QIODevice>
#include <algorithm>
#include <cstring>
#include <memory>

#include "imaging/bitmap_rows.h"

namespace murva {
namespace {

constexpr std::size_t kPieceSize = 1 << 20;
// The resolution written when a picture has none: 72 dots per inch.
constexpr int kDefaultDotsPerMetre = 2834;

// Collects small writes into pieces for the appender.
class PieceBuffer {
 public:
  PieceBuffer(const FileAppender& append, std::size_t capacity)
      : append_(append), capacity_(capacity), buffer_(new char[capacity]) {}

  bool Add(const char* bytes, std::size_t size) {
    if (size_ + size > capacity_ && !Flush()) return false;
    if (size >= capacity_) return append_(std::string_view(bytes, size));
    std::memcpy(buffer_.get() + size_, bytes, size);
    size_ += size;
    return true;
  }
  // Room for `size` (at most the capacity) bytes at the end of the piece,
  // for the caller to fill.
  char* Reserve(std::size_t size) {
    if (size_ + size > capacity_ && !Flush()) return nullptr;
    char* room = buffer_.get() + size_;
    size_ += size;
    return room;
  }
  bool Flush() {
    if (size_ == 0) return true;
    const bool written = append_(std::string_view(buffer_.get(), size_));
    size_ = 0;
    return written;
  }

 private:
  const FileAppender& append_;
  std::size_t capacity_;
  std::unique_ptr<char[]> buffer_;
  std::size_t size_ = 0;
};

// The image library's BMP writer, writing into the piece buffer.
class PieceDevice final : public QIODevice {
 public:
  explicit PieceDevice(PieceBuffer& pieces) : pieces_(pieces) { open(QIODevice::WriteOnly); }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override {
    return pieces_.Add(data, static_cast<std::size_t>(size)) ? size : -1;
  }

 private:
  PieceBuffer& pieces_;
};

void Put32(char* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<char>(value >> (8 * i));
}

std::uint32_t Row24Size(int width) {
  return ((static_cast<std::uint32_t>(width) * 24 + 31) / 32) * 4;
}

bool AppendRgb32Bmp(const QImage& picture, PieceBuffer& pieces) {
  const int width = picture.width();
  const int height = picture.height();
  const std::uint32_t row_size = Row24Size(width);
  const std::uint32_t image_size = row_size * static_cast<std::uint32_t>(height);
  char header[54] = {'B', 'M'};
  Put32(header + 2, 54 + image_size);
  Put32(header + 10, 54);
  Put32(header + 14, 40);
  Put32(header + 18, static_cast<std::uint32_t>(width));
  Put32(header + 22, static_cast<std::uint32_t>(height));
  header[26] = 1;   // planes
  header[28] = 24;  // bits per pixel
  Put32(header + 34, image_size);
  const int dpm_x = picture.dotsPerMeterX() ? picture.dotsPerMeterX() : kDefaultDotsPerMetre;
  const int dpm_y = picture.dotsPerMeterY() ? picture.dotsPerMeterY() : kDefaultDotsPerMetre;
  Put32(header + 38, static_cast<std::uint32_t>(dpm_x));
  Put32(header + 42, static_cast<std::uint32_t>(dpm_y));
  if (!pieces.Add(header, sizeof header)) return false;
  for (int y = height - 1; y >= 0; --y) {
    char* row = pieces.Reserve(row_size);
    if (row == nullptr) return false;
    std::memset(row + row_size - 4, 0, 4);
    PackBgr24Row(reinterpret_cast<const QRgb*>(picture.constScanLine(y)), width,
                 reinterpret_cast<std::uint8_t*>(row));
  }
  return true;
}

}  // namespace

bool AppendBmpFile(const QImage& picture, const FileAppender& append) {
  if (picture.isNull()) return false;
  // A piece holds at least one row of the 24-bit file.
  PieceBuffer pieces(append, std::max<std::size_t>(kPieceSize, Row24Size(picture.width())));
  bool written;
  if (picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32) {
    written = AppendRgb32Bmp(picture, pieces);
  } else {
    PieceDevice device(pieces);
    written = picture.save(&device, "BMP");
  }
  return written && pieces.Flush();
}

}  // namespace murva
