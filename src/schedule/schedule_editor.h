// What the schedule editor's buttons do to the entry list and the file.
//
// Every change rewrites the schedule file at once. A change is written first
// and takes effect in memory only when the file was written, so that the list
// and the file never disagree: a failed write throws ScheduleFileCreateError
// and leaves the list as it was.
#pragma once

#include <cstddef>
#include <filesystem>
#include <vector>

#include "render/today_fields.h"
#include "schedule/entry_fields.h"
#include "schedule/schedule_list.h"

namespace murva {

class ScheduleEditor {
 public:
  // Edits `entries` (which must outlive the editor), kept in `schedule_file`.
  ScheduleEditor(ScheduleList& entries, std::filesystem::path schedule_file);

  const ScheduleList& Entries() const { return entries_; }
  const std::filesystem::path& SchedulePath() const { return schedule_file_; }

  // Add: inserts the line built from the fields at its place and saves.
  // Returns the new line's index. Throws InvalidEntryError (nothing added,
  // nothing saved) when the fields do not make an entry.
  std::size_t Add(const EntryFields& fields);

  // Change: replaces the entry at `focused` by the line built from the
  // fields and saves. Returns the new line's index. Throws InvalidEntryError
  // (the list stays as it was) and std::out_of_range for a bad index.
  std::size_t Change(std::size_t focused, const EntryFields& fields);

  // Delete: removes every selected entry and saves. Throws std::out_of_range
  // (nothing removed) for a bad index. The editor then runs ExpandSchedule,
  // which reloads the file and reports malformed entries.
  void Delete(const std::vector<std::size_t>& selected);

  // Purge: removes the entries that lie before today (IsPastEntry) and saves
  // the rest. Returns the number removed (PurgeResultMessage gives the text
  // to show). The editor then runs ExpandSchedule, as after Delete.
  int Purge(const TodayFields& today);

 private:
  // Saves `changed` and, once it is on disk, makes it the list.
  void Commit(ScheduleList changed);

  ScheduleList& entries_;
  std::filesystem::path schedule_file_;
};

}  // namespace murva
