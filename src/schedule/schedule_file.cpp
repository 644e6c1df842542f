#include "schedule/schedule_file.h"

#include <sys/stat.h>

#include "platform/bounded_file.h"
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

std::optional<std::vector<std::string>> ReadLinesIfPresent(const std::filesystem::path& path) {
  std::string bytes;
  const FileReadResult read = ReadBoundedFile(path, kTextFileReadLimit, bytes);
  if (read.status == FileReadStatus::kMissing) return std::nullopt;
  // A file the system refuses gets the system's message as it stands; what
  // is no schedule file at all (a folder, a pipe, a device, a file far too
  // large) is named with the reason.
  if (read.status == FileReadStatus::kUnreadable) throw ScheduleFileOpenError(path);
  if (!read.Ok()) throw ScheduleFileOpenError(path, FileReadReason(read));
  return SplitLines(bytes);
}

std::vector<std::string> ReadLinesOfFile(const std::filesystem::path& path) {
  std::optional<std::vector<std::string>> lines = ReadLinesIfPresent(path);
  if (!lines) throw ScheduleFileOpenError(path);
  return std::move(*lines);
}

bool LoadScheduleFile(const std::filesystem::path& path, ScheduleList& entries) {
  if (path.empty()) return false;
  std::optional<std::vector<std::string>> lines = ReadLinesIfPresent(path);
  if (!lines) return false;
  entries.Assign(std::move(*lines));
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
  // A file too large to have been read is never written over by a list
  // that could not hold it.
  struct stat status {};
  if (stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
      static_cast<std::uintmax_t>(status.st_size) > kTextFileReadLimit) {
    throw ScheduleFileCreateError(path);
  }
  if (!ReplaceFileAtomically(path, bytes)) throw ScheduleFileCreateError(path);
}

}  // namespace murva
