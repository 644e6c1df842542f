// What a tab or page of the control panel may ask of the window that holds
// it: the run cycle (working copy, settings store, engine, schedules), the
// dialogs, guarded handlers and the screen the wallpaper is built for.
#pragma once

#include <functional>
#include <string>

#include "app/run_cycle.h"
#include "ui/dialogs.h"

namespace murva {

class PanelContext {
 public:
  virtual ~PanelContext() = default;

  virtual RunCycle& Cycle() = 0;
  WorkingCopy& Copy() { return Cycle().Copy(); }
  virtual Dialogs& Dialog() = 0;
  // Runs one step of a handler: an error that reaches it is shown in a
  // message box and the rest of the step is skipped; afterwards the controls
  // show the working copy again.
  virtual void Guarded(const std::function<void()>& step) = 0;
  // A message box with the icon of its kind.
  virtual void ShowMessage(const std::string& text,
                           MessageIcon icon = MessageIcon::kInformation) = 0;
  // Every control shows the working copy again.
  virtual void RefreshControls() = 0;
  // The size of the screen the wallpaper is built for, in device pixels.
  virtual ScreenSize Screen() const = 0;
  // A value that the wallpaper's picture depends on has changed.
  virtual void PictureChanged() = 0;
};

}  // namespace murva
