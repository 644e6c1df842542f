#include "schedule/schedule_list.h"

#include <algorithm>
#include <stdexcept>

#include "schedule/line_order.h"

namespace murva {
void SortLines(std::vector<std::string>& lines) {
  if (lines.size() < 2 || std::is_sorted(lines.begin(), lines.end())) return;
  const std::vector<std::size_t> order =
      SortedLineOrder(lines.size(), [&lines](std::size_t i) { return std::string_view(lines[i]); });
  std::vector<std::string> sorted;
  sorted.reserve(lines.size());
  for (const std::size_t index : order) sorted.push_back(std::move(lines[index]));
  lines.swap(sorted);
}

ScheduleList::ScheduleList(std::vector<std::string> lines) { Assign(std::move(lines)); }

std::size_t ScheduleList::Insert(std::string line) {
  auto place = std::upper_bound(lines_.begin(), lines_.end(), line);
  place = lines_.insert(place, std::move(line));
  return static_cast<std::size_t>(place - lines_.begin());
}

void ScheduleList::Assign(std::vector<std::string> lines) {
  lines_ = std::move(lines);
  SortLines(lines_);
}

void ScheduleList::RemoveAt(std::size_t index) {
  if (index >= lines_.size()) throw std::out_of_range("schedule list index out of range");
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
}

void ScheduleList::RemoveAt(std::vector<std::size_t> indices) {
  for (std::size_t index : indices) {
    if (index >= lines_.size()) throw std::out_of_range("schedule list index out of range");
  }
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  std::vector<std::string> kept;
  kept.reserve(lines_.size() - indices.size());
  std::size_t next = 0;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (next < indices.size() && indices[next] == i) {
      ++next;
      continue;
    }
    kept.push_back(std::move(lines_[i]));
  }
  lines_ = std::move(kept);
}

void ScheduleList::RemoveDuplicates() {
  lines_.erase(std::unique(lines_.begin(), lines_.end()), lines_.end());
}

}  // namespace murva
