// Shared pieces of the drawing tests: a calendar engine standing on a fixed
// day, a random source that plays back chosen values, a working copy with a
// known layout, and the Qt application that text rasterising needs.
#pragma once

#include <QGuiApplication>
#include <memory>
#include <string>
#include <vector>

#include "calendar/calendar_ex.h"
#include "calendar/calendar_ex1.h"
#include "calendar/clock.h"
#include "calendar/julius.h"
#include "calendar/random_source.h"
#include "render/recording_canvas.h"
#include "render/today_fields.h"
#include "settings/working_copy.h"

namespace murva::test {

// The Qt application of the test process (offscreen unless told otherwise).
inline QGuiApplication& GuiApp() {
  static QGuiApplication* app = [] {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "render_tests";
    static char* argv[] = {name, nullptr};
    return new QGuiApplication(argc, argv);
  }();
  return *app;
}

// The engine as the build leaves it before the calendars: on today's date.
class EngineOnDay {
 public:
  EngineOnDay(int year, int month, int day)
      : clock_(std::make_unique<FixedClock>(LocalDateTime{year, month, day, 9, 0, 0})),
        engine_(MakeCalendarEx1(*clock_)),
        today_(TodayFields::Of(year, month, day)) {
    engine_->SetJuliusDay(DateToJulius(year, month, day));
  }

  TCalendarEx& Engine() { return *engine_; }
  const TodayFields& Today() const { return today_; }
  FixedClock& ClockSource() { return *clock_; }

 private:
  // On the heap, so that the engine's reference survives a move.
  std::unique_ptr<FixedClock> clock_;
  std::unique_ptr<TCalendarEx> engine_;
  TodayFields today_;
};

// Plays back values (each reduced below the range asked for) and remembers
// the ranges asked for.
class ScriptedRandom final : public RandomSource {
 public:
  explicit ScriptedRandom(std::vector<int> values = {}) : values_(std::move(values)) {}
  int Next(int n) override {
    asked_.push_back(n);
    if (n <= 0) return 0;
    const int value = next_ < values_.size() ? values_[next_++] : 0;
    return value % n;
  }
  const std::vector<int>& Asked() const { return asked_; }

 private:
  std::vector<int> values_;
  std::size_t next_ = 0;
  std::vector<int> asked_;
};

// Page colours that are all different from each other.
inline constexpr Color kWeekdayColor = 0xEEEEEE;
inline constexpr Color kSaturdayColor = 0xFF8000;
inline constexpr Color kSundayColor = 0x2020FF;
inline constexpr Color kHolidayColor = 0xFF20FF;
inline constexpr Color kSpecialColor = 0x20FF20;
inline constexpr Color kTodayColor = 0x00FFFF;
inline constexpr Color kShadowColor = 0x102030;
inline constexpr Color kTitleColor = 0xA0B0C0;

// Calendar at (100, 50), month spacing 30, line spacing 20, day spacing 5.
inline WorkingCopy LayoutCopy() {
  WorkingCopy copy;
  copy.wallpaper_page = 3;
  PageValues& page = copy.ActivePage();
  page.weekday = kWeekdayColor;
  page.saturday = kSaturdayColor;
  page.sunday = kSundayColor;
  page.holiday = kHolidayColor;
  page.special = kSpecialColor;
  page.today = kTodayColor;
  page.shadow = kShadowColor;
  page.title = kTitleColor;
  copy.layout.calendar_x = 100;
  copy.layout.calendar_y = 50;
  copy.layout.month_spacing = 30;
  copy.layout.line_spacing = 20;
  copy.layout.day_spacing = 5;
  copy.period = 0;
  copy.month_label_style = 1;
  copy.weekday_label_style = 1;
  copy.today_mark = 1;
  copy.one_digit_adjust = 0;
  copy.text_3d = false;
  return copy;
}

inline void SetHorizontal(WorkingCopy& copy) { copy.ActivePage().orientation = kHorizontalCaption; }
inline void SetVertical(WorkingCopy& copy) { copy.ActivePage().orientation = kVerticalCaption; }

// The drawn texts equal to text, in drawing order.
inline std::vector<DrawnText> Find(const RecordingCanvas& canvas, const std::string& text) {
  std::vector<DrawnText> found;
  for (const DrawnText& drawn : canvas.Drawn()) {
    if (drawn.text == text) found.push_back(drawn);
  }
  return found;
}

// The only drawn text equal to text (a default one, failing the test, if not
// exactly one).
DrawnText FindOne(const RecordingCanvas& canvas, const std::string& text);

}  // namespace murva::test
