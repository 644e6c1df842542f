#include "app/schedule_editing.h"

#include <exception>

#include "schedule/color_keyword.h"
#include "schedule/external_schedule.h"
#include "schedule/malformed_entry.h"
#include "schedule/schedule_expansion.h"
#include "schedule/schedule_options.h"
#include "schedule/schedule_purge.h"

namespace murva {

ScheduleEditing::ScheduleEditing(ScheduleList& entries, std::filesystem::path schedule_file,
                                 const TodayFields& today, const Clock& clock)
    : entries_(entries),
      schedule_file_(schedule_file),
      today_(today),
      clock_(clock),
      editor_(entries, std::move(schedule_file)) {}

std::size_t ScheduleEditing::Add(const EntryFields& fields) { return editor_.Add(fields); }

std::size_t ScheduleEditing::Change(std::size_t focused, const EntryFields& fields) {
  return editor_.Change(focused, fields);
}

std::string ScheduleEditing::Delete(const std::vector<std::size_t>& selected,
                                    const WorkingCopy& copy) {
  editor_.Delete(selected);
  return CheckEntries(copy);
}

std::vector<std::string> ScheduleEditing::Purge(bool confirmed, const WorkingCopy& copy) {
  if (!confirmed) return {kPurgeCancelledMessage};
  std::vector<std::string> messages{PurgeResultMessage(editor_.Purge(today_))};
  std::string report = CheckEntries(copy);
  if (!report.empty()) messages.push_back(std::move(report));
  return messages;
}

std::string ScheduleEditing::CheckEntries(const WorkingCopy& copy) {
  const ScheduleOptions options = ScheduleOptionsOf(copy);
  try {
    ExpandSchedule(entries_, schedule_file_, options, today_, clock_);
    return {};
  } catch (const std::exception& error) {
    // A malformed line is named; any other error (a file that cannot be
    // read) matches no single line and is reported as it stands.
    if (auto entry = FindMalformedEntry(entries_, options, today_, clock_, error.what())) {
      return MalformedEntryMessage(error.what(), *entry, schedule_file_, options.external_path);
    }
    return error.what();
  }
}

Color SwatchColorOf(std::string_view item, const WorkingCopy& copy) {
  return LookupPreviewColor(item).value_or(copy.ActivePage().schedule);
}

SourceShades SourceShadesOf(int source) {
  switch (source) {
    case kSourceExternal: return {SourceShade::kWindow, SourceShade::kButtonFace};
    case kSourceBoth: return {SourceShade::kWindow, SourceShade::kInfoBackground};
    default: return {SourceShade::kButtonFace, SourceShade::kInfoBackground};
  }
}

}  // namespace murva
