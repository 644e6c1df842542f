// The font set of a month calendar: seven fonts in a fixed order, one for each
// kind of text the calendar shows.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "calendar/color.h"

namespace murva {

// Font style bits.
inline constexpr int kFontBold = 1;
inline constexpr int kFontItalic = 2;
inline constexpr int kFontUnderline = 4;
inline constexpr int kFontStrikeOut = 8;

// One font as plain data.
struct TCalExFont {
  std::string name = "ＭＳ Ｐゴシック";
  int size = 9;            // points
  int style = 0;           // sum of the kFont* bits
  Color color = kClBlack;  // 0x00BBGGRR

  // Character height in pixels at 96 dots per inch (size 9 -> 12).
  int PixelHeight() const;
  // Sets size from a character height in pixels (12 -> 9, 13 -> 10).
  void SetPixelHeight(int pixels);

  friend bool operator==(const TCalExFont&, const TCalExFont&) = default;
};

// Index order of the seven fonts.
enum class CalFontIndex {
  kWeekday = 0,
  kSaturday = 1,
  kSunday = 2,
  kDayOfWeek = 3,  // the weekday header row
  kHoliday = 4,
  kSpecialDay = 5,
  kRokuyo = 6,
};
inline constexpr int kCalFontCount = 7;

class TCalExFonts {
 public:
  // changed is called after every change of a font (the owner redraws).
  explicit TCalExFonts(std::function<void()> changed = {});
  // Copies take the fonts and the Synchronize flag, never the owner's change
  // handler; assigning a whole set counts as one change of the target.
  TCalExFonts(const TCalExFonts& other);
  TCalExFonts& operator=(const TCalExFonts& other);

  const TCalExFont& Font(CalFontIndex index) const;
  // Assigns one font; with Synchronize on, all seven get the value.
  void SetFont(CalFontIndex index, const TCalExFont& font);
  // Changes the colour of one font only (Synchronize does not apply).
  void SetColor(CalFontIndex index, Color color);
  Color ColorOf(CalFontIndex index) const { return Font(index).color; }

  const TCalExFont& Weekday() const { return Font(CalFontIndex::kWeekday); }
  const TCalExFont& Saturday() const { return Font(CalFontIndex::kSaturday); }
  const TCalExFont& Sunday() const { return Font(CalFontIndex::kSunday); }
  const TCalExFont& DayOfWeek() const { return Font(CalFontIndex::kDayOfWeek); }
  const TCalExFont& Holiday() const { return Font(CalFontIndex::kHoliday); }
  const TCalExFont& SpecialDay() const { return Font(CalFontIndex::kSpecialDay); }
  const TCalExFont& Rokuyo() const { return Font(CalFontIndex::kRokuyo); }
  void SetWeekday(const TCalExFont& f) { SetFont(CalFontIndex::kWeekday, f); }
  void SetSaturday(const TCalExFont& f) { SetFont(CalFontIndex::kSaturday, f); }
  void SetSunday(const TCalExFont& f) { SetFont(CalFontIndex::kSunday, f); }
  void SetDayOfWeek(const TCalExFont& f) { SetFont(CalFontIndex::kDayOfWeek, f); }
  void SetHoliday(const TCalExFont& f) { SetFont(CalFontIndex::kHoliday, f); }
  void SetSpecialDay(const TCalExFont& f) { SetFont(CalFontIndex::kSpecialDay, f); }
  void SetRokuyo(const TCalExFont& f) { SetFont(CalFontIndex::kRokuyo, f); }

  bool Synchronize() const { return synchronize_; }
  void SetSynchronize(bool on) { synchronize_ = on; }

  void SetChangedHandler(std::function<void()> changed) { changed_ = std::move(changed); }

 private:
  void FontChanged();

  std::array<TCalExFont, kCalFontCount> fonts_;
  bool synchronize_ = false;
  std::function<void()> changed_;
};

}  // namespace murva
