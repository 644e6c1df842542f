#include "settings/leading_spaces.h"

#include <algorithm>
#include <cstdio>

#include "settings/profile_file.h"
#include "settings/utf8_text.h"

namespace murva {
namespace {

// Three digits hold at most this many blanks; any further blanks stay in the
// text after the count, where the file keeps them.
constexpr std::size_t kMaxCount = 999;

}  // namespace

std::string EncodeLeadingSpaces(std::string_view text) {
  if (text.empty()) return {};
  std::size_t blanks = std::min(text.find_first_not_of(' '), text.size());
  blanks = std::min(blanks, kMaxCount);
  char count[8];
  std::snprintf(count, sizeof count, "%03zu", blanks);
  return count + std::string(text.substr(blanks));
}

std::string DecodeLeadingSpaces(std::string_view value) {
  if (value.empty()) return {};
  std::size_t count_end = Utf8Offset(value, 3);
  int count = ParseProfileInteger(value.substr(0, count_end)).value_or(0);
  count = std::clamp(count, 0, static_cast<int>(kMaxCount));
  return std::string(static_cast<std::size_t>(count), ' ') + std::string(value.substr(count_end));
}

}  // namespace murva
