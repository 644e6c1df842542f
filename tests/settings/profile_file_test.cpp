#include "settings/profile_file.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "settings/settings_test_support.h"
#include "settings/settings_write_error.h"

namespace murva {
namespace {

using testing::FileSizeLimit;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

class ProfileFileTest : public ::testing::Test {
 protected:
  std::filesystem::path Ini() const { return folder_.File("MURVA32.INI"); }
  ProfileFile Open(const std::string& bytes) {
    WriteBytes(Ini(), bytes);
    return ProfileFile(Ini());
  }
  // The file after one write into a file holding `bytes`.
  std::string AfterWrite(const std::string& bytes, const std::string& section,
                         const std::string& key, const std::string& value) {
    ProfileFile file = Open(bytes);
    file.WriteString(section, key, value);
    file.Commit();
    return ReadBytes(Ini());
  }

  TempFolder folder_;
};

// --- Reading -------------------------------------------------------------

TEST_F(ProfileFileTest, MissingFileSectionOrKeyGivesTheDefault) {
  ProfileFile missing(folder_.File("none.ini"));
  EXPECT_FALSE(missing.Exists());
  EXPECT_EQ(missing.ReadString("Murva32V4", "CalFntName", "dflt"), "dflt");
  EXPECT_EQ(missing.ReadInteger("Murva32V4", "CalendStyl", 7), 7);

  ProfileFile file = Open("[Other]\r\nCalendStyl=3\r\n[Murva32V4]\r\nCalendMnth=2\r\n");
  EXPECT_TRUE(file.Exists());
  EXPECT_EQ(file.ReadInteger("Murva32V4Ext", "CalendMnth", 9), 9);
  EXPECT_EQ(file.ReadInteger("Murva32V4", "CalendStyl", 9), 9);
  EXPECT_FALSE(file.Find("Murva32V4", "CalendStyl").has_value());
}

TEST_F(ProfileFileTest, SectionAndKeyNamesIgnoreLetterCase) {
  ProfileFile file = Open("[murva32v4]\r\ncalendstyl=4\r\nCALENDMNTH=5\r\n");
  EXPECT_EQ(file.ReadInteger("Murva32V4", "CalendStyl", 0), 4);
  EXPECT_EQ(file.ReadInteger("MURVA32V4", "CalendMnth", 0), 5);
}

TEST_F(ProfileFileTest, ValueIsTheTextAfterTheFirstEqualsSignTrimmed) {
  ProfileFile file = Open(
      "[S]\r\n"
      "  Spaced  =   two words  \r\n"
      "Tabbed=\t\tx\t\r\n"
      "Equals=a=b==c\r\n"
      "Empty=\r\n"
      "Blanks=    \r\n");
  EXPECT_EQ(file.ReadString("S", "Spaced", "-"), "two words");
  EXPECT_EQ(file.ReadString("S", "Tabbed", "-"), "x");
  EXPECT_EQ(file.ReadString("S", "Equals", "-"), "a=b==c");
  // A key that is there with an empty value is empty, not the default...
  EXPECT_EQ(file.ReadString("S", "Empty", "-"), "");
  EXPECT_EQ(file.ReadString("S", "Blanks", "-"), "");
  // ...but an empty integer does not parse and gives the default.
  EXPECT_EQ(file.ReadInteger("S", "Empty", 42), 42);
}

TEST_F(ProfileFileTest, ValueIsCutTo1023BytesWithoutSplittingACharacter) {
  const std::string a1100(1100, 'a');
  const std::string a1022(1022, 'a');
  const std::string a1021(1021, 'a');
  const std::string a_hiragana = "\x82\xa0";  // あ
  ProfileFile file = Open("[S]\r\nLong=" + a1100 + "\r\nSplit=" + a1022 + a_hiragana +
                          "\r\nFits=" + a1021 + a_hiragana + "\r\n");
  EXPECT_EQ(file.ReadString("S", "Long", ""), std::string(1023, 'a'));
  EXPECT_EQ(file.ReadString("S", "Split", ""), a1022);
  EXPECT_EQ(file.ReadString("S", "Fits", ""), a1021 + "あ");
}

TEST_F(ProfileFileTest, IntegersAreDecimalOrHexadecimal) {
  ProfileFile file = Open(
      "[S]\r\nHex=0x64\r\nHexUpper=0X1f\r\nPlus=+7\r\nMinus=-9\r\nZeros=0012\r\n"
      "BareHex=0x\r\nJunk=12abc\r\nWord=yes\r\nHuge=99999999999\r\nAllBits=0xFFFFFFFF\r\n"
      "TooWide=0x100000000\r\nSignHex=-0x10\r\nDoubleSign=+-3\r\nSpaceInside=1 2\r\n");
  EXPECT_EQ(file.ReadInteger("S", "Hex", 0), 100);
  EXPECT_EQ(file.ReadInteger("S", "HexUpper", 0), 31);
  EXPECT_EQ(file.ReadInteger("S", "Plus", 0), 7);
  EXPECT_EQ(file.ReadInteger("S", "Minus", 0), -9);
  EXPECT_EQ(file.ReadInteger("S", "Zeros", 0), 12);
  EXPECT_EQ(file.ReadInteger("S", "AllBits", 0), -1);
  for (const char* bad : {"BareHex", "Junk", "Word", "Huge", "TooWide", "SignHex", "DoubleSign",
                          "SpaceInside"}) {
    EXPECT_EQ(file.ReadInteger("S", bad, -77), -77) << bad;
  }
}

TEST_F(ProfileFileTest, BooleansAreIntegersAndAnyNonZeroIsTrue) {
  ProfileFile file = Open("[S]\r\nTwo=2\r\nZero=0\r\nMinus=-1\r\nYes=yes\r\n");
  EXPECT_TRUE(file.ReadBool("S", "Two", false));
  EXPECT_FALSE(file.ReadBool("S", "Zero", true));
  EXPECT_TRUE(file.ReadBool("S", "Minus", false));
  EXPECT_TRUE(file.ReadBool("S", "Yes", true));
  EXPECT_FALSE(file.ReadBool("S", "Yes", false));
}

TEST_F(ProfileFileTest, ColoursAreIntegersWithinTwentyFourBits) {
  ProfileFile file = Open("[S]\r\nWhite=16777215\r\nHex=0xFF00\r\nNegative=-16777211\r\n"
                          "TooBig=16777216\r\n");
  EXPECT_EQ(file.ReadColor("S", "White", 1), 0xFFFFFFu);
  EXPECT_EQ(file.ReadColor("S", "Hex", 1), 0xFF00u);
  EXPECT_EQ(file.ReadColor("S", "Negative", 1), 1u);
  EXPECT_EQ(file.ReadColor("S", "TooBig", 1), 1u);
}

TEST_F(ProfileFileTest, FirstOfRepeatedSectionsAndKeysIsUsed) {
  ProfileFile file = Open("[S]\r\nK=first\r\nK=second\r\n[s]\r\nK=third\r\nOnlyLater=x\r\n");
  EXPECT_EQ(file.ReadString("S", "K", ""), "first");
  EXPECT_FALSE(file.Find("S", "OnlyLater").has_value());
}

TEST_F(ProfileFileTest, CommentsAndLinesWithoutEqualsAreNotKeys) {
  ProfileFile file = Open("Stray=before any section\r\n[S]\r\n;K=commented\r\nno equals here\r\nK=real\r\n");
  EXPECT_EQ(file.ReadString("S", "K", ""), "real");
  EXPECT_FALSE(file.Find("S", ";K").has_value());
  EXPECT_FALSE(file.Find("S", "Stray").has_value());
}

TEST_F(ProfileFileTest, DoubleByteNamesAreMatchedByCharacterNotByByte) {
  // "ア" is 83 41 and "ヂ" 83 61: their trail bytes are "A" and "a".
  // "ゾ" is 83 5D: its trail byte is "]".
  ProfileFile file = Open("[\x83\x5d\x81\x5b\x83\x93]\r\n\x83\x41X=upper\r\n");
  EXPECT_EQ(file.ReadString("ゾーン", "アX", ""), "upper");
  EXPECT_EQ(file.ReadString("ゾーン", "アx", ""), "upper");
  EXPECT_FALSE(file.Find("ゾーン", "ヂX").has_value());
}

TEST_F(ProfileFileTest, LineFeedOnlyFilesAndMissingFinalLineEndAreRead) {
  ProfileFile file = Open("[S]\nA=1\nB=2");
  EXPECT_EQ(file.ReadInteger("S", "A", 0), 1);
  EXPECT_EQ(file.ReadInteger("S", "B", 0), 2);
}

TEST_F(ProfileFileTest, WindowsWrittenCp932ValuesAreDecoded) {
  ProfileFile file = Open(
      "[Murva32V4]\r\n"
      "CalFntName=\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e\r\n"
      "CalenChHV1=\x89\xa1\x81\xa8\x8f\x63\r\n"
      "EditPathW1=C:\\\x95\x5c\\\x83\x5c.bmp\r\n");
  EXPECT_EQ(file.ReadString("Murva32V4", "CalFntName", ""), "ＭＳ ゴシック");
  EXPECT_EQ(file.ReadString("Murva32V4", "CalenChHV1", ""), "横→縦");
  EXPECT_EQ(file.ReadString("Murva32V4", "EditPathW1", ""), "C:\\表\\ソ.bmp");
}

TEST(ParseProfileInteger, FollowsTheFileRules) {
  EXPECT_EQ(ParseProfileInteger("0x64"), 100);
  EXPECT_EQ(ParseProfileInteger("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseProfileInteger("2147483647"), INT32_MAX);
  EXPECT_FALSE(ParseProfileInteger("2147483648").has_value());
  EXPECT_FALSE(ParseProfileInteger("").has_value());
  EXPECT_FALSE(ParseProfileInteger("-").has_value());
  EXPECT_FALSE(ParseProfileInteger(" 1").has_value());
  EXPECT_FALSE(ParseProfileInteger("0xG").has_value());
}

// --- Writing -------------------------------------------------------------

TEST_F(ProfileFileTest, ReplacingAKeyKeepsEveryOtherByte) {
  const std::string before =
      "; hand-written notes\r\n"
      "[Murva32V4]  \r\n"
      "CalendStyl = 1   \r\n"
      "\tcalendmnth=2\r\n"
      "odd line without equals\r\n"
      "\r\n"
      "[Murva32V4Ext]\r\n"
      "calendmnth=3\r\n";
  const std::string after = AfterWrite(before, "Murva32V4", "CalendMnth", "7");
  EXPECT_EQ(after,
            "; hand-written notes\r\n"
            "[Murva32V4]  \r\n"
            "CalendStyl = 1   \r\n"
            "CalendMnth=7\r\n"
            "odd line without equals\r\n"
            "\r\n"
            "[Murva32V4Ext]\r\n"
            "calendmnth=3\r\n");
}

TEST_F(ProfileFileTest, NewKeyGoesToTheEndOfItsSectionBeforeTheBlankLines) {
  const std::string after =
      AfterWrite("[A]\r\nX=1\r\n\r\n[B]\r\nY=2\r\n", "a", "Z", "3");
  EXPECT_EQ(after, "[A]\r\nX=1\r\nZ=3\r\n\r\n[B]\r\nY=2\r\n");
}

TEST_F(ProfileFileTest, NewKeyOfTheLastSectionGoesToTheEndOfTheFile) {
  EXPECT_EQ(AfterWrite("[A]\r\nX=1\r\n[B]\r\nY=2\r\n", "B", "Z", "3"),
            "[A]\r\nX=1\r\n[B]\r\nY=2\r\nZ=3\r\n");
  EXPECT_EQ(AfterWrite("[A]\r\n", "A", "Z", "3"), "[A]\r\nZ=3\r\n");
}

TEST_F(ProfileFileTest, MissingSectionIsAddedAtTheEndOfTheFile) {
  EXPECT_EQ(AfterWrite("[A]\r\nX=1\r\n", "MURVA32PRE", "CalenSelBa", "1"),
            "[A]\r\nX=1\r\n[MURVA32PRE]\r\nCalenSelBa=1\r\n");
}

TEST_F(ProfileFileTest, MissingFinalLineEndIsAddedBeforeAppending) {
  EXPECT_EQ(AfterWrite("[A]\r\nX=1", "A", "Y", "2"), "[A]\r\nX=1\r\nY=2\r\n");
}

TEST_F(ProfileFileTest, MissingFileIsCreatedInCp932WithCrLf) {
  ProfileFile file(Ini());
  file.WriteString("Murva32V4", "CalenChHV1", "縦→横");
  file.WriteString("Murva32V4", "CalFntName", "ＭＳ ゴシック");
  file.Commit();
  EXPECT_EQ(ReadBytes(Ini()),
            "[Murva32V4]\r\n"
            "CalenChHV1=\x8f\x63\x81\xa8\x89\xa1\r\n"
            "CalFntName=\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e\r\n");
}

TEST_F(ProfileFileTest, MissingFolderIsCreated) {
  ProfileFile file(folder_.File("config") / "murva32" / "MURVA32.INI");
  file.WriteInteger("S", "K", 1);
  file.Commit();
  EXPECT_EQ(ReadBytes(folder_.File("config") / "murva32" / "MURVA32.INI"), "[S]\r\nK=1\r\n");
}

TEST_F(ProfileFileTest, LineFeedOnlyFileKeepsItsLineEnds) {
  EXPECT_EQ(AfterWrite("[A]\nX=1\n", "A", "Y", "2"), "[A]\nX=1\nY=2\n");
  EXPECT_EQ(AfterWrite("[A]\nX=1\n", "B", "Y", "2"), "[A]\nX=1\n[B]\nY=2\n");
}

TEST_F(ProfileFileTest, ValuesAreWrittenInTheirStoredForms) {
  ProfileFile file(Ini());
  file.WriteBool("S", "On", true);
  file.WriteBool("S", "Off", false);
  file.WriteInteger("S", "Negative", -9);
  file.WriteColor("S", "White", 0xFFFFFF);
  file.Commit();
  EXPECT_EQ(ReadBytes(Ini()), "[S]\r\nOn=1\r\nOff=0\r\nNegative=-9\r\nWhite=16777215\r\n");
}

TEST_F(ProfileFileTest, LineBreaksInAValueCannotStartNewLines) {
  ProfileFile file(Ini());
  file.WriteString("S", "Path", "a\r\n[Murva32V4]\r\nCalMakeDay=2099/01/01");
  file.Commit();
  ProfileFile again(Ini());
  EXPECT_FALSE(again.Find("Murva32V4", "CalMakeDay").has_value());
  EXPECT_EQ(again.ReadString("S", "Path", ""), "a  [Murva32V4]  CalMakeDay=2099/01/01");
}

TEST_F(ProfileFileTest, CharactersWithoutCp932FormAreWrittenAsQuestionMarks) {
  ProfileFile file(Ini());
  file.WriteString("S", "Path", "/home/user/caf\xC3\xA9.png");
  file.Commit();
  EXPECT_EQ(ReadBytes(Ini()), "[S]\r\nPath=/home/user/caf?.png\r\n");
}

TEST_F(ProfileFileTest, ManyWritesInOneOpeningEqualOneWriteAfterTheOther) {
  const std::string start = "[B]\r\nQ=0\r\n\r\n[A]\r\nX=1\r\n";
  const std::vector<std::tuple<std::string, std::string, std::string>> writes = {
      {"A", "Y", "2"}, {"B", "Q", "9"}, {"C", "Z", "3"}, {"a", "x", "4"}, {"B", "R", "5"}};
  const std::filesystem::path one_by_one = folder_.File("one.ini");
  WriteBytes(one_by_one, start);
  for (const auto& [section, key, value] : writes) {
    ProfileFile file(one_by_one);
    file.WriteString(section, key, value);
    file.Commit();
  }
  ProfileFile batch = Open(start);
  for (const auto& [section, key, value] : writes) batch.WriteString(section, key, value);
  batch.Commit();
  EXPECT_EQ(ReadBytes(Ini()), ReadBytes(one_by_one));
  EXPECT_EQ(ReadBytes(Ini()), "[B]\r\nQ=9\r\nR=5\r\n\r\n[A]\r\nx=4\r\nY=2\r\n[C]\r\nZ=3\r\n");
}

TEST_F(ProfileFileTest, WriteIsVisibleToReadsOfTheSameOpening) {
  ProfileFile file(Ini());
  file.WriteInteger("S", "K", 5);
  EXPECT_EQ(file.ReadInteger("S", "k", 0), 5);
}

TEST_F(ProfileFileTest, OpeningWithoutWritesNeverTouchesTheDisk) {
  ProfileFile file(Ini());
  (void)file.ReadString("S", "K", "");
  file.Commit();
  EXPECT_FALSE(std::filesystem::exists(Ini()));
}

TEST_F(ProfileFileTest, InvalidNamesAreRejected) {
  ProfileFile file(Ini());
  EXPECT_THROW(file.WriteString("S", "", "v"), std::invalid_argument);
  EXPECT_THROW(file.WriteString("S", "a=b", "v"), std::invalid_argument);
  EXPECT_THROW(file.WriteString("S", "[K", "v"), std::invalid_argument);
  EXPECT_THROW(file.WriteString("S]", "K", "v"), std::invalid_argument);
  EXPECT_THROW(file.WriteString("", "K", "v"), std::invalid_argument);
}

// --- Failed writes -------------------------------------------------------

TEST_F(ProfileFileTest, FailedWriteRaisesTheWriteErrorWithThePath) {
  WriteBytes(folder_.File("plain"), "x");
  const std::filesystem::path bad = folder_.File("plain") / "MURVA32.INI";
  ProfileFile file(bad);
  file.WriteInteger("S", "K", 1);
  try {
    file.Commit();
    FAIL() << "no error";
  } catch (const SettingsWriteError& error) {
    EXPECT_EQ(std::string(error.what()), bad.string() + " に書き込めません");
    EXPECT_EQ(error.Path(), bad);
  }
}

TEST_F(ProfileFileTest, FailedWriteLeavesTheOldFileAsItWas) {
  const std::string old_content = "[Murva32V4]\r\nCalendStyl=1\r\n";
  ProfileFile file = Open(old_content);
  file.WriteString("Murva32V4", "Big", std::string(4000, 'x'));
  {
    FileSizeLimit limit(256);
    EXPECT_THROW(file.Commit(), SettingsWriteError);
  }
  EXPECT_EQ(ReadBytes(Ini()), old_content);
  EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"MURVA32.INI"});
}

TEST_F(ProfileFileTest, FileThatCannotBeReadIsNeverOverwritten) {
  std::filesystem::create_directory(Ini());  // there, but not readable as a file
  ProfileFile file(Ini());
  EXPECT_FALSE(file.Exists());
  file.WriteInteger("S", "K", 1);
  EXPECT_THROW(file.Commit(), SettingsWriteError);
  EXPECT_TRUE(std::filesystem::is_directory(Ini()));
}

}  // namespace
}  // namespace murva
