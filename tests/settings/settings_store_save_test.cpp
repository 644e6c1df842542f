#include <gtest/gtest.h>

#include "settings/settings_store.h"
#include "settings/settings_test_support.h"

namespace murva {
namespace {

using testing::Concat;
using testing::FileSizeLimit;
using testing::KeysInOrder;
using testing::Numbered;
using testing::ReadBytes;
using testing::RecordingHost;
using testing::TempFolder;
using testing::ValueMap;
using testing::WriteBytes;

using Keys = std::vector<std::string>;

constexpr const char* kToday = "2002/05/03";

class SettingsSaveTest : public ::testing::Test {
 protected:
  std::filesystem::path Ini() const { return folder_.File("MURVA32.INI"); }
  SettingsStore Store() const { return SettingsStore(Ini()); }
  std::string Bytes() const { return ReadBytes(Ini()); }

  TempFolder folder_;
};

// A working copy in which every saved value differs from its default.
WorkingCopy EditedCopy() {
  WorkingCopy copy;
  copy.wallpaper_page = 5;
  copy.settings_page = 2;
  copy.page_choice_mode = 3;
  copy.weekday_pages = {7, 6, 5, 4, 3, 2, 1};
  copy.delay_seconds = 12;
  copy.always_build = false;
  copy.stealth = false;
  copy.make_only = true;
  copy.tile = false;
  copy.color_256 = 2;
  copy.output_folder = 1;
  copy.use_special_program = true;
  copy.special_program = "/usr/bin/notify-send 特別日";
  copy.calendar_style = 7;
  copy.month_label_style = 10;
  copy.weekday_label_style = 7;
  copy.today_mark = 0;
  copy.period = 6;
  copy.one_digit_adjust = -9;
  copy.monday_first = true;
  copy.text_3d = true;
  copy.date_font = {"IPAGothic", 16, kStyleItalic};
  copy.birthday = "80/02/12";
  copy.titles_on = true;
  copy.title_x = 640;
  copy.title_y = 12;
  copy.title_gaps = {1, 2, 400};
  copy.titles[0] = {{"ＭＳ 明朝", 24, kStyleBold}, "24", "  Hello"};
  copy.titles[1] = {{"Arial", 8, 0}, "8", "   "};
  copy.titles[2] = {{"IPAPMincho", 20, kStyleUnderline}, "20", "今日は$yyyy年$mm月$dd日"};
  copy.titles[3] = {{"x", 30, 0}, "30", ""};
  copy.schedule_range = 10;
  copy.days_before = 5;
  copy.schedule_line_spacing = -9;
  copy.no_schedule_line = false;
  copy.cut_year = true;
  copy.cut_weekday = false;
  copy.schedule_source = 2;
  copy.external_path = "/home/me/selbori";
  copy.schedule_font = {"IPAMincho", 12, kStyleStrikeOut};
  copy.holiday_method = 1;
  copy.holiday_grid[4] = {"3", "4", "5"};
  copy.holiday_grid[0] = {"", "05", "x", "32", "15"};
  copy.special_grid[11] = {"24", "25"};
  copy.layout = PageLayout{200, 50, 0, 1920, 1080, 10, 20, {}};
  PageValues& page = copy.pages[4];
  page.path = "/home/me/壁紙/sea.png";
  page.orientation = kHorizontalCaption;
  page.shadow = 0xC0C0C0;
  page.schedule = 1;
  page.today = 2;
  page.weekday = 3;
  page.saturday = 4;
  page.sunday = 5;
  page.holiday = 6;
  page.special = 7;
  page.title = 8;
  return copy;
}

// --- Keys and their order --------------------------------------------------

TEST_F(SettingsSaveTest, BasicSettingsWithTitlesOn) {
  WorkingCopy copy = EditedCopy();
  Store().SaveBasicSettings(copy, kToday);
  EXPECT_EQ(KeysInOrder(Bytes(), "Murva32V4"),
            Concat({{"CalendAdjt", "CalendStyl", "CalendMnth", "CalendWeek", "CalendTday",
                     "CalWalNumb", "CalSetNumb", "CalendFold", "CalendPerd", "CalenTitle",
                     "CalRokuyou", "CalSekki24", "CalFntName", "CalFntSize", "CalFntStyl", "SchFntName", "SchFntSize",
                     "SchFntStyl", "TitlePosiY", "TitlePosiX"},
                    Numbered("TitlePosT", 2, 4),
                    Numbered("TiFntName", 1, 4),
                    Numbered("TiFntSize", 1, 4),
                    Numbered("TiFntStyl", 1, 4),
                    Numbered("TitleText", 1, 4),
                    {"CalMakeDay"}}));
  auto values = ValueMap(Bytes(), "Murva32V4");
  EXPECT_EQ(values["CalendAdjt"], "-9");
  EXPECT_EQ(values["CalWalNumb"], "5");
  EXPECT_EQ(values["CalSetNumb"], "2");
  EXPECT_EQ(values["CalenTitle"], "1");
  EXPECT_EQ(values["CalFntName"], "IPAGothic");
  EXPECT_EQ(values["CalFntStyl"], "2");
  EXPECT_EQ(values["TitlePosT4"], "400");
  EXPECT_EQ(values["TiFntName1"], "\x82\x6c\x82\x72 \x96\xbe\x92\xa9");
  EXPECT_EQ(values["TiFntSize1"], "24");
  EXPECT_EQ(values["TitleText1"], "002Hello");
  EXPECT_EQ(values["TitleText2"], "003");
  EXPECT_EQ(values["TitleText4"], "");
  EXPECT_EQ(values["CalMakeDay"], "2002/05/03");
}

// A save without a build (the question when the window closes) leaves the
// day of the last build as it was, so that the next automatic run still builds.
TEST_F(SettingsSaveTest, BasicSettingsWithoutABuildKeepTheDayOfTheLastBuild) {
  WriteBytes(Ini(), "[Murva32V4]\r\nCalMakeDay=2002/05/01\r\n");
  Store().SaveBasicSettings(EditedCopy(), "");
  auto values = ValueMap(Bytes(), "Murva32V4");
  EXPECT_EQ(values["CalMakeDay"], "2002/05/01");
  EXPECT_EQ(values["CalendAdjt"], "-9");
}

TEST_F(SettingsSaveTest, BasicSettingsWithTitlesOffLeaveTheTitleKeysAsTheyWere) {
  const std::string before =
      "[Murva32V4]\r\nTitlePosiX=77\r\nTitleText1=001x\r\nTiFntName2=Old\r\n";
  WriteBytes(Ini(), before);
  WorkingCopy copy = EditedCopy();
  copy.titles_on = false;
  Store().SaveBasicSettings(copy, kToday);
  EXPECT_EQ(KeysInOrder(Bytes(), "Murva32V4"),
            (Keys{"TitlePosiX", "TitleText1", "TiFntName2", "CalendAdjt", "CalendStyl",
                  "CalendMnth", "CalendWeek", "CalendTday", "CalWalNumb", "CalSetNumb",
                  "CalendFold", "CalendPerd", "CalenTitle", "CalRokuyou", "CalSekki24",
                  "CalFntName", "CalFntSize",
                  "CalFntStyl", "SchFntName", "SchFntSize", "SchFntStyl", "CalMakeDay"}));
  auto values = ValueMap(Bytes(), "Murva32V4");
  EXPECT_EQ(values["TitlePosiX"], "77");
  EXPECT_EQ(values["TitleText1"], "001x");
  EXPECT_EQ(values["CalenTitle"], "0");
  EXPECT_EQ(Bytes().substr(0, before.size()), before);
}

TEST_F(SettingsSaveTest, PageSettingsOfTheShownPage) {
  WorkingCopy copy = EditedCopy();
  Store().SavePageSettings(copy);
  EXPECT_EQ(KeysInOrder(Bytes(), "Murva32V4"),
            (Keys{"CalenBlok5", "CalenLine5", "CalenDays5", "CalendWX15", "CalendWY15",
                  "SchdulWX15", "SchdulWY15", "Colors3DF5", "ColorsSch5", "ColorsTdy5",
                  "ColorsWek5", "ColorsSat5", "ColorsSun5", "ColorsHol5", "ColorsSpc5",
                  "ColorsStr5", "EditPathW5", "CalenChHV5"}));
  auto values = ValueMap(Bytes(), "Murva32V4");
  EXPECT_EQ(values["CalendWX15"], "1920");
  EXPECT_EQ(values["Colors3DF5"], "12632256");
  EXPECT_EQ(values["ColorsStr5"], "8");
  EXPECT_EQ(values["EditPathW5"], "/home/me/\x95\xc7\x8e\x86/sea.png");
  EXPECT_EQ(values["CalenChHV5"], "\x89\xa1\x81\xa8\x8f\x63");
}

TEST_F(SettingsSaveTest, ConveniencePage) {
  WorkingCopy copy = EditedCopy();
  copy.convenience_save_enabled = true;
  copy.holiday_save_enabled = true;
  Store().SaveConveniencePage(copy);
  EXPECT_EQ(KeysInOrder(Bytes(), "Murva32V4"),
            Concat({{"CalWallUse", "CalWall256", "CalenAlWay", "Calen3DFnt", "CalendHide",
                     "CalendOnly", "CalendTdyS", "CalendTile", "CalSunMode", "CalendDely"},
                    Numbered("CalenWeek", 1, 7),
                    {"CalAutoRun", "CalWatchOn", "CalPreview", "CalFitScal"}}));
  auto values = ValueMap(Bytes(), "Murva32V4");
  EXPECT_EQ(values["CalWallUse"], "3");
  EXPECT_EQ(values["CalenAlWay"], "0");
  EXPECT_EQ(values["Calen3DFnt"], "1");
  EXPECT_EQ(values["CalendDely"], "12");
  EXPECT_EQ(values["CalenWeek1"], "7");
  EXPECT_EQ(values["CalenWeek7"], "1");
  EXPECT_FALSE(copy.convenience_save_enabled);

  // Monitors with a page of their own follow; emptied ones are written empty.
  copy.monitor_pages = {{"eDP-1", 2}, {"HDMI-A-1", 8}};
  Store().SaveConveniencePage(copy);
  copy.monitor_pages = {{"HDMI-A-1", 3}};
  Store().SaveConveniencePage(copy);
  values = ValueMap(Bytes(), "Murva32V4");
  EXPECT_EQ(values["MonitNam1"], "HDMI-A-1");
  EXPECT_EQ(values["MonitPag1"], "3");
  EXPECT_EQ(values["MonitNam2"], "");
  EXPECT_EQ(values["MonitPag2"], "0");
  EXPECT_EQ(values.count("MonitNam3"), 0u);
  WorkingCopy loaded;
  RecordingHost host;
  Store().LoadGeneralSettings(loaded, "2026/01/01", host);
  EXPECT_EQ(loaded.monitor_pages, (std::vector<MonitorPageChoice>{{"HDMI-A-1", 3}}));
  EXPECT_EQ(loaded.fit_text_to_scale, copy.fit_text_to_scale);
  EXPECT_TRUE(copy.holiday_save_enabled);  // another page's button
}

TEST_F(SettingsSaveTest, HolidayPage) {
  WorkingCopy copy = EditedCopy();
  copy.holiday_save_enabled = true;
  Store().SaveHolidayPage(copy);
  std::vector<std::string> hol, spc;
  for (int month = 1; month <= 12; ++month) {
    char name[16];
    std::snprintf(name, sizeof name, "CalenHol%02d", month);
    hol.push_back(name);
    std::snprintf(name, sizeof name, "CalenSpc%02d", month);
    spc.push_back(name);
  }
  EXPECT_EQ(KeysInOrder(Bytes(), "Murva32V4"), Concat({hol, spc, {"CalHoliSel"}}));
  auto values = ValueMap(Bytes(), "Murva32V4");
  EXPECT_EQ(values["CalenHol01"], "05/15/");
  EXPECT_EQ(values["CalenHol05"], "3/4/5/");
  EXPECT_EQ(values["CalenHol06"], "");
  EXPECT_EQ(values["CalenSpc12"], "24/25/");
  EXPECT_EQ(values["CalHoliSel"], "1");
  EXPECT_FALSE(copy.holiday_save_enabled);
}

TEST_F(SettingsSaveTest, SpecialPage) {
  WorkingCopy copy = EditedCopy();
  copy.special_save_enabled = true;
  Store().SaveSpecialPage(copy);
  EXPECT_EQ(KeysInOrder(Bytes(), "Murva32V4"), (Keys{"UseSpclPro", "SpecialPro", "MyBirthday"}));
  auto values = ValueMap(Bytes(), "Murva32V4");
  EXPECT_EQ(values["UseSpclPro"], "1");
  EXPECT_EQ(values["SpecialPro"], "/usr/bin/notify-send \x93\xc1\x95\xca\x93\xfa");
  EXPECT_EQ(values["MyBirthday"], "80/02/12");
  EXPECT_FALSE(copy.special_save_enabled);
}

TEST_F(SettingsSaveTest, SchedulePanel) {
  WorkingCopy copy = EditedCopy();
  copy.schedule_save_enabled = true;
  Store().SaveSchedulePanel(copy);
  EXPECT_EQ(KeysInOrder(Bytes(), "Murva32V4"),
            (Keys{"SelborPath", "UseSelbori", "CalSchedul", "SchLineSpc", "CutYearDsp",
                  "CutWeekDsp", "BeforeWeek"}));
  auto values = ValueMap(Bytes(), "Murva32V4");
  EXPECT_EQ(values["SchLineSpc"], "-9");
  EXPECT_EQ(values["CutWeekDsp"], "0");
  EXPECT_EQ(values["BeforeWeek"], "5");
  EXPECT_FALSE(copy.schedule_save_enabled);
}

TEST_F(SettingsSaveTest, WindowPosition) {
  WorkingCopy copy;
  EXPECT_TRUE(Store().SaveWindowPosition(copy, -4, 250));
  EXPECT_EQ(KeysInOrder(Bytes(), "Murva32V4"), (Keys{"FormPositX", "FormPositY"}));
  auto values = ValueMap(Bytes(), "Murva32V4");
  EXPECT_EQ(values["FormPositX"], "-4");
  EXPECT_EQ(values["FormPositY"], "250");
}

TEST_F(SettingsSaveTest, WindowPositionFailureIsQuiet) {
  WriteBytes(folder_.File("plain"), "x");
  SettingsStore store(folder_.File("plain") / "MURVA32.INI");
  WorkingCopy copy;
  EXPECT_FALSE(store.SaveWindowPosition(copy, 1, 2));
}

TEST_F(SettingsSaveTest, SavesGoToTheSectionOfTheChosenSet) {
  WriteBytes(Ini(), "[Murva32V4]\r\nCalendDely=3\r\n");
  WorkingCopy copy = EditedCopy();
  copy.chosen_set = SettingsSet::kExtended;
  Store().SaveConveniencePage(copy);
  EXPECT_EQ(ValueMap(Bytes(), "Murva32V4")["CalendDely"], "3");
  EXPECT_EQ(ValueMap(Bytes(), "Murva32V4Ext")["CalendDely"], "12");
}

// --- Records ---------------------------------------------------------------

TEST_F(SettingsSaveTest, RecordsAreSingleKeysOfTheCurrentSet) {
  WorkingCopy copy;
  SettingsStore store = Store();
  EXPECT_EQ(store.ReadRecord(copy, "CalWalUsed"), "");
  EXPECT_EQ(store.ReadRecordInt(copy, "CalWalLast", 1), 1);
  store.WriteRecord(copy, "CalWalUsed", "3");
  store.WriteRecord(copy, "CalWalLast", "6");
  store.WriteRecord(copy, "BmpInitFld", "/home/me/壁紙");
  EXPECT_EQ(store.ReadRecord(copy, "calwalused"), "3");
  EXPECT_EQ(store.ReadRecordInt(copy, "CalWalLast", 1), 6);
  EXPECT_EQ(store.ReadRecord(copy, "BmpInitFld"), "/home/me/壁紙");
  copy.chosen_set = SettingsSet::kExtended;
  EXPECT_EQ(store.ReadRecord(copy, "CalWalUsed"), "");
  EXPECT_EQ(Bytes(), "[Murva32V4]\r\nCalWalUsed=3\r\nCalWalLast=6\r\nBmpInitFld=/home/me/\x95\xc7\x8e\x86\r\n");
}

// --- Failures ----------------------------------------------------------------

TEST_F(SettingsSaveTest, FailedSaveKeepsTheFileAndTheSaveButton) {
  const std::string before = "[Murva32V4]\r\nCalWallUse=1\r\n";
  WriteBytes(Ini(), before);
  WorkingCopy copy = EditedCopy();
  copy.convenience_save_enabled = true;
  {
    FileSizeLimit limit(before.size() + 10);
    EXPECT_THROW(Store().SaveConveniencePage(copy), SettingsWriteError);
  }
  EXPECT_EQ(Bytes(), before);
  EXPECT_TRUE(copy.convenience_save_enabled);
}

TEST_F(SettingsSaveTest, FailedSaveNamesTheFile) {
  WriteBytes(folder_.File("plain"), "x");
  const std::filesystem::path bad = folder_.File("plain") / "MURVA32.INI";
  WorkingCopy copy;
  try {
    SettingsStore(bad).SaveBasicSettings(copy, kToday);
    FAIL() << "no error";
  } catch (const SettingsWriteError& error) {
    EXPECT_EQ(std::string(error.what()), bad.string() + " に書き込めません");
  }
}

// --- Round trips ---------------------------------------------------------------

TEST_F(SettingsSaveTest, WhatIsSavedLoadsBack) {
  WorkingCopy saved = EditedCopy();
  SettingsStore store = Store();
  store.SaveBasicSettings(saved, kToday);
  store.SavePageSettings(saved);
  store.SaveConveniencePage(saved);
  store.SaveHolidayPage(saved);
  store.SaveSpecialPage(saved);
  store.SaveSchedulePanel(saved);

  WorkingCopy loaded;
  RecordingHost host;
  EXPECT_TRUE(store.LoadGeneralSettings(loaded, kToday, host));
  store.RestorePanelPages(loaded);
  store.LoadPageSettings(loaded);
  store.LoadDayGrids(loaded);

  EXPECT_EQ(loaded.wallpaper_page, 5);
  EXPECT_EQ(loaded.settings_page, 2);
  EXPECT_EQ(loaded.page_choice_mode, saved.page_choice_mode);
  EXPECT_EQ(loaded.weekday_pages, saved.weekday_pages);
  EXPECT_EQ(loaded.delay_seconds, saved.delay_seconds);
  EXPECT_EQ(loaded.always_build, saved.always_build);
  EXPECT_EQ(loaded.stealth, saved.stealth);
  EXPECT_EQ(loaded.make_only, saved.make_only);
  EXPECT_EQ(loaded.tile, saved.tile);
  EXPECT_EQ(loaded.color_256, saved.color_256);
  EXPECT_EQ(loaded.output_folder, saved.output_folder);
  EXPECT_EQ(loaded.use_special_program, saved.use_special_program);
  EXPECT_EQ(loaded.special_program, saved.special_program);
  EXPECT_EQ(loaded.calendar_style, saved.calendar_style);
  EXPECT_EQ(loaded.month_label_style, saved.month_label_style);
  EXPECT_EQ(loaded.weekday_label_style, saved.weekday_label_style);
  EXPECT_EQ(loaded.today_mark, saved.today_mark);
  EXPECT_EQ(loaded.period, saved.period);
  EXPECT_EQ(loaded.one_digit_adjust, saved.one_digit_adjust);
  EXPECT_EQ(loaded.monday_first, saved.monday_first);
  EXPECT_EQ(loaded.text_3d, saved.text_3d);
  EXPECT_EQ(loaded.date_font.name, saved.date_font.name);
  EXPECT_EQ(loaded.date_font.size, saved.date_font.size);
  EXPECT_EQ(loaded.date_font.style, saved.date_font.style);
  EXPECT_EQ(loaded.birthday, saved.birthday);
  EXPECT_EQ(loaded.titles_on, saved.titles_on);
  EXPECT_EQ(loaded.title_x, saved.title_x);
  EXPECT_EQ(loaded.title_y, saved.title_y);
  EXPECT_EQ(loaded.title_gaps, saved.title_gaps);
  for (int i = 0; i < kTitleLineCount; ++i) {
    EXPECT_EQ(loaded.titles[i].font.name, saved.titles[i].font.name) << i;
    EXPECT_EQ(loaded.titles[i].font.size, saved.titles[i].font.size) << i;
    EXPECT_EQ(loaded.titles[i].font.style, saved.titles[i].font.style) << i;
    EXPECT_EQ(loaded.titles[i].size_text, saved.titles[i].size_text) << i;
    EXPECT_EQ(loaded.titles[i].text, saved.titles[i].text) << i;
  }
  EXPECT_EQ(loaded.schedule_range, saved.schedule_range);
  EXPECT_EQ(loaded.days_before, saved.days_before);
  EXPECT_EQ(loaded.schedule_line_spacing, saved.schedule_line_spacing);
  EXPECT_EQ(loaded.no_schedule_line, saved.no_schedule_line);
  EXPECT_EQ(loaded.cut_year, saved.cut_year);
  EXPECT_EQ(loaded.cut_weekday, saved.cut_weekday);
  EXPECT_EQ(loaded.schedule_source, saved.schedule_source);
  EXPECT_EQ(loaded.external_path, saved.external_path);
  EXPECT_EQ(loaded.schedule_font.name, saved.schedule_font.name);
  EXPECT_EQ(loaded.schedule_font.size, saved.schedule_font.size);
  EXPECT_EQ(loaded.schedule_font.style, saved.schedule_font.style);
  EXPECT_EQ(loaded.holiday_method, saved.holiday_method);
  EXPECT_EQ(loaded.holiday_grid[4], (std::vector<std::string>{"3", "4", "5"}));
  EXPECT_EQ(loaded.holiday_grid[0], (std::vector<std::string>{"05", "15"}));
  EXPECT_EQ(loaded.special_grid[11], saved.special_grid[11]);
  EXPECT_EQ(loaded.layout.month_spacing, saved.layout.month_spacing);
  EXPECT_EQ(loaded.layout.line_spacing, saved.layout.line_spacing);
  EXPECT_EQ(loaded.layout.day_spacing, saved.layout.day_spacing);
  EXPECT_EQ(loaded.layout.calendar_x, saved.layout.calendar_x);
  EXPECT_EQ(loaded.layout.calendar_y, saved.layout.calendar_y);
  EXPECT_EQ(loaded.layout.schedule_x, saved.layout.schedule_x);
  EXPECT_EQ(loaded.layout.schedule_y, saved.layout.schedule_y);
  const PageValues& a = loaded.pages[4];
  const PageValues& b = saved.pages[4];
  EXPECT_EQ(a.path, b.path);
  EXPECT_EQ(a.orientation, b.orientation);
  EXPECT_EQ(a.shadow, b.shadow);
  EXPECT_EQ(a.schedule, b.schedule);
  EXPECT_EQ(a.today, b.today);
  EXPECT_EQ(a.weekday, b.weekday);
  EXPECT_EQ(a.saturday, b.saturday);
  EXPECT_EQ(a.sunday, b.sunday);
  EXPECT_EQ(a.holiday, b.holiday);
  EXPECT_EQ(a.special, b.special);
  EXPECT_EQ(a.title, b.title);
}

TEST_F(SettingsSaveTest, UnsavedPageChangesAreLostWhenThePageIsShownAgain) {
  WorkingCopy copy = EditedCopy();
  SettingsStore store = Store();
  store.SavePageSettings(copy);           // page 5 stored
  copy.layout.calendar_x = 3;             // edited, not saved
  copy.pages[4].sunday = 0x123456;
  copy.wallpaper_page = 2;                // another tab
  store.LoadPageSettings(copy);
  copy.wallpaper_page = 5;                // back again
  store.LoadPageSettings(copy);
  EXPECT_EQ(copy.layout.calendar_x, 1920);
  EXPECT_EQ(copy.pages[4].sunday, 5u);
}

TEST_F(SettingsSaveTest, SavingIntoAWindowsFileChangesOnlyTheWrittenLines) {
  const std::string head =
      "[MURVA32PRE]\r\nCalenSelBa=1\r\nCalenSelEx=0\r\n\r\n"
      "[Murva32V4]\r\n"
      "CalFntName=\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e\r\n"
      "EditPathW1=C:\\\x95\x5c\\\x83\x5c.bmp\r\n"
      "UseSpclPro=0\r\n";
  const std::string tail =
      "SpecialPro=C:\\Program Files\\\x83\x5c\x83\x74\x83\x67\\a.exe\r\n"
      "\r\n"
      "[Murva32V4Ext]\r\n"
      "UseSpclPro=0\r\n";
  WriteBytes(Ini(), head + tail);
  WorkingCopy copy;
  RecordingHost host;
  SettingsStore store = Store();
  store.LoadGeneralSettings(copy, kToday, host);
  EXPECT_EQ(copy.special_program, "C:\\Program Files\\ソフト\\a.exe");
  copy.use_special_program = true;
  copy.birthday = "99/01/01";
  store.SaveSpecialPage(copy);
  const std::string expected =
      "[MURVA32PRE]\r\nCalenSelBa=1\r\nCalenSelEx=0\r\n\r\n"
      "[Murva32V4]\r\n"
      "CalFntName=\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e\r\n"
      "EditPathW1=C:\\\x95\x5c\\\x83\x5c.bmp\r\n"
      "UseSpclPro=1\r\n"
      "SpecialPro=C:\\Program Files\\\x83\x5c\x83\x74\x83\x67\\a.exe\r\n"
      "MyBirthday=99/01/01\r\n"
      "\r\n"
      "[Murva32V4Ext]\r\n"
      "UseSpclPro=0\r\n";
  EXPECT_EQ(Bytes(), expected);
}

}  // namespace
}  // namespace murva
