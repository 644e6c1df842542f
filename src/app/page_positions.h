// The positions of a wallpaper page: the shared layout bars, the distances
// the number panels show and where the markers sit in the page's miniature
// screens. Plain arithmetic, so that it is checked without a window.
#pragma once

#include <array>

#include "settings/working_copy.h"

namespace murva {

// The miniature screens of a page and their markers, in panel pixels.
inline constexpr int kMiniatureWidth = 120;
inline constexpr int kMiniatureHeight = 81;
inline constexpr int kVerticalMarkerWidth = 10;
inline constexpr int kVerticalMarkerHeight = 50;
inline constexpr int kHorizontalMarkerWidth = 64;
inline constexpr int kHorizontalMarkerHeight = 10;
inline constexpr int kScheduleMarkerWidth = 38;
inline constexpr int kScheduleMarkerHeight = 29;

// The seven bars of the upper strip, in the order the strip shows them.
enum class LayoutBar {
  kCalendarTop,   // ScrollBarCalTop
  kCalendarLeft,  // ScrollBarCalLeft
  kScheduleTop,   // ScrollBarSchTop
  kScheduleLeft,  // ScrollBarSchLeft
  kMonth,         // ScrollBarMonth
  kLine,          // ScrollBarLine
  kChar,          // ScrollBarChar
};
inline constexpr int kLayoutBarCount = 7;

// The working-copy field a bar edits.
int PageLayout::*LayoutField(LayoutBar bar);
bool IsPositionBar(LayoutBar bar);
// A position bar runs along the screen's height (top bars) or width.
bool IsVerticalAxis(LayoutBar bar);
bool IsCalendarBar(LayoutBar bar);

// The order in which a page's four position displays are refreshed when the
// page is loaded or brought to front: calendar left, calendar top, schedule
// left, schedule top.
inline constexpr std::array<LayoutBar, 4> kPositionRefreshOrder = {
    LayoutBar::kCalendarLeft, LayoutBar::kCalendarTop, LayoutBar::kScheduleLeft,
    LayoutBar::kScheduleTop};

// The order in which "位置揃" sets the bars from page 1's stored layout.
inline constexpr std::array<LayoutBar, 7> kCopyPositionsOrder = {
    LayoutBar::kMonth,       LayoutBar::kLine,        LayoutBar::kChar,
    LayoutBar::kCalendarLeft, LayoutBar::kCalendarTop, LayoutBar::kScheduleLeft,
    LayoutBar::kScheduleTop};

// The distances of a position from the near (left or top) and the far screen
// edge, as the number panels show them.
struct EdgeDistances {
  int near_edge = 0;
  int far_edge = 0;
};
EdgeDistances DistancesFromEdges(int position, int screen_extent);

// Where a position bar moves the marker along its axis: the position scaled
// by screen ÷ miniature × 1.1 and rounded to the nearest integer. The factor
// 1.1 keeps the marker's edge inside the miniature at the far end of the
// range. 0 for a screen without extent.
int MarkerOffset(int position, int screen_extent, int miniature_extent);

// Where the orientation switch places the calendar marker it shows: the
// calendar position divided (integer division) by the screen-to-miniature
// ratios, each rounded to the nearest integer, without the factor 1.1.
struct MarkerPlace {
  int left = 0;
  int top = 0;
};
MarkerPlace OrientationMarkerPlace(int calendar_left, int calendar_top, int screen_width,
                                   int screen_height);

}  // namespace murva
