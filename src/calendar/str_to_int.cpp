#include "calendar/str_to_int.h"

#include <charconv>
#include <string>

namespace murva {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

EConvertError::EConvertError(std::string_view text)
    : std::runtime_error("'" + std::string(text) + "' は有効な整数ではありません。"),
      text_(text) {}

int StrToInt(std::string_view text) {
  std::string_view digits = text;
  while (!digits.empty() && IsBlank(digits.front())) digits.remove_prefix(1);
  while (!digits.empty() && IsBlank(digits.back())) digits.remove_suffix(1);
  if (!digits.empty() && digits.front() == '+') {
    digits.remove_prefix(1);
    // "+-5" and "+ 5" are not numbers.
    if (digits.empty() || digits.front() == '-') throw EConvertError(text);
  }
  if (digits.empty()) throw EConvertError(text);
  int value = 0;
  const char* first = digits.data();
  const char* last = first + digits.size();
  const auto [ptr, ec] = std::from_chars(first, last, value, 10);
  if (ec != std::errc() || ptr != last) throw EConvertError(text);
  return value;
}

}  // namespace murva
