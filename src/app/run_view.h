// What the run cycle asks of its window. The Qt control panel implements it;
// tests implement it with a recorder.
#pragma once

#include <string>

#include "app/message_icon.h"
#include "settings/working_copy.h"

namespace murva {

struct ScreenSize {
  int width = 1024;
  int height = 768;
};

class RunView {
 public:
  virtual ~RunView() = default;

  virtual void SetCaption(const std::string& caption) = 0;
  // The status line LabelInfo with its text colour.
  virtual void SetStatus(const std::string& text, Color color) = 0;
  // The countdown panel PanelWait.
  virtual void SetCountdown(int seconds) = 0;
  // A message box that waits for the user, with the icon of its kind.
  virtual void ShowMessage(const std::string& text,
                           MessageIcon icon = MessageIcon::kInformation) = 0;
  virtual void MinimizeApplication() = 0;
  // Closing the main window ends the program.
  virtual void CloseMainWindow() = 0;
  virtual void Repaint() = 0;
  // The one-second timer TimerDelay.
  virtual void SetTimerEnabled(bool enabled) = 0;
  // The information panel PanelInfo at the left edge of its page.
  virtual void ShowInfoPanel() = 0;
  // The controls show the working copy again (after a load, a tab change).
  virtual void RefreshControls() = 0;
  // After the shown wallpaper page was loaded and the controls show it: the
  // page's orientation marker and its four position displays follow the
  // loaded values (RefreshPagePositions).
  virtual void RefreshPagePositions() = 0;
  // PanelModeDsp with its text and colours.
  virtual void ShowModeIndicator(const std::string& text, Color panel, Color font) = 0;
  // The stealth state: shrunk to the upper strip, or restored to the full
  // client height (the height the window had when it shrank).
  virtual void SetShrunk(bool shrunk, int full_client_height) = 0;
  virtual int ClientHeight() const = 0;
  // The build button's caption turns yellow for a test run.
  virtual void MarkTestRun() = 0;
  // The weekday selector of today's weekday (1 = Sunday) turns yellow.
  virtual void HighlightWeekdaySelector(int weekday) = 0;
  virtual void SetVersionLabels(const std::string& text) = 0;
  // Window geometry for PlaceMainWindow.
  virtual ScreenSize Screen() const = 0;
  virtual ScreenSize WindowSize() const = 0;
  virtual void MoveWindow(int left, int top) = 0;
};

}  // namespace murva
