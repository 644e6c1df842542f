// Every key of MURVA32.INI with its type, default and range.
//
// The load and save procedures name keys only through this table. A family
// of numbered keys (the weekday pages, the title lines, the eight pages'
// keys, the twelve months' day lists) is one entry whose name is the base
// name; KeyName appends the number.
#pragma once

#include <climits>
#include <span>
#include <string>
#include <string_view>

#include "settings/working_copy.h"

namespace murva {

enum class KeyType {
  kInteger,    // clamped into min_value .. max_value when read
  kSelection,  // index of a list entry 0 .. max_value; others name no entry
  kBoolean,    // integer, non-zero is true; written "1"/"0"
  kColor,      // 0x00BBGGRR, written in decimal
  kStyle,      // font style bits, bold 1, italic 2, underline 4, strike-out 8
  kText,
  kTitleText,  // text in the leading-space encoding
  kDayList,    // day numbers, each followed by "/"
};

enum class KeyFamily {
  kSingle,    // the name alone
  kNumbered,  // base name + number first .. last in decimal
  kPage,      // base name + page number 1 .. 8
  kMonth,     // base name + month 01 .. 12 in two digits
};

struct SettingKey {
  std::string_view name;  // the key, or the base name of a family
  KeyType type = KeyType::kText;
  KeyFamily family = KeyFamily::kSingle;
  int first = 0;  // numbers of a kNumbered family
  int last = 0;
  int default_value = 0;  // integers, selections, booleans (0/1), colours, styles
  std::string_view default_text = {};
  int min_value = 0;  // kInteger range; kSelection: 0 .. max_value
  int max_value = 0;
};

// The full key name; `number` is the page, month or line number of a family
// and is ignored for single keys. Throws std::out_of_range for a number the
// family does not have.
std::string KeyName(const SettingKey& key, int number = 0);

// The value brought into the key's range (integers), or kNoSelection for a
// selection index that names no entry.
int ClampToRange(const SettingKey& key, int value);

inline constexpr const char* kLegacySections[] = {"WALLPAPER", "MURVA32"};

// Positions are limited by the screen (the position bars and the title
// position ranges); this only keeps hand-edited values sane.
inline constexpr int kMaxScreenCoordinate = 16384;
// The largest font size a font dialog offers.
inline constexpr int kMaxFontSize = 1638;
// Monitor scales in percent: 0 (not known), else 50..400.
inline constexpr int kScalePercentUnknown = 0;
inline constexpr int kMaxScalePercent = 400;

namespace keys {

// "MURVA32PRE": the set in use.
inline constexpr SettingKey kCalenSelBa{.name = "CalenSelBa", .type = KeyType::kBoolean, .default_value = 1};
inline constexpr SettingKey kCalenSelEx{.name = "CalenSelEx", .type = KeyType::kBoolean, .default_value = 0};

// "WALLPAPER" and "MURVA32" of versions 3.51 and earlier (read only).
inline constexpr SettingKey kOrgPath{.name = "ORGPATH", .type = KeyType::kText};

// Run cycle and output.
inline constexpr SettingKey kCalWallUse{.name = "CalWallUse", .type = KeyType::kSelection, .max_value = 3};
inline constexpr SettingKey kCalenWeek{.name = "CalenWeek", .type = KeyType::kSelection,
                                       .family = KeyFamily::kNumbered, .first = 1, .last = 7,
                                       .max_value = kPageCount - 1};
inline constexpr SettingKey kCalendDely{.name = "CalendDely", .type = KeyType::kInteger, .max_value = 600};
inline constexpr SettingKey kCalenAlWay{.name = "CalenAlWay", .type = KeyType::kBoolean, .default_value = 1};
inline constexpr SettingKey kCalendHide{.name = "CalendHide", .type = KeyType::kBoolean, .default_value = 1};
inline constexpr SettingKey kCalendOnly{.name = "CalendOnly", .type = KeyType::kBoolean, .default_value = 0};
inline constexpr SettingKey kCalendTile{.name = "CalendTile", .type = KeyType::kBoolean, .default_value = 1};
inline constexpr SettingKey kCalWall256{.name = "CalWall256", .type = KeyType::kSelection, .max_value = 2};
inline constexpr SettingKey kCalendFold{.name = "CalendFold", .type = KeyType::kSelection, .max_value = 1};
inline constexpr SettingKey kUseSpclPro{.name = "UseSpclPro", .type = KeyType::kBoolean, .default_value = 0};
inline constexpr SettingKey kSpecialPro{.name = "SpecialPro", .type = KeyType::kText};
inline constexpr SettingKey kCalMakeDay{.name = "CalMakeDay", .type = KeyType::kText};
inline constexpr SettingKey kCalWalUsed{.name = "CalWalUsed", .type = KeyType::kText};
inline constexpr SettingKey kCalWalLast{.name = "CalWalLast", .type = KeyType::kInteger, .default_value = 1,
                                        .min_value = 1, .max_value = kPageCount};
inline constexpr SettingKey kCalWalNumb{.name = "CalWalNumb", .type = KeyType::kInteger, .default_value = 1,
                                        .min_value = 1, .max_value = kPageCount};
inline constexpr SettingKey kCalSetNumb{.name = "CalSetNumb", .type = KeyType::kInteger, .default_value = 1,
                                        .min_value = 1, .max_value = kSettingsTabCount};
inline constexpr SettingKey kFormPositX{.name = "FormPositX", .type = KeyType::kInteger,
                                        .min_value = INT_MIN, .max_value = INT_MAX};
inline constexpr SettingKey kFormPositY{.name = "FormPositY", .type = KeyType::kInteger,
                                        .min_value = INT_MIN, .max_value = INT_MAX};
inline constexpr SettingKey kBmpInitFld{.name = "BmpInitFld", .type = KeyType::kText};
// Whether the program is started at log-on for an automatic run (an XDG
// autostart entry); a key of this edition, off by default.
inline constexpr SettingKey kCalAutoRun{.name = "CalAutoRun", .type = KeyType::kBoolean, .default_value = 0};
// Whether the log-on run stays resident and builds again when the day
// changes, the machine wakes or the clock moves (--watch); on by default.
inline constexpr SettingKey kCalWatchOn{.name = "CalWatchOn", .type = KeyType::kBoolean, .default_value = 1};
// Whether the control panel shows a live preview of the shown page.
inline constexpr SettingKey kCalPreview{.name = "CalPreview", .type = KeyType::kBoolean, .default_value = 1};

// Calendar appearance.
inline constexpr SettingKey kCalendStyl{.name = "CalendStyl", .type = KeyType::kSelection, .max_value = 7};
inline constexpr SettingKey kCalendMnth{.name = "CalendMnth", .type = KeyType::kSelection, .default_value = 1,
                                        .max_value = 10};
inline constexpr SettingKey kCalendWeek{.name = "CalendWeek", .type = KeyType::kSelection, .default_value = 1,
                                        .max_value = 7};
inline constexpr SettingKey kCalendTday{.name = "CalendTday", .type = KeyType::kSelection, .default_value = 1,
                                        .max_value = 2};
inline constexpr SettingKey kCalendPerd{.name = "CalendPerd", .type = KeyType::kSelection, .max_value = 6};
inline constexpr SettingKey kCalendAdjt{.name = "CalendAdjt", .type = KeyType::kInteger, .min_value = -9,
                                        .max_value = 20};
inline constexpr SettingKey kCalSunMode{.name = "CalSunMode", .type = KeyType::kBoolean, .default_value = 0};
inline constexpr SettingKey kCalen3DFnt{.name = "Calen3DFnt", .type = KeyType::kBoolean, .default_value = 0};
inline constexpr SettingKey kCalFntName{.name = "CalFntName", .type = KeyType::kText,
                                        .default_text = "ＭＳ ゴシック"};
inline constexpr SettingKey kCalFntSize{.name = "CalFntSize", .type = KeyType::kInteger, .default_value = 11,
                                        .min_value = 1, .max_value = kMaxFontSize};
inline constexpr SettingKey kCalFntStyl{.name = "CalFntStyl", .type = KeyType::kStyle, .default_value = kStyleBold};
// The almanac line under each day of the box form: the rokuyo, and the
// solar term on its day (in place of the rokuyo when both are on).
inline constexpr SettingKey kCalRokuyou{.name = "CalRokuyou", .type = KeyType::kBoolean, .default_value = 0};
inline constexpr SettingKey kCalSekki24{.name = "CalSekki24", .type = KeyType::kBoolean, .default_value = 0};
inline constexpr SettingKey kMyBirthday{.name = "MyBirthday", .type = KeyType::kText};

// Titles.
inline constexpr SettingKey kCalenTitle{.name = "CalenTitle", .type = KeyType::kBoolean, .default_value = 0};
inline constexpr SettingKey kTitlePosiX{.name = "TitlePosiX", .type = KeyType::kInteger,
                                        .max_value = kMaxScreenCoordinate};
inline constexpr SettingKey kTitlePosiY{.name = "TitlePosiY", .type = KeyType::kInteger,
                                        .max_value = kMaxScreenCoordinate};
inline constexpr SettingKey kTitlePosT{.name = "TitlePosT", .type = KeyType::kInteger,
                                       .family = KeyFamily::kNumbered, .first = 2, .last = kTitleLineCount,
                                       .default_value = 30, .max_value = 400};
inline constexpr SettingKey kTiFntName{.name = "TiFntName", .type = KeyType::kText,
                                       .family = KeyFamily::kNumbered, .first = 1, .last = kTitleLineCount,
                                       .default_text = "ＭＳ Ｐゴシック"};
inline constexpr SettingKey kTiFntSize{.name = "TiFntSize", .type = KeyType::kText,
                                       .family = KeyFamily::kNumbered, .first = 1, .last = kTitleLineCount,
                                       .default_value = 20, .default_text = "20", .min_value = 1,
                                       .max_value = kMaxFontSize};
inline constexpr SettingKey kTiFntStyl{.name = "TiFntStyl", .type = KeyType::kStyle,
                                       .family = KeyFamily::kNumbered, .first = 1, .last = kTitleLineCount};
inline constexpr SettingKey kTitleText{.name = "TitleText", .type = KeyType::kTitleText,
                                       .family = KeyFamily::kNumbered, .first = 1, .last = kTitleLineCount};

// Schedules.
inline constexpr SettingKey kCalSchedul{.name = "CalSchedul", .type = KeyType::kSelection, .max_value = 10};
inline constexpr SettingKey kBeforeWeek{.name = "BeforeWeek", .type = KeyType::kSelection, .max_value = 5};
inline constexpr SettingKey kSchLineSpc{.name = "SchLineSpc", .type = KeyType::kInteger, .min_value = -9,
                                        .max_value = 50};
inline constexpr SettingKey kCalendTdyS{.name = "CalendTdyS", .type = KeyType::kBoolean, .default_value = 1};
inline constexpr SettingKey kCutYearDsp{.name = "CutYearDsp", .type = KeyType::kBoolean, .default_value = 0};
inline constexpr SettingKey kCutWeekDsp{.name = "CutWeekDsp", .type = KeyType::kBoolean, .default_value = 1};
inline constexpr SettingKey kUseSelbori{.name = "UseSelbori", .type = KeyType::kSelection, .max_value = 2};
inline constexpr SettingKey kSelborPath{.name = "SelborPath", .type = KeyType::kText};
inline constexpr SettingKey kSchFntName{.name = "SchFntName", .type = KeyType::kText,
                                        .default_text = "ＭＳ ゴシック"};
inline constexpr SettingKey kSchFntSize{.name = "SchFntSize", .type = KeyType::kInteger, .default_value = 9,
                                        .min_value = 1, .max_value = kMaxFontSize};
inline constexpr SettingKey kSchFntStyl{.name = "SchFntStyl", .type = KeyType::kStyle, .default_value = kStyleBold};

// Holidays and special days.
inline constexpr SettingKey kCalHoliSel{.name = "CalHoliSel", .type = KeyType::kSelection, .max_value = 1};
inline constexpr SettingKey kCalenHol{.name = "CalenHol", .type = KeyType::kDayList, .family = KeyFamily::kMonth,
                                      .first = 1, .last = 12};
inline constexpr SettingKey kCalenSpc{.name = "CalenSpc", .type = KeyType::kDayList, .family = KeyFamily::kMonth,
                                      .first = 1, .last = 12};

// Per-page keys (base name + page number).
inline constexpr SettingKey kEditPathW{.name = "EditPathW", .type = KeyType::kText, .family = KeyFamily::kPage,
                                       .first = 1, .last = kPageCount};
inline constexpr SettingKey kCalenChHV{.name = "CalenChHV", .type = KeyType::kText, .family = KeyFamily::kPage,
                                       .first = 1, .last = kPageCount, .default_text = kVerticalCaption};
inline constexpr SettingKey kCalenBlok{.name = "CalenBlok", .type = KeyType::kInteger, .family = KeyFamily::kPage,
                                       .first = 1, .last = kPageCount, .default_value = 30, .max_value = 200};
inline constexpr SettingKey kCalenLine{.name = "CalenLine", .type = KeyType::kInteger, .family = KeyFamily::kPage,
                                       .first = 1, .last = kPageCount, .default_value = 20, .max_value = 50};
inline constexpr SettingKey kCalenDays{.name = "CalenDays", .type = KeyType::kInteger, .family = KeyFamily::kPage,
                                       .first = 1, .last = kPageCount, .default_value = 5, .max_value = 50};
inline constexpr SettingKey kCalendWX1{.name = "CalendWX1", .type = KeyType::kInteger, .family = KeyFamily::kPage,
                                       .first = 1, .last = kPageCount, .max_value = kMaxScreenCoordinate};
inline constexpr SettingKey kCalendWY1{.name = "CalendWY1", .type = KeyType::kInteger, .family = KeyFamily::kPage,
                                       .first = 1, .last = kPageCount, .max_value = kMaxScreenCoordinate};
inline constexpr SettingKey kSchdulWX1{.name = "SchdulWX1", .type = KeyType::kInteger, .family = KeyFamily::kPage,
                                       .first = 1, .last = kPageCount, .max_value = kMaxScreenCoordinate};
inline constexpr SettingKey kSchdulWY1{.name = "SchdulWY1", .type = KeyType::kInteger, .family = KeyFamily::kPage,
                                       .first = 1, .last = kPageCount, .max_value = kMaxScreenCoordinate};
inline constexpr SettingKey kColors3DF{.name = "Colors3DF", .type = KeyType::kColor, .family = KeyFamily::kPage,
                                       .first = 1, .last = kPageCount, .default_value = 0x000000};
inline constexpr SettingKey kColorsSch{.name = "ColorsSch", .type = KeyType::kColor, .family = KeyFamily::kPage,
                                       .first = 1, .last = kPageCount, .default_value = kDefaultScheduleColor};
inline constexpr SettingKey kColorsTdy{.name = "ColorsTdy", .type = KeyType::kColor, .family = KeyFamily::kPage,
                                       .first = 1, .last = kPageCount, .default_value = kDefaultTodayColor};
inline constexpr SettingKey kColorsWek{.name = "ColorsWek", .type = KeyType::kColor, .family = KeyFamily::kPage,
                                       .first = 1, .last = kPageCount, .default_value = kDefaultWeekdayColor};
inline constexpr SettingKey kColorsSat{.name = "ColorsSat", .type = KeyType::kColor, .family = KeyFamily::kPage,
                                       .first = 1, .last = kPageCount, .default_value = kDefaultSaturdayColor};
inline constexpr SettingKey kColorsSun{.name = "ColorsSun", .type = KeyType::kColor, .family = KeyFamily::kPage,
                                       .first = 1, .last = kPageCount, .default_value = kDefaultSundayColor};
inline constexpr SettingKey kColorsHol{.name = "ColorsHol", .type = KeyType::kColor, .family = KeyFamily::kPage,
                                       .first = 1, .last = kPageCount, .default_value = kDefaultHolidayColor};
inline constexpr SettingKey kColorsSpc{.name = "ColorsSpc", .type = KeyType::kColor, .family = KeyFamily::kPage,
                                       .first = 1, .last = kPageCount, .default_value = kDefaultSpecialColor};
inline constexpr SettingKey kColorsStr{.name = "ColorsStr", .type = KeyType::kColor, .family = KeyFamily::kPage,
                                       .first = 1, .last = kPageCount, .default_value = kDefaultTitleColor};

// Keys of this edition for screens of several sizes. A page's positions are
// kept in the pixels of the screen they were placed on, whose size and scale
// (in percent) stand beside them; 0 means not known (placed before these
// keys: the primary monitor).
inline constexpr SettingKey kPosScrnW{.name = "PosScrnW", .type = KeyType::kInteger, .family = KeyFamily::kPage,
                                      .first = 1, .last = kPageCount, .max_value = kMaxScreenCoordinate};
inline constexpr SettingKey kPosScrnH{.name = "PosScrnH", .type = KeyType::kInteger, .family = KeyFamily::kPage,
                                      .first = 1, .last = kPageCount, .max_value = kMaxScreenCoordinate};
inline constexpr SettingKey kPosScale{.name = "PosScale", .type = KeyType::kInteger, .family = KeyFamily::kPage,
                                      .first = 1, .last = kPageCount, .default_value = kScalePercentUnknown,
                                      .min_value = kScalePercentUnknown, .max_value = kMaxScalePercent};
// The same for the title position.
inline constexpr SettingKey kTitScrnW{.name = "TitScrnW", .type = KeyType::kInteger,
                                      .max_value = kMaxScreenCoordinate};
inline constexpr SettingKey kTitScrnH{.name = "TitScrnH", .type = KeyType::kInteger,
                                      .max_value = kMaxScreenCoordinate};
inline constexpr SettingKey kTitScale{.name = "TitScale", .type = KeyType::kInteger,
                                      .default_value = kScalePercentUnknown,
                                      .min_value = kScalePercentUnknown, .max_value = kMaxScalePercent};
// "文字の大きさを画面の倍率に合わせる": fonts and the calendar's pitch follow
// each monitor's scale. Off when the key is absent (settings made before it);
// new settings start with it on.
inline constexpr SettingKey kCalFitScal{.name = "CalFitScal", .type = KeyType::kBoolean, .default_value = 0};
// Monitors that show a page of their own: the connector name and the page
// (1..8; 0 or absent: the day's page).
inline constexpr SettingKey kMonitorNam{.name = "MonitNam", .type = KeyType::kText,
                                        .family = KeyFamily::kNumbered, .first = 1, .last = kMonitorChoiceCount};
inline constexpr SettingKey kMonitorPag{.name = "MonitPag", .type = KeyType::kInteger,
                                        .family = KeyFamily::kNumbered, .first = 1, .last = kMonitorChoiceCount,
                                        .max_value = kPageCount};
// The calendars read besides the schedule file, in a section of their own
// ("Murva32Cal"), shared by both sets; the Windows program never reads it.
// Texts are kept in the form of ini_safe_text.h. A source n has the keys
// IcsName<n> .. IcsUsed<n>; IcsCount says how many there are.
inline constexpr int kMaxCalendarSources = 999;
inline constexpr SettingKey kIcsCount{.name = "IcsCount", .type = KeyType::kInteger,
                                      .max_value = kMaxCalendarSources};
inline constexpr SettingKey kIcsName{.name = "IcsName", .type = KeyType::kText,
                                     .family = KeyFamily::kNumbered, .first = 1, .last = kMaxCalendarSources};
inline constexpr SettingKey kIcsAddr{.name = "IcsAddr", .type = KeyType::kText,
                                     .family = KeyFamily::kNumbered, .first = 1, .last = kMaxCalendarSources};
inline constexpr SettingKey kIcsColr{.name = "IcsColr", .type = KeyType::kText,
                                     .family = KeyFamily::kNumbered, .first = 1, .last = kMaxCalendarSources};
inline constexpr SettingKey kIcsOnOf{.name = "IcsOnOf", .type = KeyType::kBoolean,
                                     .family = KeyFamily::kNumbered, .first = 1, .last = kMaxCalendarSources,
                                     .default_value = 1};
inline constexpr SettingKey kIcsUsed{.name = "IcsUsed", .type = KeyType::kSelection,
                                     .family = KeyFamily::kNumbered, .first = 1, .last = kMaxCalendarSources,
                                     .max_value = 2};
// Minutes between two fetches of the subscriptions by the resident mode.
inline constexpr SettingKey kIcsRefresh{.name = "IcsRefresh", .type = KeyType::kInteger, .default_value = 30,
                                        .min_value = 5, .max_value = 24 * 60};

}  // namespace keys

// Every key of the two set sections, in the order of the tables above.
std::span<const SettingKey* const> AllSetKeys();

}  // namespace murva
