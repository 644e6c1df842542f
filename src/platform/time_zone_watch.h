// Notice of a time-zone change: the file the C library reads the local zone
// from (/etc/localtime, or the file TZ names) is watched through inotify on
// its folder, so that replacing it (as timedatectl does, by renaming a new
// link over it) is seen as well as rewriting it. After a change the C
// library is made to read the zone again.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/program_folder.h"

namespace murva {

// The files whose change means a new local zone, by the TZ variable: none set
// → /etc/localtime and Debian's /etc/timezone; ":/path" or "/path" → that
// file; a zone name ("Asia/Tokyo", ":Asia/Tokyo") → its file under TZDIR or
// /usr/share/zoneinfo; a rule ("JST-9") or an empty TZ (UTC) → nothing.
std::vector<std::filesystem::path> ZoneFiles(const EnvironmentLookup& environment);

// Loads the local zone into the C library, safely: the file it would read
// (the one TZ names, or /etc/localtime) is first looked at without being
// opened for reading, and when it is no regular file — a named pipe there
// would hold the program for good — TZ is set to UTC ("UTC0") until it is
// one again (then TZ is as it was). The load itself runs as a BlockingCall,
// so that a stop signal still ends the program should the file change in
// between. False while UTC stands in.
bool LoadTimeZone();

// The same after a change: makes the C library read the zone afresh
// (tzset alone keeps a zone whose TZ text has not changed).
bool ReloadTimeZone();

class TimeZoneWatch {
 public:
  explicit TimeZoneWatch(const std::vector<std::filesystem::path>& files);
  ~TimeZoneWatch();
  TimeZoneWatch(const TimeZoneWatch&) = delete;
  TimeZoneWatch& operator=(const TimeZoneWatch&) = delete;

  // Whether anything is watched (inotify is there and a folder exists).
  bool Valid() const { return fd_ >= 0 && !watches_.empty(); }
  // Readable when something changed in a watched folder (non-blocking).
  int Fd() const { return fd_; }
  // Reads what is waiting; true when one of the zone files changed.
  bool TakeChanged();

 private:
  struct Watch {
    int descriptor;
    std::string name;  // the file's name in the watched folder
  };
  int fd_ = -1;
  std::vector<Watch> watches_;
};

}  // namespace murva
