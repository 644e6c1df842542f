#include "schedule/schedule_file.h"

#include <optional>
#include <system_error>

#include "schedule/schedule_errors.h"
#include "settings/atomic_file.h"

namespace murva {

std::filesystem::path ScheduleFilePath(const std::filesystem::path& program_folder) {
  return program_folder / kScheduleFileName;
}

std::vector<std::string> SplitLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const char c = bytes[pos];
    if (c != '\r' && c != '\n') {
      ++pos;
      continue;
    }
    lines.emplace_back(bytes.substr(start, pos - start));
    ++pos;
    if (c == '\r' && pos < bytes.size() && bytes[pos] == '\n') ++pos;
    start = pos;
  }
  if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
  return lines;
}

bool ScheduleFileExists(const std::filesystem::path& path) {
  if (path.empty()) return false;
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

std::vector<std::string> ReadLinesOfFile(const std::filesystem::path& path) {
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) throw ScheduleFileOpenError(path);
  return SplitLines(*bytes);
}

bool LoadScheduleFile(const std::filesystem::path& path, ScheduleList& entries) {
  if (!ScheduleFileExists(path)) return false;
  entries.Assign(ReadLinesOfFile(path));
  return true;
}

void SaveScheduleFile(const std::filesystem::path& path, const ScheduleList& entries) {
  std::string bytes;
  std::size_t total = 0;
  for (const std::string& line : entries) total += line.size() + 2;
  bytes.reserve(total);
  for (const std::string& line : entries) {
    bytes += line;
    bytes += "\r\n";
  }
  if (!ReplaceFileAtomically(path, bytes)) throw ScheduleFileCreateError(path);
}

}  // namespace murva
