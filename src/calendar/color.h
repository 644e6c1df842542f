// Colours as the calendar stores them: 0x00BBGGRR, red in the low byte.
#pragma once

#include <cstdint>

namespace murva {

using Color = std::uint32_t;

inline constexpr Color kClBlack = 0x000000;
inline constexpr Color kClWhite = 0xFFFFFF;
inline constexpr Color kClRed = 0x0000FF;
inline constexpr Color kClBlue = 0xFF0000;
inline constexpr Color kClGreen = 0x008000;   // red 0, green 128, blue 0
inline constexpr Color kClNavy = 0x800000;    // red 0, green 0, blue 128
inline constexpr Color kClSilver = 0xC0C0C0;  // red, green and blue 192
inline constexpr Color kClAqua = 0xFFFF00;
inline constexpr Color kClFuchsia = 0xFF00FF;
inline constexpr Color kClLime = 0x00FF00;
// The window background colour of the desktop theme the calendar assumes.
inline constexpr Color kClWindow = 0xFFFFFF;

}  // namespace murva
