#include "calendar/comma_text.h"

namespace murva {

namespace {

bool NeedsQuotes(const std::string& item) {
  for (const char c : item) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || c == '"' || c == ',') return true;
  }
  return false;
}

std::string Quoted(const std::string& item) {
  std::string out = "\"";
  for (const char c : item) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

}  // namespace

std::string CommaText(const std::vector<std::string>& items) {
  if (items.size() == 1 && items.front().empty()) return "\"\"";
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += ',';
    text += NeedsQuotes(items[i]) ? Quoted(items[i]) : items[i];
  }
  return text;
}

}  // namespace murva
