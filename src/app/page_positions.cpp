#include "app/page_positions.h"

#include <cmath>

namespace murva {

int PageLayout::*LayoutField(LayoutBar bar) {
  switch (bar) {
    case LayoutBar::kCalendarTop: return &PageLayout::calendar_y;
    case LayoutBar::kCalendarLeft: return &PageLayout::calendar_x;
    case LayoutBar::kScheduleTop: return &PageLayout::schedule_y;
    case LayoutBar::kScheduleLeft: return &PageLayout::schedule_x;
    case LayoutBar::kMonth: return &PageLayout::month_spacing;
    case LayoutBar::kLine: return &PageLayout::line_spacing;
    case LayoutBar::kChar: return &PageLayout::day_spacing;
  }
  return &PageLayout::month_spacing;
}

bool IsPositionBar(LayoutBar bar) {
  return bar == LayoutBar::kCalendarTop || bar == LayoutBar::kCalendarLeft ||
         bar == LayoutBar::kScheduleTop || bar == LayoutBar::kScheduleLeft;
}

bool IsVerticalAxis(LayoutBar bar) {
  return bar == LayoutBar::kCalendarTop || bar == LayoutBar::kScheduleTop;
}

bool IsCalendarBar(LayoutBar bar) {
  return bar == LayoutBar::kCalendarTop || bar == LayoutBar::kCalendarLeft;
}

EdgeDistances DistancesFromEdges(int position, int screen_extent) {
  return {position, screen_extent - position};
}

int MarkerOffset(int position, int screen_extent, int miniature_extent) {
  if (screen_extent <= 0 || miniature_extent <= 0) return 0;
  const double scale = static_cast<double>(screen_extent) / miniature_extent * 1.1;
  return static_cast<int>(std::lround(position / scale));
}

MarkerPlace OrientationMarkerPlace(int calendar_left, int calendar_top, int screen_width,
                                   int screen_height) {
  // A screen smaller than half a miniature would give a ratio of 0; the
  // marker then follows the position one to one.
  const auto ratio = [](int screen, int miniature) {
    const long rounded = std::lround(static_cast<double>(screen) / miniature);
    return rounded > 0 ? static_cast<int>(rounded) : 1;
  };
  return {calendar_left / ratio(screen_width, kMiniatureWidth),
          calendar_top / ratio(screen_height, kMiniatureHeight)};
}

}  // namespace murva
