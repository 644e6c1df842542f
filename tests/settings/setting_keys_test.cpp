#include "settings/setting_keys.h"

#include <set>

#include <gtest/gtest.h>

namespace murva {
namespace {

using namespace keys;

TEST(KeyName, FamiliesAppendTheirNumber) {
  EXPECT_EQ(KeyName(kCalendStyl), "CalendStyl");
  EXPECT_EQ(KeyName(kCalendWX1, 3), "CalendWX13");
  EXPECT_EQ(KeyName(kCalendWX1, 8), "CalendWX18");
  EXPECT_EQ(KeyName(kEditPathW, 1), "EditPathW1");
  EXPECT_EQ(KeyName(kCalenHol, 5), "CalenHol05");
  EXPECT_EQ(KeyName(kCalenSpc, 12), "CalenSpc12");
  EXPECT_EQ(KeyName(kCalenWeek, 7), "CalenWeek7");
  EXPECT_EQ(KeyName(kTitlePosT, 2), "TitlePosT2");
  EXPECT_EQ(KeyName(kTitleText, 4), "TitleText4");
}

TEST(KeyName, NumberOutsideTheFamilyIsAnError) {
  EXPECT_THROW(KeyName(kCalendWX1, 0), std::out_of_range);
  EXPECT_THROW(KeyName(kCalendWX1, 9), std::out_of_range);
  EXPECT_THROW(KeyName(kCalenHol, 13), std::out_of_range);
  EXPECT_THROW(KeyName(kTitlePosT, 1), std::out_of_range);
}

TEST(SettingKeys, EveryStoredNameIsUniqueAndAtMostTenCharacters) {
  std::set<std::string> names;
  std::size_t count = 0;
  for (const SettingKey* key : AllSetKeys()) {
    int first = key->family == KeyFamily::kSingle ? 0 : key->first;
    int last = key->family == KeyFamily::kSingle ? 0 : key->last;
    for (int n = first; n <= last; ++n) {
      std::string name = KeyName(*key, n);
      EXPECT_LE(name.size(), 10u) << name;
      names.insert(name);
      ++count;
    }
  }
  EXPECT_EQ(names.size(), count);
  // 27 run keys (the seven weekday keys, the log-on run and its watch among
  // them), 14 appearance (the almanac lines among them), 22 title, 11
  // schedule, 25 holiday, 18 x 8 page keys and the preview switch; for
  // screens of several sizes 3 x 8 page keys, 3 title keys, the text-scale
  // switch and 2 x 8 monitor keys.
  EXPECT_EQ(count, 27u + 14u + 22u + 11u + 25u + 18u * 8u + 1u + 3u * 8u + 3u + 1u + 2u * 8u);
}

TEST(SettingKeys, PageFamiliesCoverTheEightPages) {
  for (const SettingKey* key : AllSetKeys()) {
    if (key->family != KeyFamily::kPage) continue;
    EXPECT_EQ(key->first, 1) << key->name;
    EXPECT_EQ(key->last, kPageCount) << key->name;
  }
}

TEST(SettingKeys, DefaultsAgreeWithTheWorkingCopy) {
  const WorkingCopy copy;
  EXPECT_EQ(copy.page_choice_mode, kCalWallUse.default_value);
  EXPECT_EQ(copy.weekday_pages[0], kCalenWeek.default_value);
  EXPECT_EQ(copy.delay_seconds, kCalendDely.default_value);
  EXPECT_EQ(copy.always_build, kCalenAlWay.default_value != 0);
  EXPECT_EQ(copy.stealth, kCalendHide.default_value != 0);
  EXPECT_EQ(copy.make_only, kCalendOnly.default_value != 0);
  EXPECT_EQ(copy.tile, kCalendTile.default_value != 0);
  EXPECT_EQ(copy.color_256, kCalWall256.default_value);
  EXPECT_EQ(copy.output_folder, kCalendFold.default_value);
  EXPECT_EQ(copy.use_special_program, kUseSpclPro.default_value != 0);
  EXPECT_EQ(copy.calendar_style, kCalendStyl.default_value);
  EXPECT_EQ(copy.month_label_style, kCalendMnth.default_value);
  EXPECT_EQ(copy.weekday_label_style, kCalendWeek.default_value);
  EXPECT_EQ(copy.today_mark, kCalendTday.default_value);
  EXPECT_EQ(copy.period, kCalendPerd.default_value);
  EXPECT_EQ(copy.one_digit_adjust, kCalendAdjt.default_value);
  EXPECT_EQ(copy.monday_first, kCalSunMode.default_value != 0);
  EXPECT_EQ(copy.text_3d, kCalen3DFnt.default_value != 0);
  EXPECT_EQ(copy.date_font.name, kCalFntName.default_text);
  EXPECT_EQ(copy.date_font.size, kCalFntSize.default_value);
  EXPECT_EQ(copy.date_font.style, kCalFntStyl.default_value);
  EXPECT_EQ(copy.titles_on, kCalenTitle.default_value != 0);
  EXPECT_EQ(copy.title_x, kTitlePosiX.default_value);
  EXPECT_EQ(copy.title_y, kTitlePosiY.default_value);
  EXPECT_EQ(copy.title_gaps[0], kTitlePosT.default_value);
  EXPECT_EQ(copy.titles[0].font.name, kTiFntName.default_text);
  EXPECT_EQ(copy.titles[0].size_text, kTiFntSize.default_text);
  EXPECT_EQ(copy.titles[0].font.size, kTiFntSize.default_value);
  EXPECT_EQ(copy.titles[0].font.style, kTiFntStyl.default_value);
  EXPECT_EQ(copy.schedule_range, kCalSchedul.default_value);
  EXPECT_EQ(copy.days_before, kBeforeWeek.default_value);
  EXPECT_EQ(copy.schedule_line_spacing, kSchLineSpc.default_value);
  EXPECT_EQ(copy.no_schedule_line, kCalendTdyS.default_value != 0);
  EXPECT_EQ(copy.cut_year, kCutYearDsp.default_value != 0);
  EXPECT_EQ(copy.cut_weekday, kCutWeekDsp.default_value != 0);
  EXPECT_EQ(copy.schedule_source, kUseSelbori.default_value);
  EXPECT_EQ(copy.schedule_font.name, kSchFntName.default_text);
  EXPECT_EQ(copy.schedule_font.size, kSchFntSize.default_value);
  EXPECT_EQ(copy.schedule_font.style, kSchFntStyl.default_value);
  EXPECT_EQ(copy.holiday_method, kCalHoliSel.default_value);

  const PageLayout layout;
  EXPECT_EQ(layout.month_spacing, kCalenBlok.default_value);
  EXPECT_EQ(layout.line_spacing, kCalenLine.default_value);
  EXPECT_EQ(layout.day_spacing, kCalenDays.default_value);
  EXPECT_EQ(layout.calendar_x, kCalendWX1.default_value);
  EXPECT_EQ(layout.calendar_y, kCalendWY1.default_value);
  EXPECT_EQ(layout.schedule_x, kSchdulWX1.default_value);
  EXPECT_EQ(layout.schedule_y, kSchdulWY1.default_value);

  const PageValues page;
  EXPECT_EQ(page.orientation, kCalenChHV.default_text);
  EXPECT_EQ(page.shadow, static_cast<Color>(kColors3DF.default_value));
  EXPECT_EQ(page.schedule, 16777215u);
  EXPECT_EQ(page.today, 65535u);
  EXPECT_EQ(page.weekday, 16777215u);
  EXPECT_EQ(page.saturday, 16776960u);
  EXPECT_EQ(page.sunday, 255u);
  EXPECT_EQ(page.holiday, 16711935u);
  EXPECT_EQ(page.special, 65280u);
  EXPECT_EQ(page.title, 16777215u);
  EXPECT_EQ(page.sunday, static_cast<Color>(kColorsSun.default_value));
}

TEST(ClampToRange, IntegersAreClampedSelectionsEmptied) {
  EXPECT_EQ(ClampToRange(kCalendDely, 1000), 600);
  EXPECT_EQ(ClampToRange(kCalendDely, -5), 0);
  EXPECT_EQ(ClampToRange(kCalendAdjt, -10), -9);
  EXPECT_EQ(ClampToRange(kSchLineSpc, 51), 50);
  EXPECT_EQ(ClampToRange(kCalenBlok, 201), 200);
  EXPECT_EQ(ClampToRange(kCalenLine, 51), 50);
  EXPECT_EQ(ClampToRange(kTitlePosT, 401), 400);
  EXPECT_EQ(ClampToRange(kCalendMnth, 10), 10);
  EXPECT_EQ(ClampToRange(kCalendMnth, 11), kNoSelection);
  EXPECT_EQ(ClampToRange(kCalendStyl, -1), kNoSelection);
  EXPECT_EQ(ClampToRange(kCalenWeek, 7), 7);
  EXPECT_EQ(ClampToRange(kCalenWeek, 8), kNoSelection);
  EXPECT_EQ(ClampToRange(kFormPositX, -300), -300);
}

}  // namespace
}  // namespace murva
