#include "schedule/malformed_entry.h"

#include <exception>
#include <vector>

#include "schedule/external_schedule.h"
#include "schedule/schedule_expansion.h"
#include "settings/cp932.h"

namespace murva {

namespace {

// Whether the line on its own makes the expansion fail with `error`.
bool FailsWith(const std::string& line, const ScheduleOptions& options, const TodayFields& today,
               const Clock& clock, std::string_view error) {
  try {
    ExpandMergedLines({line}, options, today, clock);
  } catch (const std::exception& failure) {
    return error == failure.what();
  }
  return false;
}

}  // namespace

std::optional<MalformedEntry> FindMalformedEntry(const ScheduleList& entries,
                                                 const ScheduleOptions& options,
                                                 const TodayFields& today, const Clock& clock,
                                                 std::string_view error) {
  std::vector<std::string> merged;
  try {
    merged = MergeScheduleSources(entries, options.source, options.external_path, today);
  } catch (const std::exception&) {
    return std::nullopt;  // the external file itself cannot be read
  }
  // The own entries come first in the merged list (none with the external
  // source alone).
  const std::size_t own_count = options.source == kSourceExternal ? 0 : entries.Size();
  for (std::size_t i = 0; i < merged.size(); ++i) {
    if (FailsWith(merged[i], options, today, clock, error)) {
      return MalformedEntry{merged[i], i >= own_count};
    }
  }
  return std::nullopt;
}

std::string MalformedEntryMessage(std::string_view error, const MalformedEntry& entry,
                                  const std::filesystem::path& external_path) {
  std::string message(error);
  message += "\r";
  if (entry.external) {
    message += "誤りのある外部の予定（" + external_path.string() + "）：";
  } else {
    message += "誤りのある予定：";
  }
  message += DecodeCp932Lossy(entry.line);
  return message;
}

}  // namespace murva
