// What the schedule page does, without its widgets: the entry actions with
// what follows them (the reload and the check of the entries after a delete
// or a purge, the messages of the purge), the colour the swatch shows and the
// shading that tells which schedule source is in use.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/clock.h"
#include "render/today_fields.h"
#include "schedule/entry_fields.h"
#include "schedule/schedule_editor.h"
#include "schedule/schedule_list.h"
#include "settings/working_copy.h"

namespace murva {

class ScheduleEditing {
 public:
  // Edits `entries`, kept in `schedule_file`; `today` is the start-up date
  // and `clock` the one the expansion counts weekly entries from. All must
  // outlive the object.
  ScheduleEditing(ScheduleList& entries, std::filesystem::path schedule_file,
                  const TodayFields& today, const Clock& clock);

  // The fields after start-up and after every add, change or delete.
  EntryFields ResetFields() const { return InitialEntryFields(today_); }

  // Add and Change (ScheduleEditor): the new line's index. Throw
  // InvalidEntryError, the list and the file untouched, for fields that do not
  // make an entry, and ScheduleFileCreateError when the file cannot be
  // written.
  std::size_t Add(const EntryFields& fields);
  std::size_t Change(std::size_t focused, const EntryFields& fields);

  // Delete: removes the selected entries and saves, then reloads the file and
  // checks the entries. Returns the check's report, empty when all is well.
  std::string Delete(const std::vector<std::size_t>& selected, const WorkingCopy& copy);

  // The purge after its question: the messages to show in order. Not
  // confirmed: the cancel message, nothing changed. Confirmed: the past
  // entries are removed and the rest saved; the count message, then the
  // check's report when there is one.
  std::vector<std::string> Purge(bool confirmed, const WorkingCopy& copy);

  // Reloads the entry list from the file and runs the expansion as the
  // wallpaper would with these settings, its output unused. Returns what
  // stops it: for a malformed line the expansion's message naming the line,
  // otherwise the error's own message; empty when nothing does. The entry
  // list is then what the file holds.
  std::string CheckEntries(const WorkingCopy& copy);

 private:
  ScheduleList& entries_;
  std::filesystem::path schedule_file_;
  const TodayFields& today_;
  const Clock& clock_;
  ScheduleEditor editor_;
};

// The colour the swatch shows for an item of the colour list: the keyword's
// colour, or for the empty item the schedule colour of the page now shown.
Color SwatchColorOf(std::string_view item, const WorkingCopy& copy);

// The system colours the source choice paints the path field and the entry
// list in, so that the sources in use stand out.
enum class SourceShade { kButtonFace, kWindow, kInfoBackground };
struct SourceShades {
  SourceShade path;
  SourceShade list;
  bool operator==(const SourceShades&) const = default;
};
// 0 own entries: path button face, list info background; 1 the external file:
// path window, list button face; 2 both: path window, list info background.
SourceShades SourceShadesOf(int source);

}  // namespace murva
