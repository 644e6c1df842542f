// A sorted list of schedule lines.
//
// Lines are kept as their CP932 bytes, because every field of a schedule line
// is a byte position; they are decoded only for display. The order is plain
// ascending byte order of the whole line, so entries group by their year
// field, then month, then day, and output lines by their date. Equal lines
// may stand more than once.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace murva {

class ScheduleList {
 public:
  ScheduleList() = default;
  // The lines in sorted order, whatever order they come in.
  explicit ScheduleList(std::vector<std::string> lines);

  std::size_t Size() const { return lines_.size(); }
  bool Empty() const { return lines_.empty(); }
  const std::string& operator[](std::size_t index) const { return lines_[index]; }
  const std::string& At(std::size_t index) const { return lines_.at(index); }
  const std::vector<std::string>& Lines() const { return lines_; }
  std::vector<std::string>::const_iterator begin() const { return lines_.begin(); }
  std::vector<std::string>::const_iterator end() const { return lines_.end(); }

  // Inserts a line at its place (after any equal lines); returns its index.
  std::size_t Insert(std::string line);
  // Replaces the whole content by these lines, sorted.
  void Assign(std::vector<std::string> lines);
  // Removes the line at index; throws std::out_of_range for a bad index.
  void RemoveAt(std::size_t index);
  // Removes the lines at these indices (in any order, repeats allowed);
  // throws std::out_of_range, removing nothing, when one is out of range.
  void RemoveAt(std::vector<std::size_t> indices);
  // Keeps only the first of each run of equal lines.
  void RemoveDuplicates();
  void Clear() { lines_.clear(); }

  bool operator==(const ScheduleList&) const = default;

 private:
  std::vector<std::string> lines_;
};

// Sorts lines into plain ascending byte order.
void SortLines(std::vector<std::string>& lines);

}  // namespace murva
