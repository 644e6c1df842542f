#include "schedule/schedule_purge.h"

#include <tuple>
#include <vector>

namespace murva {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int TwoDigitValue(std::string_view text, std::size_t pos) {
  return (text[pos] - '0') * 10 + (text[pos + 1] - '0');
}

}  // namespace

bool IsPastEntry(std::string_view line, const TodayFields& today) {
  if (line.size() < 8) return false;
  static constexpr std::size_t kDigitPositions[] = {0, 1, 3, 4, 6, 7};
  for (std::size_t pos : kDigitPositions) {
    if (!IsDigit(line[pos])) return false;
  }
  if (line[2] != '/' || line[5] != '/') return false;
  const int year = today.year - today.year % 100 + TwoDigitValue(line, 0);
  const int month = TwoDigitValue(line, 3);
  const int day = TwoDigitValue(line, 6);
  return std::tie(year, month, day) < std::tie(today.year, today.month, today.day);
}

int RemovePastEntries(ScheduleList& entries, const TodayFields& today) {
  std::vector<std::string> kept;
  kept.reserve(entries.Size());
  int removed = 0;
  for (const std::string& line : entries) {
    if (IsPastEntry(line, today)) {
      ++removed;
    } else {
      kept.push_back(line);
    }
  }
  if (removed > 0) entries.Assign(std::move(kept));
  return removed;
}

std::string PurgeResultMessage(int removed) {
  if (removed == 0) return kPurgeNothingMessage;
  return std::to_string(removed) + kPurgeDoneSuffix;
}

}  // namespace murva
