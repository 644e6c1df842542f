#include "app/unsaved_edits.h"

namespace murva {
namespace {

bool ValidPage(int page) { return page >= 1 && page <= kPageCount; }

bool SameFont(const FontSetting& a, const FontSetting& b) {
  return a.name == b.name && a.size == b.size && a.style == b.style;
}

std::string FullWidthDigit(int digit) {
  const char32_t code = 0xFF10 + static_cast<char32_t>(digit);
  return {static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
          static_cast<char>(0x80 | (code & 0x3F))};
}

}  // namespace

void UnsavedEdits::MarkPage(int page) {
  if (ValidPage(page)) pages_[page - 1] = true;
}

bool UnsavedEdits::PageUnsaved(int page) const { return ValidPage(page) && pages_[page - 1]; }

void UnsavedEdits::LeavePage(int page, const PageLayout& layout) {
  if (PageUnsaved(page)) layouts_[page - 1] = layout;
}

std::optional<PageLayout> UnsavedEdits::KeptLayout(int page) const {
  if (!PageUnsaved(page)) return std::nullopt;
  return layouts_[page - 1];
}

void UnsavedEdits::PageSaved(int page) {
  if (!ValidPage(page)) return;
  pages_[page - 1] = false;
  layouts_[page - 1].reset();
}

UnsavedEdits::BasicValues UnsavedEdits::BasicOf(const WorkingCopy& copy) {
  BasicValues values;
  values.choices = {copy.calendar_style, copy.month_label_style, copy.weekday_label_style,
                    copy.today_mark,     copy.output_folder,     copy.period,
                    copy.one_digit_adjust};
  values.rokuyo = copy.show_rokuyo;
  values.solar_terms = copy.show_solar_terms;
  values.titles_on = copy.titles_on;
  values.date_font = copy.date_font;
  values.schedule_font = copy.schedule_font;
  values.title_x = copy.title_x;
  values.title_y = copy.title_y;
  values.title_gaps = copy.title_gaps;
  values.titles = copy.titles;
  return values;
}

bool UnsavedEdits::Same(const BasicValues& a, const BasicValues& b) {
  if (a.choices != b.choices || a.rokuyo != b.rokuyo || a.solar_terms != b.solar_terms ||
      a.titles_on != b.titles_on || !SameFont(a.date_font, b.date_font) ||
      !SameFont(a.schedule_font, b.schedule_font)) {
    return false;
  }
  // The title keys are written only while titles are on.
  if (!a.titles_on) return true;
  if (a.title_x != b.title_x || a.title_y != b.title_y || a.title_gaps != b.title_gaps) {
    return false;
  }
  for (int i = 0; i < kTitleLineCount; ++i) {
    const TitleLine& x = a.titles[i];
    const TitleLine& y = b.titles[i];
    if (!SameFont(x.font, y.font) || x.size_text != y.size_text || x.text != y.text) return false;
  }
  return true;
}

void UnsavedEdits::BasicSaved(const WorkingCopy& copy) { basic_ = BasicOf(copy); }

bool UnsavedEdits::BasicUnsaved(const WorkingCopy& copy) const {
  return basic_ && !Same(*basic_, BasicOf(copy));
}

std::vector<std::string> UnsavedEdits::UnsavedParts(const WorkingCopy& copy) const {
  std::vector<std::string> parts;
  for (int page = 1; page <= kPageCount; ++page) {
    if (PageUnsaved(page)) parts.push_back("壁紙 " + FullWidthDigit(page));
  }
  if (BasicUnsaved(copy)) parts.emplace_back("基本の設定・タイトル入力");
  if (copy.convenience_save_enabled) parts.emplace_back("便利な設定");
  if (copy.holiday_save_enabled) parts.emplace_back("休日の設定");
  if (copy.special_save_enabled) parts.emplace_back("特別な設定");
  if (copy.schedule_save_enabled) parts.emplace_back("スケジュール機能パネルの表示の設定");
  return parts;
}

void UnsavedEdits::SaveBasicAndPages(const WorkingCopy& copy, const SettingsStore& store) {
  if (BasicUnsaved(copy)) {
    store.SaveBasicSettings(copy, std::string());
    BasicSaved(copy);
  }
  for (int page = 1; page <= kPageCount; ++page) {
    if (!PageUnsaved(page)) continue;
    WorkingCopy values = copy;
    values.wallpaper_page = page;
    if (page != copy.wallpaper_page) {
      values.layout = layouts_[page - 1] ? *layouts_[page - 1] : store.ReadStoredLayoutOfPage(copy, page);
    }
    store.SavePageSettings(values);
    PageSaved(page);
  }
}

std::string UnsavedEdits::CloseQuestion(const std::vector<std::string>& parts) {
  std::string text = "保存していない変更があります．";
  for (const std::string& part : parts) text += "\r・" + part;
  text += "\r\r終了する前に保存しますか？";
  return text;
}

}  // namespace murva
