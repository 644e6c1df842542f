#include "schedule/external_schedule.h"

#include "schedule/cp932_bytes.h"
#include "schedule/schedule_file.h"

namespace murva {

std::string ExternalErrorLine(const TodayFields& today) {
  static const std::string kErrorBytes = ToCp932(std::string("      ") + kExternalErrorText);
  return today.TodayText().substr(2) + kErrorBytes;
}

std::optional<ScheduleList> ReadExternalSchedule(const std::filesystem::path& path) {
  if (!ScheduleFileExists(path)) return std::nullopt;
  return ScheduleList(ReadLinesOfFile(path));
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
