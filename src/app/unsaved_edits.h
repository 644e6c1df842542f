// What the control panel holds that the settings file does not have yet,
// kept for as long as the window is open.
//
// The settings tabs with a save button keep their state in the working copy
// (a save button is enabled exactly while its tab has unsaved edits). The
// basic settings and the titles are written by every manual build; they are
// unsaved while they differ from what the last load or save left. A
// wallpaper page is unsaved from its first edit until it is saved; its
// layout (the shared bars show only the shown page) is kept here while
// another page is shown, so that coming back shows the edits instead of the
// file.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "settings/settings_store.h"
#include "settings/working_copy.h"

namespace murva {

class UnsavedEdits {
 public:
  // Wallpaper page n (1-based) was edited.
  void MarkPage(int page);
  bool PageUnsaved(int page) const;
  // The shown page n is left for another: its layout is kept while it is
  // unsaved.
  void LeavePage(int page, const PageLayout& layout);
  // The layout of page n to show again instead of the stored one (nullopt:
  // load it from the file).
  std::optional<PageLayout> KeptLayout(int page) const;
  // Page n was written to the settings file (or reloaded from it).
  void PageSaved(int page);

  // The basic settings and the titles as written or read just now.
  void BasicSaved(const WorkingCopy& copy);
  bool BasicUnsaved(const WorkingCopy& copy) const;

  // Everything unsaved, named as the panel names it, in the panel's order.
  std::vector<std::string> UnsavedParts(const WorkingCopy& copy) const;
  bool Any(const WorkingCopy& copy) const { return !UnsavedParts(copy).empty(); }

  // Writes the basic settings (without recording a build) and every unsaved
  // wallpaper page, each with its own layout. Raises SettingsWriteError at
  // the first failed write; what was written before stays saved.
  void SaveBasicAndPages(const WorkingCopy& copy, const SettingsStore& store);

  // The question asked when the window closes with unsaved parts.
  static std::string CloseQuestion(const std::vector<std::string>& parts);

 private:
  // The values of "基本の設定" and "タイトル入力" as a build writes them.
  struct BasicValues {
    std::array<int, 7> choices{};
    bool rokuyo = false;
    bool solar_terms = false;
    bool titles_on = false;
    FontSetting date_font;
    FontSetting schedule_font;
    int title_x = 0;
    int title_y = 0;
    std::array<int, 3> title_gaps{};
    std::array<TitleLine, kTitleLineCount> titles;
  };
  static BasicValues BasicOf(const WorkingCopy& copy);
  static bool Same(const BasicValues& a, const BasicValues& b);

  std::array<bool, kPageCount> pages_{};
  std::array<std::optional<PageLayout>, kPageCount> layouts_{};
  std::optional<BasicValues> basic_;
};

}  // namespace murva
