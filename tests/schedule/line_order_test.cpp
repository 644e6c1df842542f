// Lines come out in plain byte order however they differ: within or after
// their first 32 bytes, by a zero or a high byte, or as a prefix of another.
#include "schedule/line_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "schedule/schedule_list.h"

namespace murva {
namespace {

TEST(LineOrder, SortsAsPlainByteOrder) {
  std::vector<std::string> lines = {
      "",
      std::string("a\0", 2),
      "a",
      std::string(32, 'x') + "b",
      std::string(32, 'x') + "a",
      std::string(32, 'x'),
      std::string(31, 'x'),
      "2025/06/15 \x82\xa0",
      "2025/06/15 \x82\x9f",
      "2025/06/15 a",
      "2025/06/15",
      std::string("2025/06/15 \0z", 13),
      "\xff",
      "\x80",
  };
  std::mt19937 random(5);
  for (int i = 0; i < 200; ++i) {
    std::string line = "2025/06/" + std::to_string(10 + random() % 3) + " ";
    const int extra = static_cast<int>(random() % 40);
    for (int k = 0; k < extra; ++k) line += static_cast<char>("ab\x82\xa0\0"[random() % 5]);
    lines.push_back(line);
    if (random() % 4 == 0) lines.push_back(line);  // equal lines too
  }
  std::vector<std::string> expected = lines;
  std::sort(expected.begin(), expected.end());

  const std::vector<std::size_t> order =
      SortedLineOrder(lines.size(), [&lines](std::size_t i) { return std::string_view(lines[i]); });
  std::vector<std::string> ordered;
  for (const std::size_t index : order) ordered.push_back(lines[index]);
  EXPECT_EQ(ordered, expected);

  SortLines(lines);
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(ScheduleList(expected).Lines(), expected);
}

}  // namespace
}  // namespace murva
