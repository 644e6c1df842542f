#include "schedule/line_order.h"

#include <algorithm>
#include <cstdint>

namespace murva {
namespace {

// The first 32 bytes as four numbers that order as the bytes do; missing
// bytes count as zero, so a tie still needs the lines compared.
struct LineKey {
  std::uint64_t words[4] = {};
  std::size_t index = 0;
};

LineKey KeyOf(std::string_view line, std::size_t index) {
  LineKey key;
  key.index = index;
  const std::size_t count = std::min<std::size_t>(line.size(), 32);
  for (std::size_t i = 0; i < count; ++i) {
    key.words[i / 8] |= std::uint64_t{static_cast<unsigned char>(line[i])} << (8 * (7 - i % 8));
  }
  return key;
}

}  // namespace

std::vector<std::size_t> SortedLineOrder(std::size_t count,
                                         const std::function<std::string_view(std::size_t)>& line) {
  std::vector<LineKey> keys;
  keys.reserve(count);
  for (std::size_t i = 0; i < count; ++i) keys.push_back(KeyOf(line(i), i));
  std::sort(keys.begin(), keys.end(), [&line](const LineKey& a, const LineKey& b) {
    for (int w = 0; w < 4; ++w) {
      if (a.words[w] != b.words[w]) return a.words[w] < b.words[w];
    }
    return line(a.index) < line(b.index);
  });
  std::vector<std::size_t> order;
  order.reserve(count);
  for (const LineKey& key : keys) order.push_back(key.index);
  return order;
}

}  // namespace murva
