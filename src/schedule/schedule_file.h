// The schedule file MURVA32.SCH: CP932 text, one entry per line, CR LF.
#pragma once

#include <filesystem>
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

// Reads the lines of a file. Throws ScheduleFileOpenError when it cannot be
// read; callers that treat a missing file as empty test ScheduleFileExists
// first.
std::vector<std::string> ReadLinesOfFile(const std::filesystem::path& path);

// Whether a file (not a folder) stands at the path.
bool ScheduleFileExists(const std::filesystem::path& path);

// Replaces the entry list by the lines of the file. A missing file leaves the
// list as it is and reports nothing. A file that exists but cannot be read
// throws ScheduleFileOpenError and leaves the list as it is. Returns whether
// the file was read.
bool LoadScheduleFile(const std::filesystem::path& path, ScheduleList& entries);

// Writes the whole list, in its order, each line followed by CR LF, replacing
// the file atomically (the old content survives a failed write or a crash).
// Throws ScheduleFileCreateError when the file cannot be written.
void SaveScheduleFile(const std::filesystem::path& path, const ScheduleList& entries);

}  // namespace murva
