#include "schedule/malformed_entry.h"

#include <exception>
#include <vector>

#include "schedule/external_schedule.h"
#include "schedule/schedule_expansion.h"
#include "schedule/schedule_file.h"
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

int LineNumberIn(const std::filesystem::path& file, const std::string& line) {
  std::optional<std::vector<std::string>> lines;
  try {
    lines = ReadLinesIfPresent(file);
  } catch (const std::exception&) {
    return 0;
  }
  if (!lines) return 0;
  for (std::size_t i = 0; i < lines->size(); ++i) {
    if ((*lines)[i] == line) return static_cast<int>(i + 1);
  }
  return 0;
}

std::string MalformedEntryMessage(std::string_view error, const MalformedEntry& entry,
                                  const std::filesystem::path& schedule_file,
                                  const std::filesystem::path& external_path) {
  const std::filesystem::path& file = entry.external ? external_path : schedule_file;
  std::string place = file.string();
  if (const int number = LineNumberIn(file, entry.line); number > 0) {
    place += " の " + std::to_string(number) + " 行目";
  }
  std::string message(error);
  message += "\r";
  message += entry.external ? "誤りのある外部の予定（" : "誤りのある予定（";
  message += place + "）：" + DecodeCp932Lossy(entry.line);
  return message;
}

}  // namespace murva
