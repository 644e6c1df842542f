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

TEST(JdoldcalTableTest, SizeAndShape) {
  EXPECT_EQ(JDOLDCAL.size(), 2939u);
  const std::vector<std::string> lines = TableLines();
  ASSERT_EQ(lines.size(), 260u);
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find(' '), std::string::npos);
    EXPECT_EQ(std::count(line.begin(), line.end(), ','), 1) << line;
  }
}

TEST(JdoldcalTableTest, FirstAndLastLines) {
  const std::vector<std::string> lines = TableLines();
  ASSERT_EQ(lines.size(), 260u);
  EXPECT_EQ(lines[0], "2447889,12");
  EXPECT_EQ(lines[1], "2447919,1");
  EXPECT_EQ(lines[2], "2447948,2");
  EXPECT_EQ(lines[257], "2455478,9");
  EXPECT_EQ(lines[258], "2455507,10");
  EXPECT_EQ(lines[259], "2455537,11");
}

TEST(JdoldcalTableTest, LeapMonthsAreExactlyThePublishedOnes) {
  const std::map<int, int> expected = {{2448066, 105}, {2449100, 103}, {2449986, 108},
                                       {2450989, 105}, {2452053, 104}, {2453086, 102},
                                       {2453972, 107}, {2455006, 105}};
  std::map<int, int> found;
  for (const Line& line : ParsedLines()) {
    if (line.month > 100) found[line.julius] = line.month;
  }
  EXPECT_EQ(found, expected);
}

TEST(JdoldcalTableTest, MonthLengthsAndMonthSequence) {
  const std::string bits =
      "101001001101110100100101110110010010110110101001010111010100"
      "101011011010100101011010110100101011011010010011011101001001"
      "011101100100101101110010010101110101001010110110100101010110"
      "101010101010110110010101010110110010010111011001001011011100"
      "1001010111010100101";
  const std::vector<Line> lines = ParsedLines();
  ASSERT_EQ(lines.size(), bits.size() + 1);
  int base = 12;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].julius - lines[i - 1].julius, bits[i - 1] == '1' ? 30 : 29) << i;
    if (lines[i].month > 100) {
      EXPECT_EQ(lines[i].month, 100 + base) << i;
    } else {
      base = base == 12 ? 1 : base + 1;
      EXPECT_EQ(lines[i].month, base) << i;
    }
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
                      OldDateCase{2447888, 0, 0, 0},      // before the table
                      OldDateCase{2455537, 0, 0, 0},      // the closing line's own day
                      OldDateCase{2455538, 0, 0, 0},      // after the table
                      OldDateCase{2455536, 10, 30, 3},    // 2010-12-05, the last day
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
  EXPECT_EQ(SolarTermNames[13], "寒路");
  EXPECT_EQ(SolarTermNames[23], "啓蟄");
}

}  // namespace
}  // namespace murva
