#include "calendar/old_calendar.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "calendar/almanac_names.h"
#include "calendar/jdoldcal.h"
#include "calendar/julius.h"

namespace murva {
namespace {

std::vector<std::string> TableLines() {
  std::vector<std::string> lines;
  std::string_view rest = JDOLDCAL;
  while (!rest.empty()) {
    const std::size_t end = rest.find("\r\n");
    EXPECT_NE(end, std::string_view::npos) << "every line ends with CR LF";
    if (end == std::string_view::npos) break;
    lines.emplace_back(rest.substr(0, end));
    rest.remove_prefix(end + 2);
  }
  return lines;
}

struct Line {
  int julius;
  int month;
};

std::vector<Line> ParsedLines() {
  std::vector<Line> parsed;
  for (const std::string& line : TableLines()) {
    const std::size_t comma = line.find(',');
    parsed.push_back({std::stoi(line.substr(0, comma)), std::stoi(line.substr(comma + 1))});
  }
  return parsed;
}

// The month table the program inherited (1989-12-28 .. 2010-12-05), rebuilt
// from its first line, its month lengths (1 = 30 days, 0 = 29 days) and its
// leap months.
std::vector<Line> InheritedLines() {
  const std::string bits =
      "101001001101110100100101110110010010110110101001010111010100"
      "101011011010100101011010110100101011011010010011011101001001"
      "011101100100101101110010010101110101001010110110100101010110"
      "101010101010110110010101010110110010010111011001001011011100"
      "1001010111010100101";
  const std::map<int, int> leap_months = {{2448066, 105}, {2449100, 103}, {2449986, 108},
                                          {2450989, 105}, {2452053, 104}, {2453086, 102},
                                          {2453972, 107}, {2455006, 105}};
  std::vector<Line> lines = {{2447889, 12}};
  int base = 12;
  for (char bit : bits) {
    const int julius = lines.back().julius + (bit == '1' ? 30 : 29);
    if (leap_months.count(julius) != 0) {
      lines.push_back({julius, leap_months.at(julius)});
    } else {
      base = base == 12 ? 1 : base + 1;
      lines.push_back({julius, base});
    }
  }
  return lines;
}

TEST(JdoldcalTableTest, ShapeAndRange) {
  const std::vector<std::string> lines = TableLines();
  ASSERT_GT(lines.size(), 2400u);
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find(' '), std::string::npos);
    EXPECT_EQ(std::count(line.begin(), line.end(), ','), 1) << line;
  }
  const std::vector<Line> parsed = ParsedLines();
  // The first month holds 1900-01-01; the last line is the first month after
  // 2100-12-31.
  EXPECT_LE(parsed.front().julius, DateToJulius(1900, 1, 1));
  EXPECT_GT(parsed[1].julius, DateToJulius(1900, 1, 1));
  EXPECT_GT(parsed.back().julius, DateToJulius(2100, 12, 31));
  EXPECT_LE(parsed[parsed.size() - 2].julius, DateToJulius(2100, 12, 31));
}

TEST(JdoldcalTableTest, MonthLengthsAndMonthSequence) {
  const std::vector<Line> lines = ParsedLines();
  int base = lines.front().month;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const int length = lines[i].julius - lines[i - 1].julius;
    EXPECT_TRUE(length == 29 || length == 30) << lines[i].julius;
    if (lines[i].month > 100) {
      EXPECT_EQ(lines[i].month, 100 + base) << lines[i].julius;
      EXPECT_LT(lines[i - 1].month, 100) << "two leap months in a row";
    } else {
      base = base == 12 ? 1 : base + 1;
      EXPECT_EQ(lines[i].month, base) << lines[i].julius;
    }
  }
}

TEST(JdoldcalTableTest, InheritedRangeIsUnchanged) {
  const std::vector<Line> inherited = InheritedLines();
  ASSERT_EQ(inherited.size(), 260u);
  const std::vector<Line> lines = ParsedLines();
  const auto first = std::find_if(lines.begin(), lines.end(), [&](const Line& line) {
    return line.julius == inherited.front().julius;
  });
  ASSERT_NE(first, lines.end());
  ASSERT_GE(lines.end() - first, static_cast<std::ptrdiff_t>(inherited.size()));
  for (std::size_t i = 0; i < inherited.size(); ++i) {
    EXPECT_EQ(first[static_cast<std::ptrdiff_t>(i)].julius, inherited[i].julius) << i;
    EXPECT_EQ(first[static_cast<std::ptrdiff_t>(i)].month, inherited[i].month) << i;
  }
  // And day by day through the lookups.
  std::size_t line = 0;
  for (std::int32_t j = inherited.front().julius; j < inherited.back().julius; ++j) {
    if (j >= inherited[line + 1].julius) ++line;
    int month = 0;
    int day = 0;
    JuliusToOldDate(j, month, day);
    ASSERT_EQ(month, inherited[line].month) << j;
    ASSERT_EQ(day, j - inherited[line].julius + 1) << j;
    const int base = month % 100;
    ASSERT_EQ(JuliusToRokuyo(j), (base + day - 2) % 6 + 1) << j;
  }
}

struct OldDateCase {
  std::int32_t julius;
  int month;
  int day;
  int rokuyo;
};

class JuliusToOldDateTest : public ::testing::TestWithParam<OldDateCase> {};

TEST_P(JuliusToOldDateTest, MonthDayAndRokuyo) {
  const OldDateCase c = GetParam();
  int month = -1;
  int day = -1;
  JuliusToOldDate(c.julius, month, day);
  EXPECT_EQ(month, c.month);
  EXPECT_EQ(day, c.day);
  EXPECT_EQ(JuliusToRokuyo(c.julius), c.rokuyo);
}

INSTANTIATE_TEST_SUITE_P(
    KnownDays, JuliusToOldDateTest,
    ::testing::Values(OldDateCase{2451580, 1, 1, 1},      // 2000-02-05 先勝
                      OldDateCase{2451545, 11, 25, 5},    // 2000-01-01 大安
                      OldDateCase{2448066, 105, 1, 5},    // 1990-06-23 leap 5th month
                      OldDateCase{DateToJulius(1990, 7, 21), 105, 29, 3},  // 先負
                      OldDateCase{DateToJulius(1990, 7, 22), 6, 1, 6},  // 赤口
                      OldDateCase{2447889, 12, 1, 6},     // 1989-12-28 赤口
                      OldDateCase{2455536, 10, 30, 3},    // 2010-12-05
                      OldDateCase{2455537, 11, 1, 5},     // 2010-12-06 大安
                      OldDateCase{DateToJulius(1900, 1, 1), 12, 1, 6},   // the first day
                      OldDateCase{DateToJulius(1899, 12, 31), 0, 0, 0},  // before the table
                      OldDateCase{DateToJulius(2100, 12, 31), 12, 1, 6},  // 赤口
                      OldDateCase{DateToJulius(2101, 1, 29), 0, 0, 0},  // the closing line's day
                      OldDateCase{2453086, 102, 1, 2},    // 2004-03-21 leap 2nd month
                      OldDateCase{2453085, 2, 30, 1}));   // the day before it, 先勝

TEST(JuliusToRokuyoTest, FollowsTheSixDayCycleWithinAMonth) {
  // From the first day of the 7th month of 2000 the names run in order.
  int month = 0;
  int day = 0;
  std::int32_t j = DateToJulius(2000, 8, 1);
  JuliusToOldDate(j, month, day);
  ASSERT_NE(month, 0);
  const std::int32_t first = j - day + 1;
  for (int i = 0; i < 12; ++i) {
    JuliusToOldDate(first + i, month, day);
    EXPECT_EQ(JuliusToRokuyo(first + i), ((month % 100) + day - 2) % 6 + 1);
  }
}

TEST(AlmanacNamesTest, Tables) {
  EXPECT_EQ(RokuyoNames[0], "不明");
  EXPECT_EQ(RokuyoNames[1], "先勝");
  EXPECT_EQ(RokuyoNames[6], "赤口");
  EXPECT_EQ(StemNames.size(), 10u);
  EXPECT_EQ(StemNames[0], "甲");
  EXPECT_EQ(StemNames[9], "癸");
  EXPECT_EQ(BranchNames.size(), 12u);
  EXPECT_EQ(BranchNames[0], "子");
  EXPECT_EQ(BranchNames[11], "亥");
  EXPECT_EQ(SolarTermNames.size(), 24u);
  EXPECT_EQ(SolarTermNames[0], "春分");
  EXPECT_EQ(SolarTermNames[12], "秋分");
  EXPECT_EQ(SolarTermNames[13], "寒露");  // the inherited table had 寒路
  EXPECT_EQ(SolarTermNames[23], "啓蟄");
}

}  // namespace
}  // namespace murva
