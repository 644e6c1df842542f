// The month calendars of the wallpaper: one to six consecutive months in the
// box form (a grid of seven weekday columns) or in the line forms (the days of
// a month in one horizontal or vertical line, optionally moved off the line by
// a wave, a random jolt, a shock or a biorhythm curve).
//
// The drawing reads its settings from the working copy (calendar style,
// period, label styles, today mark, day font, single-digit adjustment, week
// start, 3D text) and the active page (orientation, day-type and today
// colours, shadow colour, layout), asks the calendar engine for day numbers
// and colours cell by cell, and steps the engine from month to month. The
// engine is left on the last month drawn.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "calendar/random_source.h"
#include "render/almanac_line.h"
#include "render/canvas.h"
#include "render/today_mark.h"
#include "render/today_fields.h"
#include "settings/working_copy.h"

namespace murva {

class TCalendarEx;

using ShowMessageFn = std::function<void(const std::string&)>;

// Calendar styles of the settings.
inline constexpr int kCalendarStyleLine = 0;
inline constexpr int kCalendarStyleBox = 1;
inline constexpr int kCalendarStyleBioPhysical = 2;
inline constexpr int kCalendarStyleBioEmotional = 3;
inline constexpr int kCalendarStyleBioIntellectual = 4;
inline constexpr int kCalendarStyleWave = 5;
inline constexpr int kCalendarStyleRandom = 6;
inline constexpr int kCalendarStyleShock = 7;

// Shown, after the month number, when a biorhythm style meets the vertical
// orientation.
inline constexpr const char* kVerticalBioRefusal =
    "月のカレンダ作成を中止： 縦位置表示の場合はバイオリズム形を使用できません";

class CalendarDrawing {
 public:
  CalendarDrawing(Canvas& canvas, TCalendarEx& engine, const WorkingCopy& copy,
                  const TodayFields& today, RandomSource& random, ShowMessageFn show_message);

  // The engine's month := month (ignored by the engine when the day does not
  // exist in it), then the day-type colours of the active page into the
  // engine.
  void PrepareEngineMonth(int month);

  // The months of the period, each at its slot, from the engine's current
  // date (which the build has set to today). The box form resets LastRowY
  // first for periods 1..6.
  void DrawLineMonths();
  void DrawBoxMonths();

  // The engine's current month at month slot 0..5.
  void DrawLineMonth(int slot);
  void DrawBoxMonth(int slot);

  // The y of the row holding the last day of the month most recently drawn in
  // the box form (with the almanac line on, moved down by the room the line
  // adds to a row, so that the next month keeps its distance from it).
  int LastRowY() const { return last_row_y_; }
  void SetLastRowY(int y) { last_row_y_ = y; }

 private:
  struct Metrics {
    int w = 0;  // average digit width
    int h = 0;  // line height
  };

  Metrics SetDayFont();
  // Chooses and sets the almanac line's font: the day font's face (not bold,
  // not underlined), two thirds of its size, made smaller until every name it may show is
  // narrower than a column. Returns the line's height.
  int FitAlmanacFont(int column_pitch);
  // Sets the font FitAlmanacFont chose.
  void UseAlmanacFont();
  // With today underlined: how far the almanac line moves down below a day
  // number of height `day_height`, so that the underline stays clear of it
  // (the underline of some fonts reaches the last pixel of the line, where
  // it would read as a stroke of the word below: "大雪" as "天雪").
  int UnderlineClearance(int day_height);
  // Sets the font colour of a day (and the underline of today's mark).
  void ColorDay(int col, int row, int day);
  bool IsToday(int day) const;
  void RemoveUnderline();
  void Text(int x, int y, const std::string& text);
  // Shows a message to the user (nothing when no one listens).
  void Tell(const std::string& message);
  template <typename DrawSlot>
  void DrawPeriod(DrawSlot draw_slot);
  // The phase of the biorhythm style for the engine's month; false (after
  // showing why) when the birthday cannot be used.
  bool PrepareBiorhythm(int& phase);
  // How far a day moves off the line under the calendar style: down (y) in
  // the horizontal form, right (x) in the vertical form.
  int HorizontalShift(int day, int phase);
  int VerticalShift(int day);

  Canvas& canvas_;
  TCalendarEx& engine_;
  const WorkingCopy& copy_;
  const TodayFields& today_;
  RandomSource& random_;
  ShowMessageFn show_message_;
  int last_row_y_ = 0;
  // Chosen by FitAlmanacFont for a column pitch (the months of one drawing
  // share it, so the choice is made once).
  int almanac_points_ = kMinAlmanacPoints;
  int almanac_height_ = 0;
  int almanac_pitch_ = -1;
};

// The calendar step of the wallpaper build: the box form for calendar style 1,
// the line forms for every other style.
void DrawCalendars(Canvas& canvas, TCalendarEx& engine, const WorkingCopy& copy,
                   const TodayFields& today, RandomSource& random,
                   const std::function<void(const std::string&)>& show_message);

}  // namespace murva
