// The external schedule: the file of another scheduler (or another copy of
// this program) in the same line layout, read only, merged into the
// expansion by the chosen source.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "render/today_fields.h"
#include "schedule/schedule_list.h"

namespace murva {

// Source indices (the source list of the schedule page).
inline constexpr int kSourceOwn = 0;
inline constexpr int kSourceExternal = 1;
inline constexpr int kSourceBoth = 2;

inline constexpr std::array<const char*, 3> kSourceCaptions = {
    "自分の予定を使用する", "外部の予定を使用する", "自分＋外部を併用する"};

// The file dialog filter of the path button.
inline constexpr const char* kExternalFileFilter =
    "予定データ(*.Dat,*.Sch)|*.DAT;*.Sch|すべてのファイル(*.*)|*.*";

// The text of the line that stands in for a missing external file.
inline constexpr const char* kExternalErrorText = "#外部予定# 読込み不可";

// The stand-in line in CP932: today as yy/mm/dd, six blanks, the error text.
std::string ExternalErrorLine(const TodayFields& today);

// The lines of the external file, sorted; nullopt when no file stands at the
// path (an empty path included), and also when what stands there is no
// schedule file at all: a folder, a named pipe, a device, a file far larger
// than any schedule. The file is read without blocking and never written.
// Throws ScheduleFileOpenError when a regular file cannot be read.
std::optional<ScheduleList> ReadExternalSchedule(const std::filesystem::path& path);

// The merged list of an expansion by source: 0 the entry list; 1 the
// external lines only (or the stand-in line); 2 the entry list followed by
// the external lines (or the stand-in line). Any other index counts as 0.
std::vector<std::string> MergeScheduleSources(const ScheduleList& entries, int source,
                                              const std::filesystem::path& external_path,
                                              const TodayFields& today);

}  // namespace murva
