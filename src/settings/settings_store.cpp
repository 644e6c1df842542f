#include "settings/settings_store.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>

#include "settings/profile_file.h"
#include "settings/setting_keys.h"
#include "settings/settings_messages.h"
#include "settings/settings_section.h"

namespace murva {
namespace {

using namespace keys;

// A page number that names no page stands for page 1, as the shown tab
// does when none matches.
int ValidPage(int page) { return (page >= 1 && page <= kPageCount) ? page : 1; }
int ValidSettingsTab(int tab) { return (tab >= 1 && tab <= kSettingsTabCount) ? tab : 1; }

ScreenReference ReadScreen(const SettingsSection& set, const SettingKey& width,
                           const SettingKey& height, const SettingKey& scale, int number,
                           const ScreenReference& fallback) {
  ScreenReference screen{set.ReadInteger(width, number), set.ReadInteger(height, number),
                         set.ReadInteger(scale, number)};
  return screen.Known() ? screen : fallback;
}

void WriteScreen(SettingsSection& set, const ScreenReference& screen, const SettingKey& width,
                 const SettingKey& height, const SettingKey& scale, int number) {
  if (!screen.Known()) return;
  set.WriteInteger(width, number, screen.width);
  set.WriteInteger(height, number, screen.height);
  set.WriteInteger(scale, number, screen.scale_percent);
}

PageLayout ReadLayout(const SettingsSection& set, int page, const ScreenReference& fallback) {
  PageLayout layout;
  layout.screen = ReadScreen(set, kPosScrnW, kPosScrnH, kPosScale, page, fallback);
  layout.month_spacing = set.ReadInteger(kCalenBlok, page);
  layout.line_spacing = set.ReadInteger(kCalenLine, page);
  layout.day_spacing = set.ReadInteger(kCalenDays, page);
  layout.calendar_x = set.ReadInteger(kCalendWX1, page);
  layout.calendar_y = set.ReadInteger(kCalendWY1, page);
  layout.schedule_x = set.ReadInteger(kSchdulWX1, page);
  layout.schedule_y = set.ReadInteger(kSchdulWY1, page);
  return layout;
}

FontSetting ReadFont(const SettingsSection& set, const SettingKey& name, const SettingKey& size,
                     const SettingKey& style) {
  return FontSetting{set.ReadText(name), set.ReadInteger(size), set.ReadStyle(style)};
}

void WriteFont(SettingsSection& set, const FontSetting& font, const SettingKey& name,
               const SettingKey& size, const SettingKey& style) {
  set.WriteText(name, font.name);
  set.WriteInteger(size, font.size);
  set.WriteInteger(style, font.style);
}

// A title size is kept as the text its panel shows; a text that is not a
// size in range is shown as the size it is brought to.
void ReadTitleSize(const SettingsSection& set, int line, TitleLine& title) {
  std::string text = set.ReadText(kTiFntSize, line);
  std::optional<int> size = ParseProfileInteger(text);
  int clamped = std::clamp(size.value_or(kTiFntSize.default_value), kTiFntSize.min_value,
                           kTiFntSize.max_value);
  title.font.size = clamped;
  title.size_text = (size && *size == clamped) ? text : std::to_string(clamped);
}

void FillEmpty(int& selection, const SettingKey& key) {
  if (selection == kNoSelection) selection = key.default_value;
}

}  // namespace

SettingsStore::SettingsStore(std::filesystem::path ini_path) : path_(std::move(ini_path)) {}

bool SettingsStore::FileExists() const { return ProfileFile(path_).Exists(); }

std::string SettingsStore::ReadProblemMessage() const {
  const ProfileFile file(path_);
  if (file.ReadProblem().empty()) return {};
  return SettingsUnreadableMessage(path_.string(), file.ReadProblem());
}

std::string SettingsStore::SectionOf(const WorkingCopy& copy) {
  return copy.chosen_set == SettingsSet::kBasic ? kBasicSection : kExtendedSection;
}

bool SettingsStore::LoadQuietly(WorkingCopy& copy) const {
  if (!FileExists()) return false;
  SilentSettingsHost quiet;
  LoadSetChoice(copy);
  LoadGeneralSettings(copy, std::string(), quiet);
  return true;
}

void SettingsStore::LoadSetChoice(WorkingCopy& copy) const {
  ProfileFile file(path_);
  SettingsSection pre(file, kPreSection);
  // The set buttons are a radio pair: a button goes down when its key is
  // true, and one that is down cannot be raised directly.
  if (pre.ReadBool(kCalenSelBa)) copy.chosen_set = SettingsSet::kBasic;
  if (pre.ReadBool(kCalenSelEx)) copy.chosen_set = SettingsSet::kExtended;
  copy.shown_set = copy.chosen_set;
}

bool SettingsStore::LoadGeneralSettings(WorkingCopy& copy, const std::string& today_text,
                                        SettingsHost& host) const {
  ProfileFile file(path_);

  // 1. A file of version 3.51 or earlier: one warning, then go on.
  for (const char* legacy : kLegacySections) {
    if (!file.ReadString(legacy, kOrgPath.name, "").empty()) {
      host.ShowMessage(kOldVersionWarning);
      break;
    }
  }

  SettingsSection set(file, SectionOf(copy));

  // 2. Selections.
  copy.calendar_style = set.ReadSelection(kCalendStyl);
  copy.month_label_style = set.ReadSelection(kCalendMnth);
  copy.weekday_label_style = set.ReadSelection(kCalendWeek);
  copy.today_mark = set.ReadSelection(kCalendTday);
  for (int weekday = 1; weekday <= 7; ++weekday) {
    copy.weekday_pages[weekday - 1] = set.ReadSelection(kCalenWeek, weekday);
  }

  // 3. The page used by the last build.
  copy.last_used_page = set.ReadText(kCalWalUsed);

  // 4. The page-choice mode and its indicator.
  copy.page_choice_mode = set.ReadSelection(kCalWallUse);
  host.ShowModeIndicator();

  // 5. Fonts.
  copy.date_font = ReadFont(set, kCalFntName, kCalFntSize, kCalFntStyl);
  copy.schedule_font = ReadFont(set, kSchFntName, kSchFntSize, kSchFntStyl);

  // 6. Numbers.
  copy.output_folder = set.ReadSelection(kCalendFold);
  copy.period = set.ReadSelection(kCalendPerd);
  copy.color_256 = set.ReadSelection(kCalWall256);
  copy.one_digit_adjust = set.ReadInteger(kCalendAdjt);
  copy.delay_seconds = set.ReadInteger(kCalendDely);
  copy.schedule_line_spacing = set.ReadInteger(kSchLineSpc);

  // 7. Check boxes.
  copy.always_build = set.ReadBool(kCalenAlWay);
  copy.text_3d = set.ReadBool(kCalen3DFnt);
  copy.stealth = set.ReadBool(kCalendHide);
  copy.make_only = set.ReadBool(kCalendOnly);
  copy.no_schedule_line = set.ReadBool(kCalendTdyS);
  copy.tile = set.ReadBool(kCalendTile);
  copy.monday_first = set.ReadBool(kCalSunMode);
  copy.titles_on = set.ReadBool(kCalenTitle);
  copy.run_at_log_on = set.ReadBool(kCalAutoRun);
  copy.watch_day_change = set.ReadBool(kCalWatchOn);
  copy.live_preview = set.ReadBool(kCalPreview);
  copy.show_rokuyo = set.ReadBool(kCalRokuyou);
  copy.show_solar_terms = set.ReadBool(kCalSekki24);
  copy.fit_text_to_scale = set.ReadBool(kCalFitScal);
  copy.monitor_pages.clear();
  for (int i = kMonitorNam.first; i <= kMonitorNam.last; ++i) {
    const std::string monitor = set.ReadText(kMonitorNam, i);
    const int page = set.ReadInteger(kMonitorPag, i);
    if (!monitor.empty() && page >= 1) copy.monitor_pages.push_back({monitor, page});
  }

  // 8. Schedules, holidays, the special program, the birthday.
  copy.schedule_range = set.ReadSelection(kCalSchedul);
  copy.holiday_method = set.ReadSelection(kCalHoliSel);
  copy.schedule_source = set.ReadSelection(kUseSelbori);
  copy.cut_year = set.ReadBool(kCutYearDsp);
  copy.cut_weekday = set.ReadBool(kCutWeekDsp);
  copy.external_path = set.ReadText(kSelborPath);
  copy.special_program = set.ReadText(kSpecialPro);
  copy.use_special_program = set.ReadBool(kUseSpclPro);
  copy.birthday = set.ReadText(kMyBirthday);
  copy.days_before = set.ReadSelection(kBeforeWeek);

  // 9. Where the background dialog opens.
  copy.bitmap_folder = set.ReadText(kBmpInitFld);

  // 10. The window position.
  host.PlaceMainWindow(set.ReadInteger(kFormPositX), set.ReadInteger(kFormPositY));

  // 11. Titles.
  copy.title_y = set.ReadInteger(kTitlePosiY);
  copy.title_x = set.ReadInteger(kTitlePosiX);
  copy.title_screen = ReadScreen(set, kTitScrnW, kTitScrnH, kTitScale, 0, default_screen_);
  for (int line = kTitlePosT.first; line <= kTitlePosT.last; ++line) {
    copy.title_gaps[line - kTitlePosT.first] = set.ReadInteger(kTitlePosT, line);
  }
  for (int line = 1; line <= kTitleLineCount; ++line) {
    copy.titles[line - 1].font.name = set.ReadText(kTiFntName, line);
  }
  for (int line = 1; line <= kTitleLineCount; ++line) {
    ReadTitleSize(set, line, copy.titles[line - 1]);
  }
  for (int line = 1; line <= kTitleLineCount; ++line) {
    copy.titles[line - 1].font.style = set.ReadStyle(kTiFntStyl, line);
  }
  for (int line = 1; line <= kTitleLineCount; ++line) {
    copy.titles[line - 1].text = set.ReadTitleText(kTitleText, line);
  }

  // 12. BuiltToday.
  return set.ReadText(kCalMakeDay) == today_text;
}

void SettingsStore::LoadPageSettings(WorkingCopy& copy) const {
  ProfileFile file(path_);
  SettingsSection set(file, SectionOf(copy));
  copy.wallpaper_page = ValidPage(copy.wallpaper_page);
  const int page = copy.wallpaper_page;
  PageValues& values = copy.pages[page - 1];

  copy.layout = ReadLayout(set, page, default_screen_);
  values.shadow = set.ReadColor(kColors3DF, page);
  values.schedule = set.ReadColor(kColorsSch, page);
  values.today = set.ReadColor(kColorsTdy, page);
  values.weekday = set.ReadColor(kColorsWek, page);
  values.saturday = set.ReadColor(kColorsSat, page);
  values.sunday = set.ReadColor(kColorsSun, page);
  values.holiday = set.ReadColor(kColorsHol, page);
  values.special = set.ReadColor(kColorsSpc, page);
  values.title = set.ReadColor(kColorsStr, page);
  values.path = set.ReadText(kEditPathW, page);
  values.orientation = set.ReadText(kCalenChHV, page);
}

void SettingsStore::LoadDayGrids(WorkingCopy& copy) const {
  ProfileFile file(path_);
  SettingsSection set(file, SectionOf(copy));
  for (int month = 1; month <= 12; ++month) {
    copy.holiday_grid[month - 1] = set.ReadDayList(kCalenHol, month);
  }
  for (int month = 1; month <= 12; ++month) {
    copy.special_grid[month - 1] = set.ReadDayList(kCalenSpc, month);
  }
  // The user's holidays count only for method 1; anything else keeps the
  // built-in rules.
  int method = set.ReadSelection(kCalHoliSel);
  copy.holiday_method = method == kNoSelection ? kCalHoliSel.default_value : method;
}

void SettingsStore::RestorePanelPages(WorkingCopy& copy) const {
  ProfileFile file(path_);
  SettingsSection set(file, SectionOf(copy));
  // A number that names no tab leaves the tab shown as it is.
  auto restore = [&](const SettingKey& key, int& shown) {
    int stored = file.ReadInteger(set.Name(), KeyName(key), key.default_value);
    if (stored >= key.min_value && stored <= key.max_value) {
      shown = stored;
    } else if (shown < key.min_value || shown > key.max_value) {
      shown = key.default_value;
    }
  };
  restore(kCalWalNumb, copy.wallpaper_page);
  restore(kCalSetNumb, copy.settings_page);
}

void SettingsStore::InitControlState(WorkingCopy& copy, int screen_width, int screen_height) {
  // 1. Empty selections.
  FillEmpty(copy.calendar_style, kCalendStyl);
  FillEmpty(copy.month_label_style, kCalendMnth);
  FillEmpty(copy.weekday_label_style, kCalendWeek);
  FillEmpty(copy.today_mark, kCalendTday);
  FillEmpty(copy.output_folder, kCalendFold);
  FillEmpty(copy.period, kCalendPerd);
  FillEmpty(copy.page_choice_mode, kCalWallUse);
  FillEmpty(copy.color_256, kCalWall256);
  FillEmpty(copy.schedule_range, kCalSchedul);
  FillEmpty(copy.days_before, kBeforeWeek);
  // These too are read as indexes elsewhere; their defaults behave as the
  // empty choice would (page 1, own schedules, built-in holidays).
  for (int& page : copy.weekday_pages) FillEmpty(page, kCalenWeek);
  FillEmpty(copy.schedule_source, kUseSelbori);
  FillEmpty(copy.holiday_method, kCalHoliSel);

  // 4. The layout bars start at their defaults.
  copy.layout = PageLayout{};

  // 7. No unsaved edits yet.
  copy.convenience_save_enabled = false;
  copy.holiday_save_enabled = false;
  copy.special_save_enabled = false;
  copy.schedule_save_enabled = false;

  // 8. The title position bars range over the screen.
  copy.title_x = std::clamp(copy.title_x, 0, std::max(screen_width, 0));
  copy.title_y = std::clamp(copy.title_y, 0, std::max(screen_height, 0));
}

void SettingsStore::SaveBasicSettings(const WorkingCopy& copy,
                                      const std::string& today_text) const {
  ProfileFile file(path_);
  SettingsSection set(file, SectionOf(copy));
  set.WriteInteger(kCalendAdjt, copy.one_digit_adjust);
  set.WriteInteger(kCalendStyl, copy.calendar_style);
  set.WriteInteger(kCalendMnth, copy.month_label_style);
  set.WriteInteger(kCalendWeek, copy.weekday_label_style);
  set.WriteInteger(kCalendTday, copy.today_mark);
  set.WriteInteger(kCalWalNumb, ValidPage(copy.wallpaper_page));
  set.WriteInteger(kCalSetNumb, ValidSettingsTab(copy.settings_page));
  set.WriteInteger(kCalendFold, copy.output_folder);
  set.WriteInteger(kCalendPerd, copy.period);
  set.WriteBool(kCalenTitle, copy.titles_on);
  set.WriteBool(kCalRokuyou, copy.show_rokuyo);
  set.WriteBool(kCalSekki24, copy.show_solar_terms);
  WriteFont(set, copy.date_font, kCalFntName, kCalFntSize, kCalFntStyl);
  WriteFont(set, copy.schedule_font, kSchFntName, kSchFntSize, kSchFntStyl);
  if (copy.titles_on) {
    set.WriteInteger(kTitlePosiY, copy.title_y);
    set.WriteInteger(kTitlePosiX, copy.title_x);
    WriteScreen(set, copy.title_screen, kTitScrnW, kTitScrnH, kTitScale, 0);
    for (int line = kTitlePosT.first; line <= kTitlePosT.last; ++line) {
      set.WriteInteger(kTitlePosT, line, copy.title_gaps[line - kTitlePosT.first]);
    }
    for (int line = 1; line <= kTitleLineCount; ++line) {
      set.WriteText(kTiFntName, line, copy.titles[line - 1].font.name);
    }
    for (int line = 1; line <= kTitleLineCount; ++line) {
      set.WriteText(kTiFntSize, line, copy.titles[line - 1].size_text);
    }
    for (int line = 1; line <= kTitleLineCount; ++line) {
      set.WriteInteger(kTiFntStyl, line, copy.titles[line - 1].font.style);
    }
    for (int line = 1; line <= kTitleLineCount; ++line) {
      set.WriteTitleText(kTitleText, line, copy.titles[line - 1].text);
    }
  }
  if (!today_text.empty()) set.WriteText(kCalMakeDay, today_text);
  file.Commit();
}

void SettingsStore::SavePageSettings(const WorkingCopy& copy) const {
  ProfileFile file(path_);
  SettingsSection set(file, SectionOf(copy));
  const int page = ValidPage(copy.wallpaper_page);
  const PageValues& values = copy.pages[page - 1];
  const PageLayout& layout = copy.layout;
  set.WriteInteger(kCalenBlok, page, layout.month_spacing);
  set.WriteInteger(kCalenLine, page, layout.line_spacing);
  set.WriteInteger(kCalenDays, page, layout.day_spacing);
  set.WriteInteger(kCalendWX1, page, layout.calendar_x);
  set.WriteInteger(kCalendWY1, page, layout.calendar_y);
  set.WriteInteger(kSchdulWX1, page, layout.schedule_x);
  set.WriteInteger(kSchdulWY1, page, layout.schedule_y);
  WriteScreen(set, layout.screen, kPosScrnW, kPosScrnH, kPosScale, page);
  set.WriteColor(kColors3DF, page, values.shadow);
  set.WriteColor(kColorsSch, page, values.schedule);
  set.WriteColor(kColorsTdy, page, values.today);
  set.WriteColor(kColorsWek, page, values.weekday);
  set.WriteColor(kColorsSat, page, values.saturday);
  set.WriteColor(kColorsSun, page, values.sunday);
  set.WriteColor(kColorsHol, page, values.holiday);
  set.WriteColor(kColorsSpc, page, values.special);
  set.WriteColor(kColorsStr, page, values.title);
  set.WriteText(kEditPathW, page, values.path);
  set.WriteText(kCalenChHV, page, values.orientation);
  file.Commit();
}

void SettingsStore::SaveConveniencePage(WorkingCopy& copy) const {
  ProfileFile file(path_);
  SettingsSection set(file, SectionOf(copy));
  set.WriteInteger(kCalWallUse, copy.page_choice_mode);
  set.WriteInteger(kCalWall256, copy.color_256);
  set.WriteBool(kCalenAlWay, copy.always_build);
  set.WriteBool(kCalen3DFnt, copy.text_3d);
  set.WriteBool(kCalendHide, copy.stealth);
  set.WriteBool(kCalendOnly, copy.make_only);
  set.WriteBool(kCalendTdyS, copy.no_schedule_line);
  set.WriteBool(kCalendTile, copy.tile);
  set.WriteBool(kCalSunMode, copy.monday_first);
  set.WriteInteger(kCalendDely, copy.delay_seconds);
  for (int weekday = 1; weekday <= 7; ++weekday) {
    set.WriteInteger(kCalenWeek, weekday, copy.weekday_pages[weekday - 1]);
  }
  set.WriteBool(kCalAutoRun, copy.run_at_log_on);
  set.WriteBool(kCalWatchOn, copy.watch_day_change);
  set.WriteBool(kCalPreview, copy.live_preview);
  set.WriteBool(kCalFitScal, copy.fit_text_to_scale);
  // The monitors with a page of their own, the others emptied.
  for (int i = kMonitorNam.first; i <= kMonitorNam.last; ++i) {
    const std::size_t index = static_cast<std::size_t>(i - kMonitorNam.first);
    const bool used = index < copy.monitor_pages.size();
    const bool stored = !set.ReadText(kMonitorNam, i).empty();
    if (!used && !stored) continue;
    set.WriteText(kMonitorNam, i, used ? copy.monitor_pages[index].monitor : std::string());
    set.WriteInteger(kMonitorPag, i, used ? copy.monitor_pages[index].page : 0);
  }
  file.Commit();
  copy.convenience_save_enabled = false;
}

void SettingsStore::SaveHolidayPage(WorkingCopy& copy) const {
  ProfileFile file(path_);
  SettingsSection set(file, SectionOf(copy));
  for (int month = 1; month <= 12; ++month) {
    set.WriteDayList(kCalenHol, month, copy.holiday_grid[month - 1]);
  }
  for (int month = 1; month <= 12; ++month) {
    set.WriteDayList(kCalenSpc, month, copy.special_grid[month - 1]);
  }
  set.WriteInteger(kCalHoliSel, copy.holiday_method);
  file.Commit();
  copy.holiday_save_enabled = false;
}

void SettingsStore::SaveSpecialPage(WorkingCopy& copy) const {
  ProfileFile file(path_);
  SettingsSection set(file, SectionOf(copy));
  set.WriteBool(kUseSpclPro, copy.use_special_program);
  set.WriteText(kSpecialPro, copy.special_program);
  set.WriteText(kMyBirthday, copy.birthday);
  file.Commit();
  copy.special_save_enabled = false;
}

void SettingsStore::SaveSchedulePanel(WorkingCopy& copy) const {
  ProfileFile file(path_);
  SettingsSection set(file, SectionOf(copy));
  set.WriteText(kSelborPath, copy.external_path);
  set.WriteInteger(kUseSelbori, copy.schedule_source);
  set.WriteInteger(kCalSchedul, copy.schedule_range);
  set.WriteInteger(kSchLineSpc, copy.schedule_line_spacing);
  set.WriteBool(kCutYearDsp, copy.cut_year);
  set.WriteBool(kCutWeekDsp, copy.cut_weekday);
  set.WriteInteger(kBeforeWeek, copy.days_before);
  file.Commit();
  copy.schedule_save_enabled = false;
}

bool SettingsStore::SaveWindowPosition(const WorkingCopy& copy, int x, int y) const {
  try {
    ProfileFile file(path_);
    SettingsSection set(file, SectionOf(copy));
    set.WriteInteger(kFormPositX, x);
    set.WriteInteger(kFormPositY, y);
    file.Commit();
    return true;
  } catch (const SettingsWriteError&) {
    return false;
  }
}

std::string SettingsStore::SwitchSet(WorkingCopy& copy, SettingsSet clicked) const {
  copy.chosen_set = clicked;
  if (copy.shown_set == clicked) return {};
  ProfileFile file(path_);
  SettingsSection pre(file, kPreSection);
  pre.WriteBool(kCalenSelBa, copy.chosen_set == SettingsSet::kBasic);
  pre.WriteBool(kCalenSelEx, copy.chosen_set == SettingsSet::kExtended);
  file.Commit();
  copy.shown_set = clicked;
  return clicked == SettingsSet::kBasic ? kBasicSetWarning : kExtendedSetWarning;
}

std::string SettingsStore::ReadRecord(const WorkingCopy& copy, const std::string& key) const {
  ProfileFile file(path_);
  return file.ReadString(SectionOf(copy), key, "");
}

int SettingsStore::ReadRecordInt(const WorkingCopy& copy, const std::string& key,
                                 int fallback) const {
  ProfileFile file(path_);
  return file.ReadInteger(SectionOf(copy), key, fallback);
}

void SettingsStore::WriteRecord(const WorkingCopy& copy, const std::string& key,
                                const std::string& value) const {
  ProfileFile file(path_);
  file.WriteString(SectionOf(copy), key, value);
  file.Commit();
}

PageLayout SettingsStore::ReadStoredLayoutOfPage(const WorkingCopy& copy, int page) const {
  if (page < 1 || page > kPageCount) {
    throw std::out_of_range("no wallpaper page " + std::to_string(page));
  }
  ProfileFile file(path_);
  SettingsSection set(file, SectionOf(copy));
  return ReadLayout(set, page, default_screen_);
}

}  // namespace murva
