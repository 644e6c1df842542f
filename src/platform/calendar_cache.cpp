#include "platform/calendar_cache.h"

#include <sys/stat.h>

#include <QByteArray>
#include <QCryptographicHash>
#include <cerrno>
#include <cstring>

#include "platform/cache_folder.h"

namespace murva {
namespace {

constexpr std::size_t kStateLimit = 64 * 1024;

std::string HashOf(std::string_view address) {
  const QByteArray hash = QCryptographicHash::hash(
      QByteArray(address.data(), static_cast<qsizetype>(address.size())), QCryptographicHash::Sha256);
  return hash.toHex().left(32).toStdString();
}

std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

std::int64_t Number(const std::string& text) {
  try {
    return std::stoll(text);
  } catch (const std::exception&) {
    return 0;
  }
}

}  // namespace

CalendarCache CalendarCache::Default() {
  const std::filesystem::path cache = UserCacheFolder();
  return CalendarCache(cache.empty() ? std::filesystem::path() : cache / "calendars");
}

std::filesystem::path CalendarCache::BodyPath(std::string_view address) const {
  return folder_ / (HashOf(address) + ".ics");
}

std::filesystem::path CalendarCache::StatePath(std::string_view address) const {
  return folder_ / (HashOf(address) + ".state");
}

CalendarCacheState CalendarCache::ReadState(std::string_view address) const {
  CalendarCacheState state;
  if (folder_.empty()) return state;
  std::string bytes;
  if (!ReadCacheFile(StatePath(address), kStateLimit, bytes)) return state;
  std::size_t at = 0;
  while (at < bytes.size()) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string::npos) end = bytes.size();
    const std::string line = bytes.substr(at, end - at);
    at = end + 1;
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = line.substr(0, equals);
    const std::string value = line.substr(equals + 1);
    if (key == "etag") state.etag = value;
    else if (key == "last-modified") state.last_modified = value;
    else if (key == "fetched-at") state.fetched_at = Number(value);
    else if (key == "checked-at") state.checked_at = Number(value);
    else if (key == "error") state.error = value;
    else if (key == "error-at") state.error_at = Number(value);
  }
  return state;
}

bool CalendarCache::WriteState(std::string_view address, const CalendarCacheState& state,
                               std::string& error) const {
  const std::string text = "etag=" + OneLine(state.etag) + "\n" +
                           "last-modified=" + OneLine(state.last_modified) + "\n" +
                           "fetched-at=" + std::to_string(state.fetched_at) + "\n" +
                           "checked-at=" + std::to_string(state.checked_at) + "\n" +
                           "error=" + OneLine(state.error) + "\n" +
                           "error-at=" + std::to_string(state.error_at) + "\n";
  return WritePrivate(StatePath(address), text, error);
}

bool CalendarCache::WriteBody(std::string_view address, std::string_view body,
                              std::string& error) const {
  return WritePrivate(BodyPath(address), body, error);
}

void CalendarCache::Forget(std::string_view address) const {
  if (folder_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove(BodyPath(address), ignored);
  std::filesystem::remove(StatePath(address), ignored);
}

bool CalendarCache::PrepareFolder(std::string& error) const {
  if (folder_.empty()) {
    error = "キャッシュフォルダがありません（HOME も XDG_CACHE_HOME もありません）";
    return false;
  }
  std::error_code fs_error;
  std::filesystem::create_directories(folder_, fs_error);
  struct stat status {};
  if (lstat(folder_.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
    error = folder_.string() + " をフォルダとして作れません";
    return false;
  }
  if ((status.st_mode & 077) != 0 && chmod(folder_.c_str(), 0700) != 0) {
    error = folder_.string() + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

bool CalendarCache::WritePrivate(const std::filesystem::path& path, std::string_view bytes,
                                 std::string& error) const {
  return PrepareFolder(error) && WriteCacheFile(path, bytes, error);
}

}  // namespace murva
