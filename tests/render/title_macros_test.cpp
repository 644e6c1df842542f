#include "render/title_macros.h"

#include <gtest/gtest.h>
#include <sys/utsname.h>

#include "render/os_name.h"

namespace murva {
namespace {

// Started on Sunday 6 December 2026 and still on that day.
class TitleMacros : public ::testing::Test {
 protected:
  std::string Expand(std::string text) {
    ExpandTitleMacros(text, today_, clock_);
    return text;
  }

  TodayFields today_ = TodayFields::Of(2026, 12, 6);
  FixedClock clock_{LocalDateTime{2026, 12, 6, 8, 30, 0}};
};

TEST_F(TitleMacros, AsciiDateAndEnglishWeekday) {
  EXPECT_EQ(Expand("$yyyy/$mm/$dd($ww)"), "2026/12/06(Sunday)");
  EXPECT_EQ(Expand("$yy"), "26");
}

TEST_F(TitleMacros, FullWidthDateAndJapaneseWeekday) {
  EXPECT_EQ(Expand("$YYYY年$MM月$DD日 $WW"), "２０２６年１２月６日 日曜日");
  EXPECT_EQ(Expand("$YY"), "２６");
}

TEST_F(TitleMacros, DaysLeftUntilSaturday) {
  EXPECT_EQ(Expand("$WD"), "６");
  EXPECT_EQ(Expand("$wd"), "6");
  clock_.Set(LocalDateTime{2026, 12, 12, 8, 0, 0});  // a Saturday
  EXPECT_EQ(Expand("$wd $WD $WW $ww"), "0 ０ 土曜日 Saturday");
}

TEST_F(TitleMacros, MonthAndDayWithoutLeadingZeroInFullWidth) {
  today_ = TodayFields::Of(2003, 4, 9);
  EXPECT_EQ(Expand("$MM/$DD"), "４/９");
  EXPECT_EQ(Expand("$mm/$dd"), "04/09");
  EXPECT_EQ(Expand("$yy"), "03");
}

TEST_F(TitleMacros, StrayDollarStaysAndTextIsUnchanged) {
  EXPECT_EQ(Expand("Price $5"), "Price $5");
  EXPECT_EQ(Expand("$"), "$");
  EXPECT_EQ(Expand("$yyyy costs $"), "2026 costs $");
}

TEST_F(TitleMacros, AtMostTenReplacements) {
  std::string text;
  for (int i = 0; i < 11; ++i) text += "$dd";
  EXPECT_EQ(Expand(text), "06060606060606060606$dd");
}

TEST_F(TitleMacros, AStrayDollarUsesUpItsPass) {
  // Ten passes in all: every pass replaces one macro; the "$" alone leaves
  // the count of replacements at ten.
  std::string text = "$";
  for (int i = 0; i < 10; ++i) text += "$mm";
  EXPECT_EQ(Expand(text), "$12121212121212121212");
}

TEST_F(TitleMacros, TableOrderDecidesWhichMacroIsReplacedFirst) {
  // "$yyyy" comes before "$yy" in the table, so the long form wins even where
  // the short form occurs first.
  EXPECT_EQ(Expand("$yy-$yyyy"), "26-2026");
  // The names are case-sensitive.
  EXPECT_EQ(Expand("$Yy"), "$Yy");
}

TEST_F(TitleMacros, EarlierTableEntriesAreReplacedBeforeLaterOnes) {
  // Ten "$mm" then one "$yy": "$yy" stands before "$mm" in the table, so it
  // takes one of the ten passes and the last "$mm" is left.
  std::string text;
  for (int i = 0; i < 10; ++i) text += "$mm";
  text += "$yy";
  EXPECT_EQ(Expand(text), "121212121212121212$mm26");
}

TEST_F(TitleMacros, DatesComeFromStartUpAndWeekdayFromTheClock) {
  today_ = TodayFields::Of(2026, 12, 31);
  clock_.Set(LocalDateTime{2027, 1, 1, 0, 5, 0});  // a Friday
  EXPECT_EQ(Expand("$yyyy/$mm/$dd $ww"), "2026/12/31 Friday");
}

TEST_F(TitleMacros, OsMacroNamesTheRunningSystem) {
  utsname info{};
  ASSERT_EQ(uname(&info), 0);
  EXPECT_EQ(Expand("on $os"), std::string("on ") + info.sysname + " " + info.release);
}

TEST(FullWidthDigits, EveryDigitHasItsFullWidthForm) {
  EXPECT_EQ(FullWidthDigits("0123456789"), "０１２３４５６７８９");
  EXPECT_EQ(FullWidthDigits(""), "");
  EXPECT_EQ(FullWidthDigits("2026"), "２０２６");
}

TEST(WindowsOsName, NtFamily) {
  EXPECT_EQ(WindowsOsName(kPlatformWin32Nt, 4, 0), "WindowsNT");
  EXPECT_EQ(WindowsOsName(kPlatformWin32Nt, 3, 51), "WindowsNT");
  EXPECT_EQ(WindowsOsName(kPlatformWin32Nt, 5, 0), "Windows2000");
  EXPECT_EQ(WindowsOsName(kPlatformWin32Nt, 5, 1), "WindowsXP");
  EXPECT_EQ(WindowsOsName(kPlatformWin32Nt, 5, 2), "WindowsXX?");
  // Later majors are read by the same minor-version rule.
  EXPECT_EQ(WindowsOsName(kPlatformWin32Nt, 6, 2), "WindowsXX?");
  EXPECT_EQ(WindowsOsName(kPlatformWin32Nt, 6, 1), "WindowsXP");
  EXPECT_EQ(WindowsOsName(kPlatformWin32Nt, 10, 0), "Windows2000");
}

TEST(WindowsOsName, NineXFamilyByMinorVersion) {
  EXPECT_EQ(WindowsOsName(kPlatformWin32Windows, 4, 0), "Windows95");
  EXPECT_EQ(WindowsOsName(kPlatformWin32Windows, 3, 95), "Windows95");
  EXPECT_EQ(WindowsOsName(kPlatformWin32Windows, 4, 1), "Windows98");
  EXPECT_EQ(WindowsOsName(kPlatformWin32Windows, 4, 2), "WindowsMe");
  // The release numbers the systems really report.
  EXPECT_EQ(WindowsOsName(kPlatformWin32Windows, 4, 10), "Windows98");
  EXPECT_EQ(WindowsOsName(kPlatformWin32Windows, 4, 90), "WindowsMe");
}

TEST(WindowsOsName, OtherFamiliesAreUnknown) {
  EXPECT_EQ(WindowsOsName(kPlatformWin32s, 3, 1), "Unknown");
  EXPECT_EQ(WindowsOsName(7, 5, 1), "Unknown");
}

TEST(OsName, IsTheSystemNameAndRelease) {
  utsname info{};
  ASSERT_EQ(uname(&info), 0);
  const std::string name = OsName();
  EXPECT_EQ(name, std::string(info.sysname) + " " + info.release);
  EXPECT_NE(name, kUnknownOsName);
}

}  // namespace
}  // namespace murva
