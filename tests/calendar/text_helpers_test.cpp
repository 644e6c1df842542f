#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/comma_text.h"
#include "calendar/split_text.h"
#include "calendar/str_to_int.h"

namespace murva {
namespace {

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> list;
  SplitText(text, list, ',');
  return list;
}

TEST(SplitTextTest, Pieces) {
  EXPECT_EQ(Split("a,b"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(Split("a,"), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(Split(""), (std::vector<std::string>{""}));
  EXPECT_EQ(Split(",,"), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(Split("1,1,元旦"), (std::vector<std::string>{"1", "1", "元旦"}));
}

TEST(SplitTextTest, AppendsToTheList) {
  std::vector<std::string> list = {"x"};
  SplitText("3/17/", list, '/');
  EXPECT_EQ(list, (std::vector<std::string>{"x", "3", "17", ""}));
}

TEST(StrToIntTest, Numbers) {
  EXPECT_EQ(StrToInt("15"), 15);
  EXPECT_EQ(StrToInt("05"), 5);
  EXPECT_EQ(StrToInt("-3"), -3);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt(" 12 "), 12);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
}

TEST(StrToIntTest, NonNumbersRaiseAConversionError) {
  for (const char* text : {"", " ", "1a", "a1", "元旦", "1.5", "+-1", "2147483648", "1 2"}) {
    EXPECT_THROW(StrToInt(text), EConvertError) << text;
  }
  try {
    StrToInt("x7");
    FAIL();
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("x7"), std::string::npos);
  }
}

TEST(CommaTextTest, QuotingRules) {
  EXPECT_EQ(CommaText({}), "");
  EXPECT_EQ(CommaText({""}), "\"\"");
  EXPECT_EQ(CommaText({"振替休日"}), "振替休日");
  EXPECT_EQ(CommaText({"Dummy", "元旦"}), "Dummy,元旦");
  EXPECT_EQ(CommaText({"a b"}), "\"a b\"");
  EXPECT_EQ(CommaText({"a,b"}), "\"a,b\"");
  EXPECT_EQ(CommaText({"say \"hi\""}), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(CommaText({"tab\there"}), "\"tab\there\"");
  EXPECT_EQ(CommaText({"a", "", "b"}), "a,,b");
  EXPECT_EQ(CommaText({"", ""}), ",");
}

}  // namespace
}  // namespace murva
