#include "app/page_choice.h"

#include <vector>

namespace murva {

int ChooseWeekdayPage(int weekday, const std::array<int, 7>& weekday_pages,
                      const StoredPaths& paths) {
  int page = 1;
  if (weekday >= 1 && weekday <= 7) page = weekday_pages[weekday - 1] + 1;
  if (page < 1 || page > 8 || paths[page - 1].empty()) page = 1;
  return page;
}

std::optional<int> ChooseRandomPage(const StoredPaths& paths, int last_page,
                                    RandomSource& random) {
  std::vector<int> candidates;
  for (int n = 1; n <= 8; ++n) {
    if (!paths[n - 1].empty()) candidates.push_back(n);
  }
  const int count = static_cast<int>(candidates.size());
  if (count == 0) return std::nullopt;
  int position = random.Next(count) + 1;
  if (candidates[position - 1] == last_page) {
    ++position;
    if (position > count) position = 1;
  }
  return candidates[position - 1];
}

}  // namespace murva
