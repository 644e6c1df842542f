// The old (lunisolar) calendar date and the rokuyo of a day number, looked up
// in the built-in month table.
#pragma once

#include <cstdint>

namespace murva {

// Old-calendar month (1..12, or 101..112 for a leap month) and day (1..30) of
// a day number; both 0 when the day lies outside the table.
void JuliusToOldDate(std::int32_t julius, int& month, int& day);

// Index 0..6 into RokuyoNames; 0 when the old-calendar date is unknown.
int JuliusToRokuyo(std::int32_t julius);

}  // namespace murva
