#include <gtest/gtest.h>

#include "settings/settings_messages.h"
#include "settings/settings_store.h"
#include "settings/settings_test_support.h"

namespace murva {
namespace {

using testing::ReadBytes;
using testing::RecordingHost;
using testing::TempFolder;
using testing::WriteBytes;

constexpr const char* kToday = "2002/05/03";

// A settings file as the Windows program writes it: CP932, CR LF, every
// general key set to something other than its default.
const std::string kFullBasicSet =
    "[MURVA32PRE]\r\n"
    "CalenSelBa=1\r\n"
    "CalenSelEx=0\r\n"
    "[Murva32V4]\r\n"
    "CalendStyl=1\r\n"
    "CalendMnth=7\r\n"
    "CalendWeek=5\r\n"
    "CalendTday=2\r\n"
    "CalenWeek1=0\r\nCalenWeek2=1\r\nCalenWeek3=2\r\nCalenWeek4=3\r\n"
    "CalenWeek5=4\r\nCalenWeek6=5\r\nCalenWeek7=7\r\n"
    "CalWalUsed=3\r\n"
    "CalWallUse=1\r\n"
    "CalFntName=\x82\x6c\x82\x72 \x96\xbe\x92\xa9\r\n"  // ＭＳ 明朝
    "CalFntSize=14\r\n"
    "CalFntStyl=3\r\n"
    "SchFntName=Arial\r\n"
    "SchFntSize=10\r\n"
    "SchFntStyl=4\r\n"
    "CalendFold=1\r\n"
    "CalendPerd=2\r\n"
    "CalWall256=1\r\n"
    "CalendAdjt=-3\r\n"
    "CalendDely=5\r\n"
    "SchLineSpc=7\r\n"
    "CalenAlWay=0\r\n"
    "Calen3DFnt=1\r\n"
    "CalendHide=0\r\n"
    "CalendOnly=1\r\n"
    "CalendTdyS=0\r\n"
    "CalendTile=0\r\n"
    "CalSunMode=1\r\n"
    "CalenTitle=1\r\n"
    "CalSchedul=5\r\n"
    "CalHoliSel=1\r\n"
    "UseSelbori=2\r\n"
    "CutYearDsp=1\r\n"
    "CutWeekDsp=0\r\n"
    "SelborPath=C:\\SELBORI\\\r\n"
    "SpecialPro=C:\\\x95\x5c\\run.exe /x\r\n"  // 表
    "UseSpclPro=1\r\n"
    "MyBirthday=80/02/12\r\n"
    "BeforeWeek=3\r\n"
    "BmpInitFld=C:\\\x95\xc7\x8e\x86\r\n"  // 壁紙
    "FormPositX=120\r\n"
    "FormPositY=80\r\n"
    "TitlePosiY=40\r\n"
    "TitlePosiX=300\r\n"
    "TitlePosT2=10\r\nTitlePosT3=20\r\nTitlePosT4=0\r\n"
    "TiFntName1=Arial\r\nTiFntName2=\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e\r\n"
    "TiFntSize1=36\r\nTiFntSize2=12\r\n"
    "TiFntStyl1=1\r\nTiFntStyl3=8\r\n"
    "TitleText1=002Hello\r\n"
    "TitleText2=000$yyyy\x94\x4e$mm\x8c\x8e\r\n"  // $yyyy年$mm月
    "TitleText3=003\r\n"
    "CalMakeDay=2002/05/03\r\n"
    "CalenBlok3=40\r\nCalenLine3=25\r\nCalenDays3=7\r\n"
    "CalendWX13=0x64\r\nCalendWY13=200\r\nSchdulWX13=300\r\nSchdulWY13=400\r\n"
    "Colors3DF3=12632256\r\nColorsSch3=1\r\nColorsTdy3=2\r\nColorsWek3=3\r\n"
    "ColorsSat3=4\r\nColorsSun3=5\r\nColorsHol3=6\r\nColorsSpc3=7\r\nColorsStr3=8\r\n"
    "EditPathW3=C:\\\x95\xc7\x8e\x86\\sea.jpg\r\n"
    "CalenChHV3=\x89\xa1\x81\xa8\x8f\x63\r\n"  // 横→縦
    "CalenHol05=3/4/5\r\n"
    "CalenHol12=23/\r\n"
    "CalenSpc01=1/02/x//\r\n"
    "CalWalNumb=3\r\n"
    "CalSetNumb=4\r\n"
    "\r\n"
    "[Murva32V4Ext]\r\n"
    "CalendStyl=6\r\n"
    "CalWallUse=2\r\n"
    "CalMakeDay=2002/05/02\r\n"
    "CalendWX13=7\r\n";

class SettingsLoadTest : public ::testing::Test {
 protected:
  SettingsStore Store(const std::string& bytes) {
    WriteBytes(folder_.File("MURVA32.INI"), bytes);
    return SettingsStore(folder_.File("MURVA32.INI"));
  }

  TempFolder folder_;
};

// --- The set choice ------------------------------------------------------

TEST_F(SettingsLoadTest, SetChoiceFollowsCalenSelEx) {
  WorkingCopy copy;
  Store("[MURVA32PRE]\r\nCalenSelBa=0\r\nCalenSelEx=1\r\n").LoadSetChoice(copy);
  EXPECT_EQ(copy.chosen_set, SettingsSet::kExtended);
  EXPECT_EQ(copy.shown_set, SettingsSet::kExtended);
  EXPECT_EQ(SettingsStore::SectionOf(copy), "Murva32V4Ext");

  Store("[MURVA32PRE]\r\nCalenSelBa=1\r\nCalenSelEx=0\r\n").LoadSetChoice(copy);
  EXPECT_EQ(copy.chosen_set, SettingsSet::kBasic);
  EXPECT_EQ(copy.shown_set, SettingsSet::kBasic);
  EXPECT_EQ(SettingsStore::SectionOf(copy), "Murva32V4");
}

TEST_F(SettingsLoadTest, SetChoiceOfARadioPair) {
  WorkingCopy copy;
  // Both true: the extended button is pressed last and stays down.
  Store("[MURVA32PRE]\r\nCalenSelBa=1\r\nCalenSelEx=1\r\n").LoadSetChoice(copy);
  EXPECT_EQ(copy.chosen_set, SettingsSet::kExtended);
  // Both false: no button is pressed, the one down stays down.
  Store("[MURVA32PRE]\r\nCalenSelBa=0\r\nCalenSelEx=0\r\n").LoadSetChoice(copy);
  EXPECT_EQ(copy.chosen_set, SettingsSet::kExtended);
  copy.chosen_set = SettingsSet::kBasic;
  Store("[MURVA32PRE]\r\nCalenSelBa=0\r\nCalenSelEx=0\r\n").LoadSetChoice(copy);
  EXPECT_EQ(copy.chosen_set, SettingsSet::kBasic);
}

TEST_F(SettingsLoadTest, SetChoiceWithoutItsSectionIsBasic) {
  WorkingCopy copy;
  copy.chosen_set = SettingsSet::kExtended;
  Store("[Murva32V4]\r\n").LoadSetChoice(copy);
  EXPECT_EQ(copy.chosen_set, SettingsSet::kBasic);
}

// --- General settings ----------------------------------------------------

TEST_F(SettingsLoadTest, SectionOfTheSetInUseMissingGivesEveryDefault) {
  SettingsStore store = Store("[Murva32V4Ext]\r\nCalendStyl=3\r\nCalMakeDay=2002/05/03\r\n");
  WorkingCopy copy;
  copy.calendar_style = 5;
  copy.titles[0].text = "old";
  RecordingHost host;
  EXPECT_FALSE(store.LoadGeneralSettings(copy, kToday, host));
  WorkingCopy defaults;
  EXPECT_EQ(copy.calendar_style, defaults.calendar_style);
  EXPECT_EQ(copy.titles[0].text, "");
  EXPECT_EQ(copy.weekday_pages, defaults.weekday_pages);
  EXPECT_EQ(copy.always_build, true);
  EXPECT_EQ(copy.stealth, true);
  EXPECT_EQ(copy.tile, true);
  EXPECT_EQ(copy.cut_weekday, true);
  EXPECT_EQ(copy.no_schedule_line, true);
  EXPECT_EQ(copy.date_font.name, "ＭＳ ゴシック");
  EXPECT_EQ(copy.date_font.size, 11);
  EXPECT_EQ(copy.date_font.style, 1);
  EXPECT_EQ(copy.schedule_font.size, 9);
  EXPECT_EQ(copy.titles[3].font.name, "ＭＳ Ｐゴシック");
  EXPECT_EQ(copy.titles[3].size_text, "20");
  EXPECT_EQ(copy.title_gaps, (std::array<int, 3>{30, 30, 30}));
  EXPECT_EQ(host.events, (std::vector<std::string>{"mode", "place 0,0"}));
}

TEST_F(SettingsLoadTest, EveryGeneralKeyReachesItsField) {
  SettingsStore store = Store(kFullBasicSet);
  WorkingCopy copy;
  RecordingHost host;
  EXPECT_TRUE(store.LoadGeneralSettings(copy, kToday, host));

  EXPECT_EQ(copy.calendar_style, 1);
  EXPECT_EQ(copy.month_label_style, 7);
  EXPECT_EQ(copy.weekday_label_style, 5);
  EXPECT_EQ(copy.today_mark, 2);
  EXPECT_EQ(copy.weekday_pages, (std::array<int, 7>{0, 1, 2, 3, 4, 5, 7}));
  EXPECT_EQ(copy.last_used_page, "3");
  EXPECT_EQ(copy.page_choice_mode, 1);
  EXPECT_EQ(copy.date_font.name, "ＭＳ 明朝");
  EXPECT_EQ(copy.date_font.size, 14);
  EXPECT_EQ(copy.date_font.style, kStyleBold | kStyleItalic);
  EXPECT_EQ(copy.schedule_font.name, "Arial");
  EXPECT_EQ(copy.schedule_font.size, 10);
  EXPECT_EQ(copy.schedule_font.style, kStyleUnderline);
  EXPECT_EQ(copy.output_folder, 1);
  EXPECT_EQ(copy.period, 2);
  EXPECT_EQ(copy.color_256, 1);
  EXPECT_EQ(copy.one_digit_adjust, -3);
  EXPECT_EQ(copy.delay_seconds, 5);
  EXPECT_EQ(copy.schedule_line_spacing, 7);
  EXPECT_FALSE(copy.always_build);
  EXPECT_TRUE(copy.text_3d);
  EXPECT_FALSE(copy.stealth);
  EXPECT_TRUE(copy.make_only);
  EXPECT_FALSE(copy.no_schedule_line);
  EXPECT_FALSE(copy.tile);
  EXPECT_TRUE(copy.monday_first);
  EXPECT_TRUE(copy.titles_on);
  EXPECT_EQ(copy.schedule_range, 5);
  EXPECT_EQ(copy.holiday_method, 1);
  EXPECT_EQ(copy.schedule_source, 2);
  EXPECT_TRUE(copy.cut_year);
  EXPECT_FALSE(copy.cut_weekday);
  EXPECT_EQ(copy.external_path, "C:\\SELBORI\\");
  EXPECT_EQ(copy.special_program, "C:\\表\\run.exe /x");
  EXPECT_TRUE(copy.use_special_program);
  EXPECT_EQ(copy.birthday, "80/02/12");
  EXPECT_EQ(copy.days_before, 3);
  EXPECT_EQ(copy.bitmap_folder, "C:\\壁紙");
  EXPECT_EQ(copy.title_y, 40);
  EXPECT_EQ(copy.title_x, 300);
  EXPECT_EQ(copy.title_gaps, (std::array<int, 3>{10, 20, 0}));
  EXPECT_EQ(copy.titles[0].font.name, "Arial");
  EXPECT_EQ(copy.titles[1].font.name, "ＭＳ ゴシック");
  EXPECT_EQ(copy.titles[2].font.name, "ＭＳ Ｐゴシック");
  EXPECT_EQ(copy.titles[0].size_text, "36");
  EXPECT_EQ(copy.titles[0].font.size, 36);
  EXPECT_EQ(copy.titles[1].size_text, "12");
  EXPECT_EQ(copy.titles[2].size_text, "20");
  EXPECT_EQ(copy.titles[0].font.style, kStyleBold);
  EXPECT_EQ(copy.titles[1].font.style, 0);
  EXPECT_EQ(copy.titles[2].font.style, kStyleStrikeOut);
  EXPECT_EQ(copy.titles[0].text, "  Hello");
  EXPECT_EQ(copy.titles[1].text, "$yyyy年$mm月");
  EXPECT_EQ(copy.titles[2].text, "   ");
  EXPECT_EQ(copy.titles[3].text, "");
  EXPECT_EQ(host.events, (std::vector<std::string>{"mode", "place 120,80"}));
}

TEST_F(SettingsLoadTest, GeneralSettingsLeavePagesAndGridsAlone) {
  SettingsStore store = Store(kFullBasicSet);
  WorkingCopy copy;
  copy.layout.month_spacing = 99;
  RecordingHost host;
  store.LoadGeneralSettings(copy, kToday, host);
  EXPECT_EQ(copy.layout.month_spacing, 99);
  EXPECT_EQ(copy.pages[2].path, "");
  EXPECT_TRUE(copy.holiday_grid[4].empty());
  EXPECT_EQ(copy.wallpaper_page, 1);
}

TEST_F(SettingsLoadTest, StepsRunInTheirOrder) {
  SettingsStore store = Store("[WALLPAPER]\r\nORGPATH=C:\\OLD\r\n" + kFullBasicSet);
  WorkingCopy copy;
  RecordingHost host(&copy);
  store.LoadGeneralSettings(copy, kToday, host);
  EXPECT_EQ(host.events, (std::vector<std::string>{"message", "mode", "place 120,80"}));
  // The mode indicator sees the mode but not yet the fonts and numbers.
  EXPECT_EQ(host.copy_at_mode.page_choice_mode, 1);
  EXPECT_EQ(host.copy_at_mode.last_used_page, "3");
  EXPECT_EQ(host.copy_at_mode.delay_seconds, 0);
  EXPECT_EQ(host.copy_at_mode.date_font.size, 11);
  // The window is placed after the background folder, before the titles.
  EXPECT_EQ(host.copy_at_place.bitmap_folder, "C:\\壁紙");
  EXPECT_EQ(host.copy_at_place.title_x, 0);
  EXPECT_EQ(host.copy_at_place.titles[0].text, "");
}

TEST_F(SettingsLoadTest, BuiltTodayComparesTheTextExactly) {
  WorkingCopy copy;
  RecordingHost host;
  SettingsStore store = Store("[Murva32V4]\r\nCalMakeDay=2002/05/03\r\n");
  EXPECT_TRUE(store.LoadGeneralSettings(copy, "2002/05/03", host));
  EXPECT_FALSE(store.LoadGeneralSettings(copy, "2002/05/04", host));
  EXPECT_FALSE(Store("[Murva32V4]\r\nCalMakeDay=2002/5/3\r\n").LoadGeneralSettings(copy, kToday, host));
  EXPECT_FALSE(Store("[Murva32V4]\r\nCalMakeDay=\r\n").LoadGeneralSettings(copy, kToday, host));
}

TEST_F(SettingsLoadTest, ExtendedSetReadsItsOwnSection) {
  SettingsStore store = Store(kFullBasicSet);
  WorkingCopy copy;
  copy.chosen_set = SettingsSet::kExtended;
  RecordingHost host;
  EXPECT_FALSE(store.LoadGeneralSettings(copy, kToday, host));
  EXPECT_EQ(copy.calendar_style, 6);
  EXPECT_EQ(copy.page_choice_mode, 2);
  EXPECT_EQ(copy.month_label_style, 1);  // not in the extended section
  EXPECT_FALSE(copy.titles_on);
}

TEST_F(SettingsLoadTest, BooleanValuesAsTheFileReadsThem) {
  WorkingCopy copy;
  RecordingHost host;
  Store("[Murva32V4]\r\nCalenAlWay=2\r\nCalendTile=yes\r\nCalendOnly=yes\r\nCalendHide=0\r\n")
      .LoadGeneralSettings(copy, kToday, host);
  EXPECT_TRUE(copy.always_build);  // 2 is true
  EXPECT_TRUE(copy.tile);          // yes gives the default, true
  EXPECT_FALSE(copy.make_only);    // yes gives the default, false
  EXPECT_FALSE(copy.stealth);
}

TEST_F(SettingsLoadTest, NumbersOutsideTheirRangeAreClamped) {
  WorkingCopy copy;
  RecordingHost host;
  Store("[Murva32V4]\r\nCalendDely=1000\r\nCalendAdjt=-50\r\nSchLineSpc=99\r\n"
        "TitlePosT2=-1\r\nTitlePosT3=500\r\nCalFntSize=0\r\nSchFntSize=5000\r\n"
        "CalFntStyl=255\r\nTiFntSize1=abc\r\nTiFntSize2=0\r\nTiFntSize3=0x10\r\n"
        "TitlePosiX=-5\r\n")
      .LoadGeneralSettings(copy, kToday, host);
  EXPECT_EQ(copy.delay_seconds, 600);
  EXPECT_EQ(copy.one_digit_adjust, -9);
  EXPECT_EQ(copy.schedule_line_spacing, 50);
  EXPECT_EQ(copy.title_gaps, (std::array<int, 3>{0, 400, 30}));
  EXPECT_EQ(copy.date_font.size, 1);
  EXPECT_EQ(copy.schedule_font.size, 1638);
  EXPECT_EQ(copy.date_font.style, 15);
  EXPECT_EQ(copy.titles[0].size_text, "20");
  EXPECT_EQ(copy.titles[0].font.size, 20);
  EXPECT_EQ(copy.titles[1].size_text, "1");
  EXPECT_EQ(copy.titles[2].size_text, "0x10");
  EXPECT_EQ(copy.titles[2].font.size, 16);
  EXPECT_EQ(copy.title_x, 0);
}

TEST_F(SettingsLoadTest, SelectionsThatNameNoEntryStayEmptyUntilInitControlState) {
  WorkingCopy copy;
  RecordingHost host;
  Store("[Murva32V4]\r\nCalendStyl=8\r\nCalendMnth=-1\r\nCalendWeek=99\r\nCalendTday=3\r\n"
        "CalendFold=2\r\nCalendPerd=7\r\nCalWallUse=4\r\nCalWall256=3\r\nCalSchedul=11\r\n"
        "BeforeWeek=6\r\nCalenWeek4=8\r\nUseSelbori=3\r\nCalHoliSel=2\r\n")
      .LoadGeneralSettings(copy, kToday, host);
  for (int value : {copy.calendar_style, copy.month_label_style, copy.weekday_label_style,
                    copy.today_mark, copy.output_folder, copy.period, copy.page_choice_mode,
                    copy.color_256, copy.schedule_range, copy.days_before, copy.weekday_pages[3],
                    copy.schedule_source, copy.holiday_method}) {
    EXPECT_EQ(value, kNoSelection);
  }
  SettingsStore::InitControlState(copy, 1024, 768);
  EXPECT_EQ(copy.calendar_style, 0);
  EXPECT_EQ(copy.month_label_style, 1);
  EXPECT_EQ(copy.weekday_label_style, 1);
  EXPECT_EQ(copy.today_mark, 1);
  EXPECT_EQ(copy.output_folder, 0);
  EXPECT_EQ(copy.period, 0);
  EXPECT_EQ(copy.page_choice_mode, 0);
  EXPECT_EQ(copy.color_256, 0);
  EXPECT_EQ(copy.schedule_range, 0);
  EXPECT_EQ(copy.days_before, 0);
  EXPECT_EQ(copy.weekday_pages[3], 0);
  EXPECT_EQ(copy.schedule_source, 0);
  EXPECT_EQ(copy.holiday_method, 0);
}

// --- The old-version check -----------------------------------------------

TEST_F(SettingsLoadTest, OldVersionFileWarnsOnceAndLoadingGoesOn) {
  for (const std::string& legacy : {std::string("[WALLPAPER]\r\nORGPATH=C:\\WIN\r\n"),
                                    std::string("[MURVA32]\r\norgpath=x\r\n"),
                                    std::string("[WALLPAPER]\r\nORGPATH=a\r\n[MURVA32]\r\nORGPATH=b\r\n")}) {
    WorkingCopy copy;
    RecordingHost host;
    Store(legacy + "[Murva32V4]\r\nCalendStyl=2\r\n").LoadGeneralSettings(copy, kToday, host);
    ASSERT_EQ(host.messages.size(), 1u) << legacy;
    EXPECT_EQ(host.messages[0],
              "★警告★ 旧バージョン［Ver 3.51以前］の設定保存ファイル（MURVA32.INI）があります．"
              "このファイルは Ver 4とは互換性がありませんので削除またはリネームしてから "
              "再度ＭＵＲＶＡ３２を起動してください．");
    EXPECT_EQ(copy.calendar_style, 2);
  }
}

TEST_F(SettingsLoadTest, EmptyOrgPathIsNoOldVersion) {
  WorkingCopy copy;
  RecordingHost host;
  Store("[WALLPAPER]\r\nORGPATH=\r\nOTHER=1\r\n[MURVA32]\r\nORGPATH=   \r\n")
      .LoadGeneralSettings(copy, kToday, host);
  EXPECT_TRUE(host.messages.empty());
}

// --- Page settings -------------------------------------------------------

TEST_F(SettingsLoadTest, PageSettingsOfTheShownPage) {
  SettingsStore store = Store(kFullBasicSet);
  WorkingCopy copy;
  copy.wallpaper_page = 3;
  store.LoadPageSettings(copy);
  EXPECT_EQ(copy.layout.month_spacing, 40);
  EXPECT_EQ(copy.layout.line_spacing, 25);
  EXPECT_EQ(copy.layout.day_spacing, 7);
  EXPECT_EQ(copy.layout.calendar_x, 100);  // 0x64
  EXPECT_EQ(copy.layout.calendar_y, 200);
  EXPECT_EQ(copy.layout.schedule_x, 300);
  EXPECT_EQ(copy.layout.schedule_y, 400);
  const PageValues& page = copy.pages[2];
  EXPECT_EQ(page.shadow, 12632256u);
  EXPECT_EQ(page.schedule, 1u);
  EXPECT_EQ(page.today, 2u);
  EXPECT_EQ(page.weekday, 3u);
  EXPECT_EQ(page.saturday, 4u);
  EXPECT_EQ(page.sunday, 5u);
  EXPECT_EQ(page.holiday, 6u);
  EXPECT_EQ(page.special, 7u);
  EXPECT_EQ(page.title, 8u);
  EXPECT_EQ(page.path, "C:\\壁紙\\sea.jpg");
  EXPECT_EQ(page.orientation, "横→縦");
  EXPECT_FALSE(page.IsVertical());
  // Other pages keep what they had.
  EXPECT_EQ(copy.pages[0].path, "");
  EXPECT_TRUE(copy.pages[0].IsVertical());
}

TEST_F(SettingsLoadTest, UnstoredPageGetsTheDefaults) {
  SettingsStore store = Store(kFullBasicSet);
  WorkingCopy copy;
  copy.wallpaper_page = 3;
  store.LoadPageSettings(copy);
  copy.wallpaper_page = 4;
  copy.pages[3].sunday = 1;
  copy.pages[3].orientation = kHorizontalCaption;
  store.LoadPageSettings(copy);
  EXPECT_EQ(copy.layout.month_spacing, 30);
  EXPECT_EQ(copy.layout.calendar_x, 0);
  EXPECT_EQ(copy.pages[3].sunday, 0x0000FFu);
  EXPECT_EQ(copy.pages[3].orientation, "縦→横");
}

TEST_F(SettingsLoadTest, PageLayoutIsClampedToItsRanges) {
  WorkingCopy copy;
  copy.wallpaper_page = 2;
  Store("[Murva32V4]\r\nCalenBlok2=500\r\nCalenLine2=-1\r\nCalenDays2=51\r\nCalendWX12=-20\r\n"
        "CalendWY12=1900\r\nColorsSun2=-1\r\nColorsSat2=0x1000000\r\n")
      .LoadPageSettings(copy);
  EXPECT_EQ(copy.layout.month_spacing, 200);
  EXPECT_EQ(copy.layout.line_spacing, 0);
  EXPECT_EQ(copy.layout.day_spacing, 50);
  EXPECT_EQ(copy.layout.calendar_x, 0);
  EXPECT_EQ(copy.layout.calendar_y, 1900);  // screens are larger than 1200 now
  EXPECT_EQ(copy.pages[1].sunday, kDefaultSundayColor);
  EXPECT_EQ(copy.pages[1].saturday, kDefaultSaturdayColor);
}

TEST_F(SettingsLoadTest, PageNumberThatNamesNoPageMeansPageOne) {
  WorkingCopy copy;
  copy.wallpaper_page = 9;
  Store("[Murva32V4]\r\nEditPathW1=/pics/one.bmp\r\n").LoadPageSettings(copy);
  EXPECT_EQ(copy.wallpaper_page, 1);
  EXPECT_EQ(copy.pages[0].path, "/pics/one.bmp");
}

TEST_F(SettingsLoadTest, StoredLayoutOfAnotherPage) {
  SettingsStore store = Store(kFullBasicSet);
  WorkingCopy copy;
  copy.layout.calendar_x = 5;
  PageLayout stored = store.ReadStoredLayoutOfPage(copy, 3);
  EXPECT_EQ(stored.calendar_x, 100);
  EXPECT_EQ(stored.schedule_y, 400);
  EXPECT_EQ(copy.layout.calendar_x, 5);
  EXPECT_EQ(store.ReadStoredLayoutOfPage(copy, 1).month_spacing, 30);
  copy.chosen_set = SettingsSet::kExtended;
  EXPECT_EQ(store.ReadStoredLayoutOfPage(copy, 3).calendar_x, 7);
  EXPECT_THROW(store.ReadStoredLayoutOfPage(copy, 0), std::out_of_range);
}

// --- Day grids -----------------------------------------------------------

TEST_F(SettingsLoadTest, DayGridsTakeTheListsOfTheTwelveMonths) {
  SettingsStore store = Store(kFullBasicSet);
  WorkingCopy copy;
  copy.special_grid[6] = {"9"};
  store.LoadDayGrids(copy);
  EXPECT_EQ(copy.holiday_grid[4], (std::vector<std::string>{"3", "4"}));
  EXPECT_EQ(copy.holiday_grid[11], (std::vector<std::string>{"23"}));
  EXPECT_EQ(copy.special_grid[0], (std::vector<std::string>{"1", "02", "x", ""}));
  EXPECT_TRUE(copy.special_grid[6].empty());
  EXPECT_TRUE(copy.holiday_grid[0].empty());
  EXPECT_EQ(copy.holiday_method, 1);
}

TEST_F(SettingsLoadTest, DayGridsWithoutAFileAreEmpty) {
  SettingsStore store(folder_.File("MURVA32.INI"));
  WorkingCopy copy;
  copy.holiday_grid[0] = {"1"};
  copy.holiday_method = 1;
  store.LoadDayGrids(copy);
  EXPECT_TRUE(copy.holiday_grid[0].empty());
  EXPECT_EQ(copy.holiday_method, 0);
  EXPECT_FALSE(std::filesystem::exists(folder_.File("MURVA32.INI")));
}

TEST_F(SettingsLoadTest, HolidayMethodThatNamesNoEntryKeepsTheBuiltInRules) {
  WorkingCopy copy;
  Store("[Murva32V4]\r\nCalHoliSel=5\r\n").LoadDayGrids(copy);
  EXPECT_EQ(copy.holiday_method, 0);
}

// --- Tabs and the initial state -------------------------------------------

TEST_F(SettingsLoadTest, PanelPagesShowTheStoredTabs) {
  WorkingCopy copy;
  Store(kFullBasicSet).RestorePanelPages(copy);
  EXPECT_EQ(copy.wallpaper_page, 3);
  EXPECT_EQ(copy.settings_page, 4);
}

TEST_F(SettingsLoadTest, TabNumberThatNamesNoTabLeavesTheTabShown) {
  WorkingCopy copy;
  copy.wallpaper_page = 2;
  copy.settings_page = 3;
  Store("[Murva32V4]\r\nCalWalNumb=9\r\nCalSetNumb=0\r\n").RestorePanelPages(copy);
  EXPECT_EQ(copy.wallpaper_page, 2);
  EXPECT_EQ(copy.settings_page, 3);
  Store("[Murva32V4]\r\nCalWalNumb=8\r\nCalSetNumb=5\r\n").RestorePanelPages(copy);
  EXPECT_EQ(copy.wallpaper_page, 8);
  EXPECT_EQ(copy.settings_page, 5);
}

TEST_F(SettingsLoadTest, PanelPagesWithoutAFileShowTheFirstTabs) {
  WorkingCopy copy;
  SettingsStore(folder_.File("none.ini")).RestorePanelPages(copy);
  EXPECT_EQ(copy.wallpaper_page, 1);
  EXPECT_EQ(copy.settings_page, 1);
}

TEST(InitControlState, ResetsLayoutAndSaveButtonsAndKeepsTitlesOnScreen) {
  WorkingCopy copy;
  copy.layout = PageLayout{1, 2, 3, 4, 5, 6, 7, {}};
  copy.convenience_save_enabled = copy.holiday_save_enabled = true;
  copy.special_save_enabled = copy.schedule_save_enabled = true;
  copy.title_x = 1500;
  copy.title_y = 900;
  copy.calendar_style = 4;
  SettingsStore::InitControlState(copy, 1024, 768);
  EXPECT_EQ(copy.layout.month_spacing, 30);
  EXPECT_EQ(copy.layout.line_spacing, 20);
  EXPECT_EQ(copy.layout.day_spacing, 5);
  EXPECT_EQ(copy.layout.calendar_x, 0);
  EXPECT_EQ(copy.layout.schedule_y, 0);
  EXPECT_FALSE(copy.convenience_save_enabled);
  EXPECT_FALSE(copy.holiday_save_enabled);
  EXPECT_FALSE(copy.special_save_enabled);
  EXPECT_FALSE(copy.schedule_save_enabled);
  EXPECT_EQ(copy.title_x, 1024);
  EXPECT_EQ(copy.title_y, 768);
  EXPECT_EQ(copy.calendar_style, 4);  // a real choice stays
}

// --- A file written on Windows ---------------------------------------------

TEST_F(SettingsLoadTest, LoadingNeverChangesTheFile) {
  SettingsStore store = Store(kFullBasicSet);
  WorkingCopy copy;
  RecordingHost host;
  store.LoadSetChoice(copy);
  store.LoadGeneralSettings(copy, kToday, host);
  store.LoadPageSettings(copy);
  store.LoadDayGrids(copy);
  store.RestorePanelPages(copy);
  (void)store.ReadRecord(copy, "CalWalUsed");
  EXPECT_EQ(ReadBytes(folder_.File("MURVA32.INI")), kFullBasicSet);
}

}  // namespace
}  // namespace murva
