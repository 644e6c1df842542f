#include "settings/cp932_check.h"

#include <gtest/gtest.h>

namespace murva {
namespace {

TEST(Cp932Check, FindsTheFirstCharacterWithoutACp932Form) {
  struct Case {
    const char* text;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"", std::nullopt},
      {"$yyyy年$mm月 ＭＳ ゴシック ①～ｱ", std::nullopt},
      {"Café", "é"},
      {"予定🎂と🎉", "🎂"},
      {"Ĳ", "Ĳ"},
      {"ok\xC3", "\xC3"},  // a cut UTF-8 sequence
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FirstCharacterWithoutCp932(c.text), c.expected) << c.text;
  }
}

}  // namespace
}  // namespace murva
