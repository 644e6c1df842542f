#include "render/calendar_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "calendar/almanac_names.h"
#include "calendar/calendar_ex.h"
#include "calendar/julius.h"
#include "render/almanac_line.h"
#include "render/biorhythm.h"
#include "render/labels.h"
#include "render/nearest.h"
#include "render/text_3d.h"
#include "settings/cp932.h"

namespace murva {

namespace {

// A cell value from this number on is a day of a neighbouring month.
constexpr int kNeighborDay = 100;
constexpr int kDayRows = 6;
constexpr int kColumns = 7;

bool IsBiorhythmStyle(int style) { return BioPeriodOfStyle(style) > 0; }

// An almanac text waiting to be drawn under its day number, centred on the
// column.
struct AlmanacEntry {
  int center_x = 0;
  int y = 0;
  Color color = 0;
  std::string text;
};

}  // namespace

CalendarDrawing::CalendarDrawing(Canvas& canvas, TCalendarEx& engine, const WorkingCopy& copy,
                                 const TodayFields& today, RandomSource& random,
                                 ShowMessageFn show_message)
    : canvas_(canvas),
      engine_(engine),
      copy_(copy),
      today_(today),
      random_(random),
      show_message_(std::move(show_message)) {}

void CalendarDrawing::PrepareEngineMonth(int month) {
  engine_.SetMonth(month);
  const PageValues& page = copy_.ActivePage();
  engine_.SetWeekdayColor(page.weekday);
  engine_.SetSaturdayColor(page.saturday);
  engine_.SetSundayColor(page.sunday);
  engine_.SetHolidayColor(page.holiday);
  engine_.SetSpecialDayColor(page.special);
}

template <typename DrawSlot>
void CalendarDrawing::DrawPeriod(DrawSlot draw_slot) {
  const int month = today_.month;
  // The date the build set the engine to; "back to today" returns here.
  const std::int32_t today_julius = engine_.JuliusDay();
  const int period = copy_.period;
  switch (period) {
    case 0:
      PrepareEngineMonth(month);
      draw_slot(0);
      break;
    case 1:
      PrepareEngineMonth(month);
      draw_slot(0);
      engine_.NextMonth();
      draw_slot(1);
      break;
    case 2:
      PrepareEngineMonth(month);
      engine_.PrevMonth();
      draw_slot(0);
      engine_.SetJuliusDay(today_julius);
      PrepareEngineMonth(month);
      draw_slot(1);
      engine_.NextMonth();
      draw_slot(2);
      break;
    case 3:
    case 4:
    case 5:
    case 6:
      engine_.SetJuliusDay(today_julius);
      PrepareEngineMonth(month);
      for (int slot = 0; slot < period; ++slot) {
        draw_slot(slot);
        if (slot + 1 < period) engine_.NextMonth();
      }
      break;
    default:
      break;  // no such period: nothing is drawn
  }
}

void CalendarDrawing::DrawLineMonths() {
  DrawPeriod([this](int slot) { DrawLineMonth(slot); });
}

void CalendarDrawing::DrawBoxMonths() {
  if (copy_.period >= 1 && copy_.period <= 6) last_row_y_ = 0;
  DrawPeriod([this](int slot) { DrawBoxMonth(slot); });
}

CalendarDrawing::Metrics CalendarDrawing::SetDayFont() {
  canvas_.SetBrushClear();
  canvas_.SetFont(copy_.date_font);
  Metrics metrics;
  metrics.w = canvas_.TextWidth("23456789") / 8;
  metrics.h = canvas_.TextHeight("9");
  return metrics;
}

int CalendarDrawing::FitAlmanacFont(int column_pitch) {
  if (column_pitch == almanac_pitch_) {
    UseAlmanacFont();
    return almanac_height_;
  }
  std::vector<std::string_view> names;
  if (copy_.show_rokuyo) names.insert(names.end(), RokuyoNames.begin() + 1, RokuyoNames.end());
  if (copy_.show_solar_terms) names.insert(names.end(), SolarTermNames.begin(), SolarTermNames.end());
  for (almanac_points_ = AlmanacFontPoints(copy_.date_font.size);; --almanac_points_) {
    UseAlmanacFont();
    if (almanac_points_ <= kMinAlmanacPoints) break;
    int widest = 0;
    for (std::string_view name : names) {
      widest = std::max(widest, canvas_.TextWidth(std::string(name)));
    }
    if (widest < column_pitch) break;
  }
  almanac_pitch_ = column_pitch;
  almanac_height_ = canvas_.TextHeight("大安");
  return almanac_height_;
}

void CalendarDrawing::UseAlmanacFont() {
  canvas_.SetFontName(copy_.date_font.name);
  // Small bold kanji blur; the line keeps only the day font's italic.
  canvas_.SetFontStyle(copy_.date_font.style & kStyleItalic);
  canvas_.SetFontSize(almanac_points_);
}

int CalendarDrawing::UnderlineClearance(int day_height) {
  if (copy_.today_mark != kTodayMarkUnderline) return 0;
  const int style = canvas_.Font().style;
  canvas_.SetFontStyle(style | kStyleUnderline);
  const int underline_bottom = canvas_.UnderlineBottom();
  canvas_.SetFontStyle(style);
  // A free line of pixels (two from a middle size on) between the underline
  // and the word.
  const int free = std::max(1, day_height / 8);
  return std::max(0, underline_bottom + free - day_height);
}

bool CalendarDrawing::IsToday(int day) const {
  return engine_.Month() == today_.month && day == today_.day;
}

void CalendarDrawing::ColorDay(int col, int row, int day) {
  canvas_.SetFontColor(engine_.CellColor(col, row));
  if (!IsToday(day)) return;
  if (copy_.today_mark == kTodayMarkColor) {
    canvas_.SetFontColor(copy_.ActivePage().today);
  } else if (copy_.today_mark == kTodayMarkUnderline) {
    canvas_.SetFontStyle(canvas_.Font().style | kStyleUnderline);
  }
}

void CalendarDrawing::RemoveUnderline() {
  // Back to the day font's own style: only the underline of today's mark
  // goes, an underlined day font stays underlined for every day.
  canvas_.SetFontStyle(copy_.date_font.style);
}

void CalendarDrawing::Tell(const std::string& message) {
  if (show_message_) show_message_(message);
}

void CalendarDrawing::Text(int x, int y, const std::string& text) {
  if (text.empty()) return;
  DrawText3D(canvas_, x, y, text, copy_.text_3d, copy_.ActivePage().shadow);
}

void CalendarDrawing::DrawBoxMonth(int slot) {
  const PageValues& page = copy_.ActivePage();
  const PageLayout& layout = copy_.layout;
  const bool horizontal = page.orientation == kHorizontalCaption;

  engine_.SetFirstDayOfWeek(copy_.monday_first ? dowMon : dowSun);
  const Metrics m = SetDayFont();
  const int month = engine_.Month();
  const int days = engine_.DaysOfMonth(engine_.Year(), month);

  const int pitch = layout.day_spacing + 2 * m.w;
  int x0 = layout.calendar_x;
  int y0 = layout.calendar_y;
  if (horizontal) {
    x0 = layout.calendar_x + slot * (kColumns * pitch + layout.month_spacing);
  } else if (slot > 0) {
    y0 = last_row_y_ + layout.month_spacing;
  }

  if (copy_.month_label_style > 0) {
    canvas_.SetFontColor(page.weekday);
    Text(x0, y0, MonthLabel(copy_.month_label_style, month));
  }

  const int weekday_style = copy_.weekday_label_style;
  if (weekday_style > 0) {
    y0 += layout.line_spacing;
    if (copy_.monday_first) {
      for (int col = 0; col < 6; ++col) {
        canvas_.SetFontColor(col == 5 ? engine_.SaturdayColor() : engine_.WeekdayColor());
        Text(x0 + col * pitch, y0, WeekdayLabel(weekday_style, col + 2));
      }
      canvas_.SetFontColor(engine_.SundayColor());
      Text(x0 + 6 * layout.day_spacing + 12 * m.w, y0, WeekdayLabel(weekday_style, 1));
    } else {
      for (int col = 0; col < kColumns; ++col) {
        Color color = engine_.WeekdayColor();
        if (col == 0) color = engine_.SundayColor();
        if (col == 6) color = engine_.SaturdayColor();
        canvas_.SetFontColor(color);
        Text(x0 + col * pitch, y0, WeekdayLabel(weekday_style, col + 1));
      }
    }
  }

  // With the almanac line on, every day row grows by the line's height (and
  // is never closer than a day number's height), so the line under one row
  // stays clear of the next.
  const bool almanac = copy_.show_rokuyo || copy_.show_solar_terms;
  int row_pitch = layout.line_spacing;
  int almanac_gap = 0;
  if (almanac) {
    almanac_gap = UnderlineClearance(m.h);
    row_pitch = std::max(layout.line_spacing, m.h) + almanac_gap + FitAlmanacFont(pitch);
    SetDayFont();
  }
  std::vector<AlmanacEntry> almanac_entries;

  // The first day row lies a line spacing below the header; the next ones a
  // row pitch below the one before.
  int step = layout.line_spacing;
  for (int row = 1; row <= kDayRows; ++row) {
    y0 += step;
    bool row_has_text = false;
    for (int col = 0; col < kColumns; ++col) {
      const int day = engine_.CellDay(col, row);
      if (day >= kNeighborDay) continue;
      row_has_text = true;
      ColorDay(col, row, day);
      if (day >= 10) {
        Text(x0 + col * pitch, y0, std::to_string(day));
      } else {
        Text(x0 + col * pitch + copy_.one_digit_adjust - m.w / 2, y0,
             " " + std::to_string(day));
      }
      if (almanac) {
        std::string text = AlmanacText(DateToJulius(engine_.Year(), month, day),
                                       copy_.show_rokuyo, copy_.show_solar_terms);
        if (!text.empty()) {
          almanac_entries.push_back(
              {x0 + col * pitch + m.w, y0 + m.h + almanac_gap, canvas_.Font().color,
               std::move(text)});
        }
      }
      RemoveUnderline();
      if (day == days) last_row_y_ = y0 + (row_pitch - layout.line_spacing);
    }
    // A first row made only of the month before leaves no gap.
    if (row == 1 && !row_has_text) {
      y0 -= step;
    } else {
      step = row_pitch;
    }
  }

  if (!almanac_entries.empty()) {
    UseAlmanacFont();
    for (const AlmanacEntry& entry : almanac_entries) {
      canvas_.SetFontColor(entry.color);
      // Centred under the column, and kept inside the picture.
      const int width = canvas_.TextWidth(entry.text);
      const int x = std::clamp(entry.center_x - width / 2, 0, std::max(0, canvas_.Width() - width));
      Text(x, entry.y, entry.text);
    }
    SetDayFont();
  }
}

bool CalendarDrawing::PrepareBiorhythm(int& phase) {
  const std::optional<std::int32_t> birthday = ParseBirthday(copy_.birthday, today_.year);
  if (!birthday) {
    Tell(std::to_string(engine_.Month()) + kBirthdayRefusal);
    return false;
  }
  const std::int32_t first_day = DateToJulius(engine_.Year(), engine_.Month(), 1);
  phase = BioPhase(*birthday, first_day, BioPeriodOfStyle(copy_.calendar_style));
  return true;
}

int CalendarDrawing::HorizontalShift(int day, int phase) {
  const int spacing = copy_.layout.line_spacing;
  const int style = copy_.calendar_style;
  switch (style) {
    case kCalendarStyleWave:
      return -Nearest(std::sin(static_cast<double>(day - 1)) * spacing);
    case kCalendarStyleRandom:
      return 2 * random_.Next(spacing);
    case kCalendarStyleShock:
      if (random_.Next(93) + 1 == today_.day) return 2 * random_.Next(spacing);
      return 0;
    default:
      if (IsBiorhythmStyle(style)) {
        return -BioLift(day, phase, BioPeriodOfStyle(style), spacing);
      }
      return 0;
  }
}

int CalendarDrawing::VerticalShift(int day) {
  const int spacing = copy_.layout.line_spacing;
  switch (copy_.calendar_style) {
    case kCalendarStyleWave:
      return -Nearest(std::sin(static_cast<double>(day - 1)) * spacing);
    case kCalendarStyleRandom:
      return 2 * random_.Next(spacing);
    case kCalendarStyleShock:
      if (random_.Next(31) + 1 == today_.day) return 2 * random_.Next(spacing);
      return 0;
    default:
      return 0;
  }
}

void CalendarDrawing::DrawLineMonth(int slot) {
  const PageValues& page = copy_.ActivePage();
  const PageLayout& layout = copy_.layout;
  const bool horizontal = page.orientation == kHorizontalCaption;

  const Metrics m = SetDayFont();
  const int month = engine_.Month();

  int x0 = layout.calendar_x;
  int y0 = layout.calendar_y;
  if (horizontal) {
    y0 += slot * layout.month_spacing;
  } else {
    x0 += slot * layout.month_spacing;
  }

  if (copy_.month_label_style > 0) {
    canvas_.SetFontColor(page.weekday);
    const std::string label = MonthLabel(copy_.month_label_style, month);
    if (horizontal) {
      Text(x0, y0, label);
      const int bytes = static_cast<int>(EncodeCp932Lossy(label).size());
      x0 += (bytes + 1) * m.w + layout.day_spacing;
    } else {
      Text(month >= 10 ? x0 : x0 - m.w, y0, label);
      y0 += m.h + layout.day_spacing;
    }
  }

  const int weekday_style = copy_.weekday_label_style;
  const int adjust = copy_.one_digit_adjust;
  const bool biorhythm = IsBiorhythmStyle(copy_.calendar_style);
  bool first_day = true;
  int phase = 0;
  for (int row = 1; row <= kDayRows; ++row) {
    for (int col = 0; col < kColumns; ++col) {
      const int day = engine_.CellDay(col, row);
      if (day >= kNeighborDay) continue;
      if (first_day) {
        first_day = false;
        if (biorhythm && !horizontal) {
          Tell(std::to_string(month) + kVerticalBioRefusal);
          return;
        }
        if (biorhythm && !PrepareBiorhythm(phase)) return;
      }
      ColorDay(col, row, day);
      const std::string number = std::to_string(day);
      if (horizontal) {
        const int y = y0 + HorizontalShift(day, phase);
        if (weekday_style > 0) {
          const int weekday = engine_.WeekdayOf(engine_.Year(), month, day);
          Text(x0, y - m.h, WeekdayLabel(weekday_style, weekday));
          Text(day >= 10 ? x0 : x0 + m.w / 2, y, number);
          x0 += 2 * m.w + layout.day_spacing;
        } else {
          Text(x0, y, number);
          x0 += (day >= 10 ? 2 * m.w : m.w) + layout.day_spacing;
        }
      } else {
        const int x = x0 + VerticalShift(day);
        const int y = y0 + (day - 1) * (Nearest(0.7 * m.h) + layout.day_spacing);
        std::string prefix;
        if (weekday_style > 0) {
          prefix = WeekdayLabel(weekday_style, engine_.WeekdayOf(engine_.Year(), month, day)) + " ";
        }
        if (day >= 10) {
          Text(x, y, prefix + number);
        } else {
          Text(x + adjust, y, prefix);
          Text(x + adjust + canvas_.TextWidth(prefix + " ") - m.w / 2, y, number);
        }
      }
      RemoveUnderline();
    }
  }
}

void DrawCalendars(Canvas& canvas, TCalendarEx& engine, const WorkingCopy& copy,
                   const TodayFields& today, RandomSource& random,
                   const std::function<void(const std::string&)>& show_message) {
  CalendarDrawing drawing(canvas, engine, copy, today, random, show_message);
  if (copy.calendar_style == kCalendarStyleBox) {
    drawing.DrawBoxMonths();
  } else {
    drawing.DrawLineMonths();
  }
}

}  // namespace murva
