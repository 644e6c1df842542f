// libFuzzer target for the program's own BMP reader.

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> copy(data, data + size);
  QImage image = murva::ReadBmpImage(copy);
  if (!image.isNull()) {
    volatile QRgb corner = image.pixel(image.width() - 1, image.height() - 1);
    (void)corner;
  }
  return 0;
}
