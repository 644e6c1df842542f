// The date macros of title texts: "$yyyy", "$yy", "$mm", "$dd", "$YYYY",
// "$YY", "$MM", "$DD", "$WW", "$ww", "$WD", "$wd" and "$os".
#pragma once

#include <string>

#include "calendar/clock.h"
#include "render/today_fields.h"

namespace murva {

// At most this many passes are made over one text.
inline constexpr int kMaxMacroPasses = 10;

// Replaces macros in place. Each pass replaces the first occurrence of the
// first macro of the table that occurs in the text; a pass that finds none
// still counts, and a "$" that starts no macro stays as it is. Year, month and
// day come from today's start-up fields, the weekday from the clock's date.
void ExpandTitleMacros(std::string& text, const TodayFields& today, const Clock& clock);

// The text with every ASCII digit replaced by its full-width form ("０".."９").
std::string FullWidthDigits(const std::string& text);

}  // namespace murva
