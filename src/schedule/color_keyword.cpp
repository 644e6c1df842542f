#include "schedule/color_keyword.h"

#include <algorithm>

namespace murva {

namespace {

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

std::optional<Color> SearchTable(const std::string& key) {
  const std::size_t found = kColorKeywordTable.find(key);
  if (found == std::string_view::npos) return std::nullopt;
  const std::size_t index = (found + 1) / 10;  // from the 1-based position
  if (index >= kColorKeywordColors.size()) return std::nullopt;
  return kColorKeywordColors[index];
}

}  // namespace

std::optional<Color> LookupColorKeyword(std::string_view name) {
  if (name.empty()) return std::nullopt;
  std::string key(name);
  key += "    ";
  key.resize(std::min<std::size_t>(key.size(), 7));
  return SearchTable(UpperAscii(key));
}

std::optional<Color> LookupPreviewColor(std::string_view item) {
  if (item.empty()) return std::nullopt;
  return SearchTable(UpperAscii(item));
}

std::string KeywordNameOf(std::string_view line) {
  const std::size_t first = line.find('%');
  if (first == std::string_view::npos) return {};
  const std::size_t second = line.find('%', first + 1);
  if (second == std::string_view::npos) return {};
  return std::string(line.substr(first + 1, second - first - 1));
}

}  // namespace murva
