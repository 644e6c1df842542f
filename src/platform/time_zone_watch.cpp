#include "platform/time_zone_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>

namespace murva {
namespace {

constexpr std::uint32_t kChangeMask =
    IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_ATTRIB;

}  // namespace

std::vector<std::filesystem::path> ZoneFiles(const EnvironmentLookup& environment) {
  std::string zone = environment("TZ");
  if (zone.empty()) return {"/etc/localtime", "/etc/timezone"};
  if (zone.front() == ':') zone.erase(0, 1);
  if (zone.empty()) return {};
  if (zone.front() == '/') return {std::filesystem::path(zone)};
  std::string folder = environment("TZDIR");
  if (folder.empty()) folder = "/usr/share/zoneinfo";
  const std::filesystem::path file = std::filesystem::path(folder) / zone;
  std::error_code error;
  if (zone.find("..") == std::string::npos && std::filesystem::is_regular_file(file, error)) {
    return {file};
  }
  return {};  // a rule such as "JST-9": nothing on disk to change
}

void ReloadTimeZone() {
  const char* zone = std::getenv("TZ");
  if (zone) {
    // The C library keeps its zone while the TZ text stays the same: another
    // zone in between makes it read the named one afresh.
    const std::string kept = zone;
    setenv("TZ", "UTC0", 1);
    tzset();
    setenv("TZ", kept.c_str(), 1);
  }
  // Without TZ the C library looks at /etc/localtime again and reads it
  // when it is another file or was changed.
  tzset();
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
