#include "settings/ini_safe_text.h"

#include <optional>

#include "settings/cp932.h"

namespace murva {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void AppendEscaped(std::string& out, std::string_view bytes) {
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
  }
}

// Length of the well-formed UTF-8 sequence at the start of text, or 0.
std::size_t SequenceLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  else return 0;
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0;
  }
  return length;
}

// Whether CP932 holds the character and gives it back unchanged.
bool RoundTrips(std::string_view character) {
  const std::optional<std::string> encoded = EncodeCp932(character);
  if (!encoded) return false;
  const std::optional<std::string> decoded = DecodeCp932(*encoded);
  return decoded && *decoded == character;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string ToIniSafeText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t length = SequenceLength(text.substr(at));
    if (length == 0) {
      AppendEscaped(out, text.substr(at, 1));
      ++at;
      continue;
    }
    const std::string_view character = text.substr(at, length);
    const auto byte = static_cast<unsigned char>(character[0]);
    const bool edge_blank = byte == ' ' && (at == 0 || at + 1 == text.size());
    if (byte == '%' || byte < 0x20 || byte == 0x7F || edge_blank ||
        (length > 1 && !RoundTrips(character))) {
      AppendEscaped(out, character);
    } else {
      out += character;
    }
    at += length;
  }
  return out;
}

std::string FromIniSafeText(std::string_view stored) {
  std::string out;
  out.reserve(stored.size());
  for (std::size_t i = 0; i < stored.size(); ++i) {
    if (stored[i] == '%' && i + 2 < stored.size()) {
      const int high = HexValue(stored[i + 1]);
      const int low = HexValue(stored[i + 2]);
      if (high >= 0 && low >= 0) {
        out += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    out += stored[i];
  }
  return out;
}

}  // namespace murva
