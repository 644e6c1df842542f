#include "imaging/large_image.h"

#include <cstdint>

#include "platform/large_memory.h"

namespace murva {
namespace {

struct Block {
  void* data;
  std::size_t size;
};

void ReleaseBlock(void* info) {
  auto* block = static_cast<Block*>(info);
  FreeZeroed(block->data, block->size);
  delete block;
}

}  // namespace

QImage NewLargeImage(int width, int height, QImage::Format format) {
  if (width <= 0 || height <= 0) return QImage(width, height, format);
  const int bits = QImage::toPixelFormat(format).bitsPerPixel();
  // Rows padded to 32 bits, as the image library lays them out.
  const qsizetype row = ((static_cast<qsizetype>(width) * bits + 31) / 32) * 4;
  const std::size_t size = static_cast<std::size_t>(row) * static_cast<std::size_t>(height);
  void* data = AllocateZeroed(size);
  if (data == nullptr) return QImage(width, height, format);
  auto* block = new Block{data, size};
  QImage image(static_cast<uchar*>(data), width, height, row, format, ReleaseBlock, block);
  if (image.isNull()) {
    // The library refused the layout and did not take the block.
    ReleaseBlock(block);
    return QImage(width, height, format);
  }
  return image;
}

}  // namespace murva
