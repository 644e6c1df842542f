// The load and save procedures between MURVA32.INI and the working copy.
//
// Every procedure opens the settings file, reads or writes its keys in the
// fixed order and closes it again; nothing is cached between procedures. The
// section of the set in use is chosen anew before every access from the set
// button that is down in the working copy.
#pragma once

#include <filesystem>
#include <string>

#include "settings/settings_write_error.h"
#include "settings/working_copy.h"

namespace murva {

inline constexpr const char* kPreSection = "MURVA32PRE";
inline constexpr const char* kBasicSection = "Murva32V4";
inline constexpr const char* kExtendedSection = "Murva32V4Ext";

// What the load procedures ask of the window they fill.
class SettingsHost {
 public:
  virtual ~SettingsHost() = default;
  // A message box that waits for the user.
  virtual void ShowMessage(const std::string& text) = 0;
  // PlaceMainWindow with the stored window position.
  virtual void PlaceMainWindow(int x, int y) = 0;
  // The mode indicator follows the page-choice mode.
  virtual void ShowModeIndicator() = 0;
};

// A host for loading settings without a window: it shows nothing.
class SilentSettingsHost final : public SettingsHost {
 public:
  void ShowMessage(const std::string&) override {}
  void PlaceMainWindow(int, int) override {}
  void ShowModeIndicator() override {}
};

class SettingsStore {
 public:
  explicit SettingsStore(std::filesystem::path ini_path);

  const std::filesystem::path& Path() const { return path_; }

  // The screen positions stand on when the file does not say (positions
  // placed before the screen was recorded): the primary monitor.
  void SetDefaultScreen(const ScreenReference& screen) { default_screen_ = screen; }
  const ScreenReference& DefaultScreen() const { return default_screen_; }
  // Whether the settings file is there and can be read.
  bool FileExists() const;
  // When something stands at the path that cannot be read as the settings
  // file (a named pipe, a device, a folder, a file far too large, one
  // without read permission): the message naming it and the reason; empty
  // otherwise. The procedures read such a file as empty and never write
  // over it.
  std::string ReadProblemMessage() const;

  // The section of the set whose button is down.
  static std::string SectionOf(const WorkingCopy& copy);

  // Loads. LoadGeneralSettings returns BuiltToday (CalMakeDay == today_text).
  void LoadSetChoice(WorkingCopy& copy) const;
  bool LoadGeneralSettings(WorkingCopy& copy, const std::string& today_text,
                           SettingsHost& host) const;
  void LoadPageSettings(WorkingCopy& copy) const;  // page copy.wallpaper_page
  void LoadDayGrids(WorkingCopy& copy) const;      // CalenHol/CalenSpc + CalHoliSel
  void RestorePanelPages(WorkingCopy& copy) const; // CalWalNumb, CalSetNumb
  // The set in use and the general settings with nobody to answer, for runs
  // and commands that show nothing; false (copy untouched) when there is no
  // settings file. Throws as the steps do.
  bool LoadQuietly(WorkingCopy& copy) const;

  // Fills empty selections and sets the initial control state: default
  // layout, save buttons disabled, title position within the screen.
  static void InitControlState(WorkingCopy& copy, int screen_width, int screen_height);

  // Saves (each raises SettingsWriteError on a failed write).
  // SaveBasicSettings records today_text as the day of the last build
  // (CalMakeDay); an empty today_text (a save without a build) leaves that
  // record as it is.
  void SaveBasicSettings(const WorkingCopy& copy, const std::string& today_text) const;
  void SavePageSettings(const WorkingCopy& copy) const;
  void SaveConveniencePage(WorkingCopy& copy) const;  // SpeedButtonSaveClick
  void SaveHolidayPage(WorkingCopy& copy) const;      // SpeedButtonSaveHolidayClick
  void SaveSpecialPage(WorkingCopy& copy) const;      // SpeedButtonProSaveClick
  void SaveSchedulePanel(WorkingCopy& copy) const;    // SpeedButtonSaveSchClick
  // FormClose. A failure here is not reported (returns false), because the
  // window is closing anyway.
  bool SaveWindowPosition(const WorkingCopy& copy, int x, int y) const;

  // The set switch (SpeedButtonBasClick / SpeedButtonExtClick) after the
  // clicked button went down. Returns the warning to show, or an empty text
  // when the clicked set was already in use (nothing written then).
  std::string SwitchSet(WorkingCopy& copy, SettingsSet clicked) const;

  // Single-key run records in the current set's section.
  std::string ReadRecord(const WorkingCopy& copy, const std::string& key) const;
  int ReadRecordInt(const WorkingCopy& copy, const std::string& key, int fallback) const;
  void WriteRecord(const WorkingCopy& copy, const std::string& key,
                   const std::string& value) const;

  // Page 1's stored layout (the "位置揃" button of pages 2..8).
  PageLayout ReadStoredLayoutOfPage(const WorkingCopy& copy, int page) const;

 private:
  std::filesystem::path path_;
  ScreenReference default_screen_;
};

}  // namespace murva
