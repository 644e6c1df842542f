// Biorhythm curves: the physical (23 days), emotional (28 days) and
// intellectual (33 days) cycles, counted from the user's birthday.
//
// The birthday is kept as "yy/mm/dd" with a two-digit year. The century is
// chosen so that the birthday does not lie in the future: yy is read as 20yy
// when that year is not after the current year, otherwise as 19yy (so in
// 2026 "80/02/12" is 12 February 1980 and "05/07/01" is 1 July 2005).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace murva {

// Shown, after the month number, when the birthday cannot be used.
inline constexpr const char* kBirthdayRefusal =
    "月のバイオリズム形カレンダ作成を中止： 誕生日が未設定、または不適当な値です．"
    "「特別な設定」ページの誕生日欄で入力を確認してください";

// The cycle length in days of a biorhythm calendar style (2, 3, 4); 0 for
// any other style.
int BioPeriodOfStyle(int calendar_style);

// The day number of a birthday text "yy/mm/dd" (month and day may also have
// one digit), with the century rule above relative to current_year; nullopt
// when the text is empty or not such a date.
std::optional<std::int32_t> ParseBirthday(const std::string& text, int current_year);

// The days from the last start of a period-day cycle to first_day: in
// 1..period when the birthday lies more than one period before first_day,
// else first_day - birthday unchanged (0..period, or negative for a birthday
// after first_day). A whole number of periods gives period, not 0.
int BioPhase(std::int32_t birthday, std::int32_t first_day, int period);

// The lift of day 1..31 on the curve: nearest(sin((day + phase) * 360 /
// period degrees) * amplitude). Subtracted from the line's base y.
int BioLift(int day, int phase, int period, int amplitude);

}  // namespace murva
