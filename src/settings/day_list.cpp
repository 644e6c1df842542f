#include "settings/day_list.h"

#include <algorithm>

#include "settings/utf8_text.h"

namespace murva {
namespace {

// After each piece only this many characters of the rest are looked at.
constexpr std::size_t kRestLimit = 255;

}  // namespace

std::vector<std::string> ParseDayList(std::string_view value) {
  std::vector<std::string> pieces;
  std::string_view rest = value;
  while (pieces.size() < static_cast<std::size_t>(kMaxDayListItems)) {
    std::size_t slash = rest.find('/');
    if (slash == std::string_view::npos) break;
    pieces.emplace_back(rest.substr(0, slash));
    rest = Utf8Prefix(rest.substr(slash + 1), kRestLimit);
  }
  return pieces;
}

bool IsDayOfMonthText(std::string_view cell) {
  if (cell.empty() || !std::all_of(cell.begin(), cell.end(),
                                   [](char c) { return c >= '0' && c <= '9'; })) {
    return false;
  }
  std::string_view digits = cell.substr(std::min(cell.find_first_not_of('0'), cell.size()));
  if (digits.size() > 2) return false;
  int day = 0;
  for (char c : digits) day = day * 10 + (c - '0');
  return day >= 1 && day <= 31;
}

std::string FormatDayList(const std::vector<std::string>& cells) {
  std::string value;
  std::size_t count = std::min(cells.size(), static_cast<std::size_t>(kMaxDayListItems));
  for (std::size_t i = 0; i < count; ++i) {
    if (!IsDayOfMonthText(cells[i])) continue;
    value += cells[i];
    value += '/';
  }
  return value;
}

}  // namespace murva
