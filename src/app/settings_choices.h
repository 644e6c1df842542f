// What the settings tabs "基本の設定" and "タイトル入力" offer: the choice
// boxes with their item texts and the working-copy field each one edits
// (the stored number is the position of the chosen item), the ranges of the
// number fields, and the hints of the title controls.
#pragma once

#include <span>
#include <string>

#include "settings/setting_keys.h"
#include "settings/working_copy.h"

namespace murva {

struct ChoiceList {
  const char* control;                 // object name of the choice box
  const char* label;                   // caption beside it
  std::span<const char* const> items;  // item texts, in stored order
  int WorkingCopy::*field;             // the selection it edits
  const SettingKey* key;               // where it is stored
  bool affects_picture;                // a change redraws the wallpaper
};

// The six choice boxes of "基本の設定", in the order the tab shows them.
std::span<const ChoiceList> BasicSettingsChoices();

// The item index a choice box shows for a stored selection; -1 (no item)
// for a selection that names none.
int ShownIndex(const ChoiceList& choice, int selection);

struct NumberRange {
  int min;
  int max;
};

// SpinEditAdj: the horizontal nudge of one-digit dates.
NumberRange OneDigitAdjustRange();
// SpinEditT2 .. SpinEditT4: the distance of a title line from the one before.
NumberRange TitleGapRange();
// ScrollBarTitleLeft / ScrollBarTitleTop: the first title line's position,
// over the screen the wallpaper is built for.
NumberRange TitleLeftRange(int screen_width);
NumberRange TitleTopRange(int screen_height);

// Hints of the title controls of line 1 .. 4 ("１行目のタイトルのフォント指定", ...).
std::string TitleFontHint(int line);
std::string TitleSizeHint(int line);
std::string TitleTextHint(int line);
// Hint of the gap field of line 2 .. 4 ("１行目との間隔を設定", ...).
std::string TitleGapHint(int line);

// The name a title line goes by in messages ("タイトル２行目").
std::string TitleFieldName(int line);

// The sample texts and hints of the two font panels.
inline constexpr const char* kDateFontSample = "123";
inline constexpr const char* kScheduleFontSample = "予定";
inline constexpr const char* kFontButtonHint = "フォント色は中間パネルで設定します";
inline constexpr const char* kOneDigitAdjustHint = "１桁の日付を水平方向に微調整します";

}  // namespace murva
