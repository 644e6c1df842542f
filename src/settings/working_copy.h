// The working copy: everything the control panel shows, as plain data.
//
// The load procedures copy the settings file into it, the widgets edit it,
// the save procedures copy it back, and the build and every drawing routine
// read only from it. Field comments name the settings key each field is
// stored under.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace murva {

// 0x00BBGGRR, red in the low byte.
using Color = std::uint32_t;

// A selection index; kNoSelection when the stored index names no item.
inline constexpr int kNoSelection = -1;

inline constexpr int kPageCount = 8;
inline constexpr int kSettingsTabCount = 5;
inline constexpr int kTitleLineCount = 4;
// How many monitors can be given a page of their own.
inline constexpr int kMonitorChoiceCount = 8;

enum class SettingsSet { kBasic, kExtended };

// Orientation captions of a page's orientation button.
inline constexpr const char* kVerticalCaption = "縦→横";
inline constexpr const char* kHorizontalCaption = "横→縦";

// Default colours of a wallpaper page.
inline constexpr Color kDefaultScheduleColor = 0xFFFFFF;
inline constexpr Color kDefaultTodayColor = 0x00FFFF;
inline constexpr Color kDefaultWeekdayColor = 0xFFFFFF;
inline constexpr Color kDefaultSaturdayColor = 0xFFFF00;
inline constexpr Color kDefaultSundayColor = 0x0000FF;
inline constexpr Color kDefaultHolidayColor = 0xFF00FF;
inline constexpr Color kDefaultSpecialColor = 0x00FF00;
inline constexpr Color kDefaultTitleColor = 0xFFFFFF;

// Font style bits.
inline constexpr int kStyleBold = 1;
inline constexpr int kStyleItalic = 2;
inline constexpr int kStyleUnderline = 4;
inline constexpr int kStyleStrikeOut = 8;

struct FontSetting {
  std::string name;
  int size = 0;   // points
  int style = 0;  // sum of the style bits
};

// The per-page controls of one wallpaper page.
struct PageValues {
  std::string path;                           // EditPathW<n>
  std::string orientation = kVerticalCaption; // CalenChHV<n>
  Color shadow = 0x000000;                    // Colors3DF<n>
  Color schedule = kDefaultScheduleColor;     // ColorsSch<n>
  Color today = kDefaultTodayColor;           // ColorsTdy<n>
  Color weekday = kDefaultWeekdayColor;       // ColorsWek<n>
  Color saturday = kDefaultSaturdayColor;     // ColorsSat<n>
  Color sunday = kDefaultSundayColor;         // ColorsSun<n>
  Color holiday = kDefaultHolidayColor;       // ColorsHol<n>
  Color special = kDefaultSpecialColor;       // ColorsSpc<n>
  Color title = kDefaultTitleColor;           // ColorsStr<n>

  bool IsVertical() const { return orientation == kVerticalCaption; }
};

// The screen a position was placed on: its size in pixels and its scale in
// percent; a width or height of 0 means not known.
struct ScreenReference {
  int width = 0;
  int height = 0;
  int scale_percent = 0;  // 0 (or below 50): not known, 100 then

  bool Known() const { return width > 0 && height > 0; }
  double Scale() const { return scale_percent >= 50 ? scale_percent / 100.0 : 1.0; }
  bool operator==(const ScreenReference&) const = default;
};

// The shared layout bars; they hold the values of the page now shown.
struct PageLayout {
  int month_spacing = 30;  // CalenBlok<n>, 0..200
  int line_spacing = 20;   // CalenLine<n>, 0..50
  int day_spacing = 5;     // CalenDays<n>, 0..50
  int calendar_x = 0;      // CalendWX1<n>, 0..screen width
  int calendar_y = 0;      // CalendWY1<n>, 0..screen height
  int schedule_x = 0;      // SchdulWX1<n>
  int schedule_y = 0;      // SchdulWY1<n>
  ScreenReference screen;  // PosScrnW<n>, PosScrnH<n>, PosScale<n>
};

// A monitor that shows a page of its own instead of the day's page.
struct MonitorPageChoice {
  std::string monitor;  // MonitNam<i>: the connector name ("HDMI-A-1")
  int page = 0;         // MonitPag<i>: 1..8; 0: the day's page
  bool operator==(const MonitorPageChoice&) const = default;
};

struct TitleLine {
  FontSetting font{"ＭＳ Ｐゴシック", 20, 0};  // TiFntName<i>, TiFntStyl<i>
  std::string size_text = "20";               // TiFntSize<i>, kept as text
  std::string text;                           // TitleText<i>, decoded
};

// One day-list grid: twelve rows (January..December), each the cells as typed.
using DayGrid = std::array<std::vector<std::string>, 12>;

struct WorkingCopy {
  // Set choice ("MURVA32PRE").
  SettingsSet chosen_set = SettingsSet::kBasic;  // which set button is down
  SettingsSet shown_set = SettingsSet::kBasic;   // colour PanelSelB shows

  // Tabs shown (ActiveWallpaperPage / ActiveSettingsPage), 1-based.
  int wallpaper_page = 1;
  int settings_page = 1;

  // Run cycle and output.
  int page_choice_mode = 0;                    // CalWallUse
  std::array<int, 7> weekday_pages{};          // CalenWeek1..7 (page - 1)
  int delay_seconds = 0;                       // CalendDely, 0..600
  bool always_build = true;                    // CalenAlWay
  bool stealth = true;                         // CalendHide
  bool make_only = false;                      // CalendOnly
  bool tile = true;                            // CalendTile
  int color_256 = 0;                           // CalWall256
  int output_folder = 0;                       // CalendFold
  bool use_special_program = false;            // UseSpclPro
  std::string special_program;                 // SpecialPro
  std::string last_used_page;                  // CalWalUsed (PanelWallInd)
  std::string bitmap_folder;                   // BmpInitFld
  bool run_at_log_on = false;                  // CalAutoRun
  bool watch_day_change = true;                // CalWatchOn
  bool live_preview = true;                    // CalPreview
  bool fit_text_to_scale = true;               // CalFitScal (absent: off)
  std::vector<MonitorPageChoice> monitor_pages; // MonitNam<i>, MonitPag<i>

  // Calendar appearance.
  int calendar_style = 0;                      // CalendStyl
  int month_label_style = 1;                   // CalendMnth
  int weekday_label_style = 1;                 // CalendWeek
  int today_mark = 1;                          // CalendTday
  int period = 0;                              // CalendPerd
  int one_digit_adjust = 0;                    // CalendAdjt, -9..20
  bool monday_first = false;                   // CalSunMode
  bool text_3d = false;                        // Calen3DFnt
  FontSetting date_font{"ＭＳ ゴシック", 11, 1}; // CalFntName/Size/Styl
  bool show_rokuyo = false;                    // CalRokuyou
  bool show_solar_terms = false;               // CalSekki24
  std::string birthday;                        // MyBirthday

  // Titles.
  bool titles_on = false;                      // CalenTitle
  int title_x = 0;                             // TitlePosiX
  int title_y = 0;                             // TitlePosiY
  ScreenReference title_screen;                // TitScrnW, TitScrnH, TitScale
  std::array<int, 3> title_gaps{30, 30, 30};   // TitlePosT2..4, 0..400
  std::array<TitleLine, kTitleLineCount> titles;

  // Schedules.
  int schedule_range = 0;                      // CalSchedul
  int days_before = 0;                         // BeforeWeek
  int schedule_line_spacing = 0;               // SchLineSpc, -9..50
  bool no_schedule_line = true;                // CalendTdyS
  bool cut_year = false;                       // CutYearDsp
  bool cut_weekday = true;                     // CutWeekDsp
  int schedule_source = 0;                     // UseSelbori
  std::string external_path;                   // SelborPath
  FontSetting schedule_font{"ＭＳ ゴシック", 9, 1}; // SchFntName/Size/Styl

  // Holidays and special days.
  int holiday_method = 0;                      // CalHoliSel
  DayGrid holiday_grid;                        // CalenHol01..12
  DayGrid special_grid;                        // CalenSpc01..12

  // Wallpaper pages.
  std::array<PageValues, kPageCount> pages;
  PageLayout layout;                           // of the page now shown

  // Save buttons of the pages that have one (enabled = unsaved edits).
  bool convenience_save_enabled = false;       // SpeedButtonSave
  bool holiday_save_enabled = false;           // SpeedButtonSaveHoliday
  bool special_save_enabled = false;           // SpeedButtonProSave
  bool schedule_save_enabled = false;          // SpeedButtonSaveSch

  PageValues& ActivePage() { return pages[wallpaper_page - 1]; }
  const PageValues& ActivePage() const { return pages[wallpaper_page - 1]; }
};

}  // namespace murva
