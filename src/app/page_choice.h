// Choosing today's wallpaper page for an automatic run.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "calendar/random_source.h"

namespace murva {

enum PageChoiceMode { kModeBasic = 0, kModeWeek = 1, kModeRandom = 2, kModeNewRandom = 3 };

// The stored background paths of pages 1..8 ("EditPathW<n>").
using StoredPaths = std::array<std::string, 8>;

// WEEK: the page assigned to the weekday (1 = Sunday .. 7 = Saturday); page 1
// when that page has no stored background.
int ChooseWeekdayPage(int weekday, const std::array<int, 7>& weekday_pages,
                      const StoredPaths& paths);

// RANDOM / NewRANDOM: a random page among those with a stored background,
// never the last one twice in a row when there are two or more. nullopt when
// no page has a background.
std::optional<int> ChooseRandomPage(const StoredPaths& paths, int last_page,
                                    RandomSource& random);

}  // namespace murva
