// libFuzzer target for the program's side of the plug-in interface: a
// plug-in's information and pixel blocks, made up by the fuzzer, are turned
// into a picture as the plug-in bitmap does it. The first two bytes give the
// information block's length; the rest is split there.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "imaging/bitmap.h"
#include "imaging/picture_sink.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  std::size_t info_length = data[0] | static_cast<std::size_t>(data[1]) << 8;
  data += 2;
  size -= 2;
  if (info_length > size) info_length = size;
  // Copies of exactly the given length, so that reading past either end is
  // seen by the sanitizer.
  std::vector<std::uint8_t> info(data, data + info_length);
  std::vector<std::uint8_t> pixels(data + info_length, data + size);
  std::optional<murva::TPluginBlockLayout> layout = murva::PluginBlockLayout(info);
  std::optional<std::vector<std::uint8_t>> file = murva::AssembleBitmapFile(info, pixels);
  if (layout && file) {
    // Plug-in pictures are small here; keep the reader from spending the
    // run on one huge picture.
    if (layout->image_size < (1u << 24)) {
      QImage image = murva::ReadBmpImage(*file);
      QList<QRgb> palette = murva::SixteenColourPalette(info, *layout);
      if (!image.isNull() && !palette.isEmpty() && image.format() == QImage::Format_Indexed8) {
        image.setColorTable(palette);
        volatile QRgb corner = image.pixel(image.width() - 1, image.height() - 1);
        (void)corner;
      }
    }
  }
  return 0;
}
