// The schedule file MURVA32.SCH: CP932 text, one entry per line, CR LF.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "schedule/schedule_list.h"

namespace murva {

inline constexpr const char* kScheduleFileName = "MURVA32.SCH";

// The schedule file in the program folder.
std::filesystem::path ScheduleFilePath(const std::filesystem::path& program_folder);

// The lines of a text: CR, LF and CR LF each end a line; a last line without
// an ending counts, an ending at the very end adds no empty line. Every other
// byte (a NUL included) belongs to its line.
std::vector<std::string> SplitLines(std::string_view bytes);

// Reads the lines of a file (without blocking, at most kTextFileReadLimit
// bytes). Throws ScheduleFileOpenError when it is missing or cannot be read;
// for a folder, a named pipe, a device or a file far too large the message
// also tells why.
std::vector<std::string> ReadLinesOfFile(const std::filesystem::path& path);

// The lines of a file, or nothing when no file stands at the path; throws
// ScheduleFileOpenError when something stands there that cannot be read.
std::optional<std::vector<std::string>> ReadLinesIfPresent(const std::filesystem::path& path);

// Replaces the entry list by the lines of the file. A missing file (or an
// empty path) leaves the list as it is and reports nothing. Anything else at
// the path that cannot be read throws ScheduleFileOpenError and leaves the
// list as it is. Returns whether the file was read.
bool LoadScheduleFile(const std::filesystem::path& path, ScheduleList& entries);

// Writes the whole list, in its order, each line followed by CR LF, replacing
// the file atomically (the old content survives a failed write or a crash).
// Throws ScheduleFileCreateError when the file cannot be written, and also
// when what stands there could never have been read: something else than a
// regular file, or a file larger than kTextFileReadLimit.
void SaveScheduleFile(const std::filesystem::path& path, const ScheduleList& entries);

}  // namespace murva
