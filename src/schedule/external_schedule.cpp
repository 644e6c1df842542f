#include "schedule/external_schedule.h"

#include "platform/bounded_file.h"
#include "schedule/cp932_bytes.h"
#include "schedule/schedule_errors.h"
#include "schedule/schedule_file.h"

namespace murva {

std::string ExternalErrorLine(const TodayFields& today) {
  static const std::string kErrorBytes = ToCp932(std::string("      ") + kExternalErrorText);
  return today.TodayText().substr(2) + kErrorBytes;
}

std::optional<ScheduleList> ReadExternalSchedule(const std::filesystem::path& path) {
  if (path.empty()) return std::nullopt;
  std::string bytes;
  const FileReadResult read = ReadBoundedFile(path, kTextFileReadLimit, bytes);
  switch (read.status) {
    case FileReadStatus::kRead:
      return ScheduleList(SplitLines(bytes));
    case FileReadStatus::kMissing:
    case FileReadStatus::kNotRegularFile:
    case FileReadStatus::kTooLarge:
      // Nothing that could be a schedule file stands there: the stand-in line
      // tells so on the wallpaper, and the run goes on.
      return std::nullopt;
    case FileReadStatus::kUnreadable:
      break;
  }
  throw ScheduleFileOpenError(path);
}

std::vector<std::string> MergeScheduleSources(const ScheduleList& entries, int source,
                                              const std::filesystem::path& external_path,
                                              const TodayFields& today) {
  std::vector<std::string> merged;
  if (source != kSourceExternal) merged = entries.Lines();
  if (source != kSourceExternal && source != kSourceBoth) return merged;

  std::optional<ScheduleList> external = ReadExternalSchedule(external_path);
  if (!external) {
    merged.push_back(ExternalErrorLine(today));
    return merged;
  }
  merged.reserve(merged.size() + external->Size());
  for (const std::string& line : *external) merged.push_back(line);
  return merged;
}

}  // namespace murva
