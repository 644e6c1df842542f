#include "settings/utf8_text.h"

namespace murva {

std::size_t Utf8Offset(std::string_view text, std::size_t count) {
  std::size_t offset = 0;
  for (std::size_t i = 0; i < count && offset < text.size(); ++i) {
    ++offset;
    // Continuation bytes (10xxxxxx) belong to the character before them.
    while (offset < text.size() && (static_cast<unsigned char>(text[offset]) & 0xC0) == 0x80) {
      ++offset;
    }
  }
  return offset;
}

std::string_view Utf8Prefix(std::string_view text, std::size_t count) {
  return text.substr(0, Utf8Offset(text, count));
}

}  // namespace murva
