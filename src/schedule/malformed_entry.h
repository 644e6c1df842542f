// Which schedule line makes an expansion fail, and the message that names it.
//
// The expansion stops at the first line it cannot read (a year field that is
// neither "@@" nor digits, a start marker whose dates do not read) with a
// message that quotes only the offending field. To let the user find the line
// in a list of hundreds, the editor and the build name the file, the line's
// number in it and the whole line as well.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/clock.h"
#include "render/today_fields.h"
#include "schedule/schedule_list.h"
#include "schedule/schedule_options.h"

namespace murva {

struct MalformedEntry {
  std::string line;       // CP932, as read
  bool external = false;  // a line of the external schedule file

  bool operator==(const MalformedEntry&) const = default;
};

// The line behind an expansion error: the first line of the merged sources,
// in the order the expansion reads them, that fails with the same message
// when it is expanded on its own. nullopt when no line does (the error lay
// elsewhere, such as a file that cannot be read).
std::optional<MalformedEntry> FindMalformedEntry(const ScheduleList& entries,
                                                 const ScheduleOptions& options,
                                                 const TodayFields& today, const Clock& clock,
                                                 std::string_view error);

// The number (1-based) of the first line of `file` that is `line` (CP932
// bytes), or 0 when the file cannot be read or has no such line.
int LineNumberIn(const std::filesystem::path& file, const std::string& line);

// The expansion's message followed by the file the line stands in (the
// schedule file or the external file), its line number there and the line
// itself (UTF-8), so that it can be found and corrected in an editor.
std::string MalformedEntryMessage(std::string_view error, const MalformedEntry& entry,
                                  const std::filesystem::path& schedule_file,
                                  const std::filesystem::path& external_path);

}  // namespace murva
