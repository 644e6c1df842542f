// Positions placed on one screen, shown on a screen of another size.
//
// A position is kept as the user placed it, in the pixels of the screen it
// was placed on. On a monitor of another size it keeps its distance from the
// nearer edge: an item placed near the left or top stays as far from the left
// or top, one placed near the right or bottom stays as far from the right or
// bottom. Distances follow the monitor's scale when text follows it. The item
// is then kept wholly on the monitor where it fits (never cut off), and at
// the top or left where it is larger than the monitor.
#pragma once

#include <optional>

#include "settings/working_copy.h"

namespace murva {

// Where an item lies around its position along one axis, on the target
// screen: its box starts `offset` pixels after the position and is `extent`
// pixels long.
struct ItemSpan {
  int offset = 0;
  int extent = 0;
};

// One axis. `factor` multiplies distances (the target's scale over the
// source's when text follows the scale, else 1); `span` is the item's box on
// the target, when it is known.
int MapPosition(int position, int from_extent, int to_extent, double factor,
                std::optional<ItemSpan> span = std::nullopt);

// The boxes of the page's items on the target, each along both axes.
struct ItemBoxes {
  std::optional<ItemSpan> calendar_x, calendar_y;
  std::optional<ItemSpan> schedule_x, schedule_y;
  std::optional<ItemSpan> title_x, title_y;
};

// The factor distances are multiplied by from one screen to another.
double DistanceFactor(const ScreenReference& from, const ScreenReference& to, bool scale_text);

// The page's calendar and schedule positions from the screen they were placed
// on (layout.screen) onto the target; the result's screen is the target.
PageLayout MapLayout(const PageLayout& layout, const ScreenReference& to, bool scale_text,
                     const ItemBoxes& boxes = {});

// The title position the same way (copy.title_screen onto the target).
void MapTitlePosition(WorkingCopy& copy, const ScreenReference& to, const ItemBoxes& boxes = {});

// Fonts, font sizes and the calendar's pitch (month, line and day spacing,
// title gaps, schedule line spacing) multiplied by the scale, for a monitor
// whose text follows its scale.
void ScaleTextAndPitch(WorkingCopy& copy, double scale);

}  // namespace murva
