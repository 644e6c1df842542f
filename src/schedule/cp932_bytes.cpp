#include "schedule/cp932_bytes.h"

#include <stdexcept>

#include "settings/cp932.h"

namespace murva {

bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string_view Cp932Prefix(std::string_view bytes, std::size_t max_bytes) {
  if (bytes.size() <= max_bytes) return bytes;
  std::size_t end = 0;
  while (end < bytes.size()) {
    std::size_t length =
        IsCp932LeadByte(static_cast<unsigned char>(bytes[end])) && end + 1 < bytes.size() ? 2 : 1;
    if (end + length > max_bytes) break;
    end += length;
  }
  return bytes.substr(0, end);
}

std::string_view Cp932SliceView(std::string_view bytes, std::size_t from, std::size_t up_to) {
  std::string_view prefix = Cp932Prefix(bytes, up_to);
  if (prefix.size() <= from) return {};
  return prefix.substr(from);
}

std::string Cp932Slice(std::string_view bytes, std::size_t from, std::size_t up_to) {
  return std::string(Cp932SliceView(bytes, from, up_to));
}

std::string ToCp932(std::string_view utf8) {
  std::optional<std::string> bytes = EncodeCp932(utf8);
  if (!bytes) throw std::logic_error("text without a CP932 form: " + std::string(utf8));
  return *bytes;
}

}  // namespace murva
