// The copies of subscribed calendars kept in the user's cache folder
// ($XDG_CACHE_HOME/murva32/calendars): for each address the body of the last
// good answer and a small state file (the answer's ETag and Last-Modified
// for the next conditional request, when it was fetched, the last error).
// Files are named by a hash of the address, so the folder never shows it;
// the folder is the user's alone (0700) and every file in it too (0600).
// Every write replaces its file atomically: a build reads either the old
// copy or the new one, never a part.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace murva {

struct CalendarCacheState {
  std::string etag;
  std::string last_modified;
  std::int64_t fetched_at = 0;  // seconds since 1970 of the last good answer; 0: never
  std::int64_t checked_at = 0;  // ... of the last attempt
  std::string error;            // why the last attempt failed; empty when it did not
  std::int64_t error_at = 0;
  bool operator==(const CalendarCacheState&) const = default;
};

class CalendarCache {
 public:
  explicit CalendarCache(std::filesystem::path folder) : folder_(std::move(folder)) {}
  // The folder under the user's cache folder; empty when there is none.
  static CalendarCache Default();

  const std::filesystem::path& Folder() const { return folder_; }
  std::filesystem::path BodyPath(std::string_view address) const;
  std::filesystem::path StatePath(std::string_view address) const;

  // The state; an empty state when none was written (or it cannot be read).
  CalendarCacheState ReadState(std::string_view address) const;
  // False with the reason when the file cannot be written.
  bool WriteState(std::string_view address, const CalendarCacheState& state,
                  std::string& error) const;
  bool WriteBody(std::string_view address, std::string_view body, std::string& error) const;
  // Removes the copy and the state of an address no source uses any more.
  void Forget(std::string_view address) const;

 private:
  bool PrepareFolder(std::string& error) const;
  bool WritePrivate(const std::filesystem::path& path, std::string_view bytes,
                    std::string& error) const;

  std::filesystem::path folder_;
};

}  // namespace murva
