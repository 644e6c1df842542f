#include "schedule/schedule_editor.h"

#include <stdexcept>

#include "schedule/schedule_file.h"
#include "schedule/schedule_purge.h"

namespace murva {

ScheduleEditor::ScheduleEditor(ScheduleList& entries, std::filesystem::path schedule_file)
    : entries_(entries), schedule_file_(std::move(schedule_file)) {}

std::size_t ScheduleEditor::Add(const EntryFields& fields) {
  ScheduleList changed = entries_;
  const std::size_t index = changed.Insert(BuildEntryLine(fields));
  Commit(std::move(changed));
  return index;
}

std::size_t ScheduleEditor::Change(std::size_t focused, const EntryFields& fields) {
  if (focused >= entries_.Size()) throw std::out_of_range("no schedule entry is focused");
  std::string line = BuildEntryLine(fields);
  ScheduleList changed = entries_;
  changed.RemoveAt(focused);
  const std::size_t index = changed.Insert(std::move(line));
  Commit(std::move(changed));
  return index;
}

void ScheduleEditor::Delete(const std::vector<std::size_t>& selected) {
  ScheduleList changed = entries_;
  changed.RemoveAt(selected);
  Commit(std::move(changed));
}

int ScheduleEditor::Purge(const TodayFields& today) {
  ScheduleList changed = entries_;
  const int removed = RemovePastEntries(changed, today);
  Commit(std::move(changed));
  return removed;
}

void ScheduleEditor::Commit(ScheduleList changed) {
  SaveScheduleFile(schedule_file_, changed);
  entries_ = std::move(changed);
}

}  // namespace murva
