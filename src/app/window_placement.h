// Where the control panel opens: at its stored place when that lies on a
// connected monitor (moved just enough to be wholly on it), else centred on
// the primary monitor. An automatic run always opens centred.
#pragma once

#include <optional>

#include "app/run_view.h"
#include "platform/monitor_layout.h"

namespace murva {

struct WindowPlace {
  int left = 0;
  int top = 0;
  bool operator==(const WindowPlace&) const = default;
};

// monitors: their rectangles in the desktop, in the same pixels as the
// window's size and place; empty: one screen of `screen`'s size at 0,0.
WindowPlace PlaceWindow(std::optional<WindowPlace> stored, ScreenSize window,
                        const MonitorLayout& monitors, ScreenSize screen, bool automatic);

}  // namespace murva
