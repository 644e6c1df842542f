// The days of the 24 solar terms (二十四節気: the Sun's apparent longitude
// at each multiple of 15 degrees, on the day of Japan Standard Time) of every
// year from kSolarTermFirstYear to kSolarTermLastYear, each row in the order
// of SolarTermNames (春分 first).
//
// Generated from the motion of the Sun by murva_oldcal_gen (tools/oldcal)
// into solar_term_days.cpp; do not edit it by hand.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace murva {

inline constexpr int kSolarTermFirstYear = 1900;
inline constexpr int kSolarTermLastYear = 2100;
inline constexpr std::size_t kSolarTermYears =
    static_cast<std::size_t>(kSolarTermLastYear - kSolarTermFirstYear + 1);

extern const std::array<std::array<std::int32_t, 24>, kSolarTermYears> SolarTermDays;

}  // namespace murva
