#include "imaging/picture_format_registry.h"

#include <algorithm>

#include "imaging/bitmap.h"
#include "imaging/platform_graphics.h"

namespace murva {

std::string AsciiLowerCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

bool EqualsIgnoringAsciiCase(std::string_view left, std::string_view right) {
  return left.size() == right.size() && AsciiLowerCase(left) == AsciiLowerCase(right);
}

TPictureFormatRegistry::TPictureFormatRegistry() {
  Register("wmf", "Metafiles", TMetafile::Class());
  Register("emf", "Enhanced Metafiles", TMetafile::Class());
  Register("ico", "Icons", TIcon::Class());
  Register("bmp", "Bitmaps", TBitmap::Class());
}

void TPictureFormatRegistry::Register(std::string_view extension, std::string_view description,
                                      const TGraphicClass& graphic_class) {
  formats_.push_back({AsciiLowerCase(extension), std::string(description), &graphic_class});
}

void TPictureFormatRegistry::Unregister(const TGraphicClass& graphic_class) {
  std::erase_if(formats_, [&](const TPictureFormat& format) {
    return format.graphic_class == &graphic_class;
  });
}

std::optional<TPictureFormat> TPictureFormatRegistry::Find(std::string_view extension) const {
  std::string wanted = AsciiLowerCase(extension);
  for (auto it = formats_.rbegin(); it != formats_.rend(); ++it) {
    if (it->extension == wanted) return *it;
  }
  return std::nullopt;
}

TPictureFormatRegistry& PictureFormatRegistry() {
  // Never destroyed, so that the plug-in bitmap can unregister itself while
  // the process ends, whatever the order of static destruction.
  static TPictureFormatRegistry* registry = new TPictureFormatRegistry;
  return *registry;
}

}  // namespace murva
