#include "settings/cp932.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace murva {
namespace {

TEST(Cp932Decode, JapaneseTextBecomesUtf8) {
  EXPECT_EQ(DecodeCp932("\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e"), "ＭＳ ゴシック");
  EXPECT_EQ(DecodeCp932("\x8f\x63\x81\xa8\x89\xa1"), "縦→横");
}

TEST(Cp932Decode, AsciiPassesUnchanged) {
  EXPECT_EQ(DecodeCp932("CalendWX13=100 \\ ~"), "CalendWX13=100 \\ ~");
}

TEST(Cp932Decode, TrailByteThatLooksLikeBackslashStaysPartOfItsCharacter) {
  // "ソ" and "表" end in 0x5C, the byte of "\".
  EXPECT_EQ(DecodeCp932("C:\\\x95\x5c\\\x83\x5c.bmp"), "C:\\表\\ソ.bmp");
}

TEST(Cp932Decode, WindowsExtensionsAreKnown) {
  EXPECT_EQ(DecodeCp932("\x87\x40"), "①");  // NEC special character
  EXPECT_EQ(DecodeCp932("\x81\x60"), "～");  // the CP932 wave dash (U+FF5E)
  EXPECT_EQ(DecodeCp932("\xb1"), "ｱ");      // half-width katakana
}

TEST(Cp932Decode, InvalidBytesFailStrictly) {
  EXPECT_FALSE(DecodeCp932("ab\x82").has_value());  // lead byte without trail byte
  EXPECT_FALSE(DecodeCp932("\xa0").has_value());
}

TEST(Cp932Decode, LossyFormReplacesOnlyTheBadBytes) {
  EXPECT_EQ(DecodeCp932Lossy("ab\xa0" "cd"), "ab\xEF\xBF\xBD" "cd");
  EXPECT_EQ(DecodeCp932Lossy("ab\x82"), "ab\xEF\xBF\xBD");
  EXPECT_EQ(DecodeCp932Lossy("\xa0\x82\xa0"), "\xEF\xBF\xBD" "あ");
}

TEST(Cp932Encode, Utf8BecomesCp932) {
  EXPECT_EQ(EncodeCp932("横→縦"), "\x89\xa1\x81\xa8\x8f\x63");
  EXPECT_EQ(EncodeCp932("～①"), "\x81\x60\x87\x40");
}

TEST(Cp932Encode, CharacterWithoutCp932FormFailsStrictly) {
  EXPECT_FALSE(EncodeCp932("caf\xC3\xA9").has_value());  // é
  EXPECT_FALSE(EncodeCp932("\xF0\x9F\x98\x80").has_value());  // an emoji
}

TEST(Cp932Encode, LossyFormWritesQuestionMarkPerCharacter) {
  EXPECT_EQ(EncodeCp932Lossy("caf\xC3\xA9!"), "caf?!");
  EXPECT_EQ(EncodeCp932Lossy("\xF0\x9F\x98\x80あ"), "?\x82\xa0");
  EXPECT_EQ(EncodeCp932Lossy("a\xFFz"), "a?z");  // not UTF-8 at all
}

TEST(Cp932RoundTrip, EveryDoubleByteCharacterSurvives) {
  std::string all;
  for (int lead = 0x81; lead <= 0x9F; ++lead) {
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      if (auto text = DecodeCp932(pair)) {
        std::optional<std::string> back = EncodeCp932(*text);
        ASSERT_TRUE(back.has_value()) << std::hex << lead << trail;
        all += *text;
      }
    }
  }
  EXPECT_GT(all.size(), 10000u);
  EXPECT_EQ(DecodeCp932(EncodeCp932(all).value()), all);
}

// The converters live for the whole process: a conversion that stopped in
// the middle of a character leaves nothing behind for the next one, and
// several threads convert at once without mixing their texts.
TEST(Cp932Converters, EveryConversionStartsAfreshAndThreadsDoNotMix) {
  EXPECT_FALSE(DecodeCp932("\x82").has_value());
  EXPECT_EQ(DecodeCp932("\xa0"), std::nullopt);
  EXPECT_EQ(DecodeCp932("\x82\xa0"), "あ");
  EXPECT_EQ(DecodeCp932Lossy("\x82"), "\xEF\xBF\xBD");
  EXPECT_EQ(DecodeCp932("A"), "A");
  EXPECT_FALSE(EncodeCp932("\xE3\x81").has_value());  // a cut UTF-8 sequence
  EXPECT_EQ(EncodeCp932("あ"), "\x82\xa0");

  std::vector<std::thread> threads;
  std::vector<int> wrong(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t, &wrong] {
      const std::string text = "予定" + std::to_string(t) + "：会議と打ち合わせ";
      for (int i = 0; i < 2000; ++i) {
        const std::optional<std::string> bytes = EncodeCp932(text);
        if (!bytes || DecodeCp932(*bytes) != text || DecodeCp932Lossy(*bytes + "\x82") !=
                                                         text + "\xEF\xBF\xBD") {
          ++wrong[t];
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(wrong, std::vector<int>(4, 0));
}

}  // namespace
}  // namespace murva
