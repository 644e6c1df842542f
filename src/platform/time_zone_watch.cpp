#include "platform/time_zone_watch.h"

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>

#include "platform/stop_signals.h"

namespace murva {
namespace {

constexpr std::uint32_t kChangeMask =
    IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_ATTRIB;

// TZ while the zone file is no regular file.
constexpr const char* kStandIn = "UTC0";

// TZ as the program found it, while UTC stands in.
struct ZoneSetting {
  bool standing_in = false;
  bool had = false;
  std::string value;
};
ZoneSetting zone_setting;

// The file the C library reads the zone from, by TZ as the program found
// it: any TZ but an empty one names a file (a rule such as "JST-9" names
// one that does not exist under the zone folder).
std::filesystem::path ZoneFileRead() {
  const char* tz = zone_setting.standing_in ? (zone_setting.had ? zone_setting.value.c_str() : nullptr)
                                            : std::getenv("TZ");
  if (tz == nullptr) return "/etc/localtime";
  std::string zone = tz;
  if (!zone.empty() && zone.front() == ':') zone.erase(0, 1);
  if (zone.empty()) return {};
  if (zone.front() == '/') return zone;
  const char* folder = std::getenv("TZDIR");
  return std::filesystem::path(folder && *folder ? folder : "/usr/share/zoneinfo") / zone;
}

// Whether the zone file may be read (a regular file, or none at all); sets
// TZ to the stand-in when not, and back when it may be again.
bool GuardZoneFile() {
  const std::filesystem::path file = ZoneFileRead();
  bool readable = true;
  if (!file.empty()) {
    // O_PATH: looked at, not opened for reading, so neither a pipe nor a
    // device is touched.
    const int fd = open(file.c_str(), O_PATH | O_CLOEXEC);
    struct stat status {};
    readable = fd < 0 || (fstat(fd, &status) == 0 && S_ISREG(status.st_mode));
    if (fd >= 0) close(fd);
  }
  if (!readable && !zone_setting.standing_in) {
    const char* tz = std::getenv("TZ");
    zone_setting = {true, tz != nullptr, tz ? tz : ""};
    setenv("TZ", kStandIn, 1);
  } else if (readable && zone_setting.standing_in) {
    if (zone_setting.had) {
      setenv("TZ", zone_setting.value.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    zone_setting = {};
  }
  return readable;
}

}  // namespace

std::vector<std::filesystem::path> ZoneFiles(const EnvironmentLookup& environment) {
  std::string zone = environment("TZ");
  // While UTC stands in, the files of the zone TZ named before are watched.
  if (zone_setting.standing_in && zone == kStandIn) zone = zone_setting.value;
  if (zone.empty()) return {"/etc/localtime", "/etc/timezone"};
  if (zone.front() == ':') zone.erase(0, 1);
  if (zone.empty()) return {};
  if (zone.front() == '/') return {std::filesystem::path(zone)};
  std::string folder = environment("TZDIR");
  if (folder.empty()) folder = "/usr/share/zoneinfo";
  const std::filesystem::path file = std::filesystem::path(folder) / zone;
  std::error_code error;
  if (zone.find("..") == std::string::npos && std::filesystem::exists(file, error)) {
    return {file};
  }
  return {};  // a rule such as "JST-9": nothing on disk to change
}

bool LoadTimeZone() {
  if (!GuardZoneFile()) {
    tzset();  // reads no file
    return false;
  }
  BlockingCall blocking;
  tzset();
  return true;
}

bool ReloadTimeZone() {
  if (!GuardZoneFile()) {
    tzset();
    return false;
  }
  BlockingCall blocking;
  const char* zone = std::getenv("TZ");
  if (zone) {
    // The C library keeps its zone while the TZ text stays the same: another
    // zone in between makes it read the named one afresh.
    const std::string kept = zone;
    setenv("TZ", kStandIn, 1);
    tzset();
    setenv("TZ", kept.c_str(), 1);
  }
  // Without TZ the C library looks at /etc/localtime again and reads it
  // when it is another file or was changed.
  tzset();
  return true;
}

TimeZoneWatch::TimeZoneWatch(const std::vector<std::filesystem::path>& files)
    : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
  if (fd_ < 0) return;
  for (const auto& file : files) {
    const std::filesystem::path folder = file.parent_path();
    const int descriptor = inotify_add_watch(fd_, folder.c_str(), kChangeMask | IN_ONLYDIR);
    if (descriptor < 0) continue;
    watches_.push_back({descriptor, file.filename().string()});
  }
}

TimeZoneWatch::~TimeZoneWatch() {
  if (fd_ >= 0) ::close(fd_);
}

bool TimeZoneWatch::TakeChanged() {
  if (fd_ < 0) return false;
  bool changed = false;
  alignas(inotify_event) char buffer[4096];
  for (;;) {
    const ssize_t count = ::read(fd_, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    for (ssize_t at = 0; at < count;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      const std::string name = event->len > 0 ? std::string(event->name) : std::string();
      for (const Watch& watch : watches_) {
        if (watch.descriptor == event->wd && watch.name == name) changed = true;
      }
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
  return changed;
}

}  // namespace murva
