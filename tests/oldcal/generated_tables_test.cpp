// The committed almanac tables are exactly what the generator writes today.
#include "oldcal/table_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

namespace murva::oldcal {
namespace {

std::string ReadSource(const std::string& name) {
  std::ifstream in(std::string(MURVA_TEST_SOURCE_DIR) + "/src/calendar/" + name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(GeneratedTablesTest, CommittedSourcesAreWhatTheGeneratorWrites) {
  const GeneratedTables tables = GenerateTables();
  // Byte for byte; on a difference, run the generator (see
  // tools/oldcal/README.md) and look at what changed.
  EXPECT_TRUE(tables.jdoldcal_source == ReadSource("jdoldcal.cpp"));
  EXPECT_TRUE(tables.solar_term_days_source == ReadSource("solar_term_days.cpp"));
  // The only span the rules cannot name alone is 2033's.
  const auto decided = std::count_if(tables.notes.begin(), tables.notes.end(), [](const std::string& note) {
    return note.find("the winter solstice decides") != std::string::npos ||
           note.find("no leap month keeps") != std::string::npos;
  });
  EXPECT_EQ(decided, 1);
  EXPECT_TRUE(std::any_of(tables.notes.begin(), tables.notes.end(), [](const std::string& note) {
    return note.find("the months from 2032-12-03 to 2033-11-21") == 0;
  }));
}

}  // namespace
}  // namespace murva::oldcal
