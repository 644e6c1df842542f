#include "platform/temporary_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <random>
#include <system_error>
#include <vector>

#include "platform/bounded_file.h"

namespace murva {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kBootDigits = 8;

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

std::string ReadSmallFile(const fs::path& path) {
  std::string bytes;
  ReadBoundedFile(path, 4096, bytes);
  return bytes;
}

// The first hex digits of the kernel's boot id; empty when it cannot be read.
const std::string& BootId() {
  static const std::string boot = [] {
    std::string digits;
    for (char c : ReadSmallFile("/proc/sys/kernel/random/boot_id")) {
      if (IsHex(c)) digits += c;
      if (digits.size() == kBootDigits) return digits;
    }
    return std::string();
  }();
  return boot;
}

// Field 22 of /proc/<pid>/stat: when the process started, in clock ticks
// since boot; nothing when the process does not exist.
std::optional<unsigned long long> StartTime(const std::string& pid_text) {
  const std::string stat = ReadSmallFile("/proc/" + pid_text + "/stat");
  // The command name (field 2) is in parentheses and may hold anything, so
  // fields are counted from the last ")".
  const std::size_t close = stat.rfind(')');
  if (close == std::string::npos) return std::nullopt;
  std::size_t position = close + 1;
  for (int field = 3; field <= 22; ++field) {
    while (position < stat.size() && stat[position] == ' ') ++position;
    const std::size_t end = stat.find(' ', position);
    if (end == std::string::npos) return std::nullopt;
    if (field == 22) {
      unsigned long long value = 0;
      const auto [ptr, error] = std::from_chars(stat.data() + position, stat.data() + end, value);
      if (error != std::errc() || ptr != stat.data() + end) return std::nullopt;
      return value;
    }
    position = end;
  }
  return std::nullopt;
}

// A run of decimal digits at the front of text, taken off it.
template <typename Number>
std::optional<Number> TakeNumber(std::string_view& text) {
  std::size_t length = 0;
  while (length < text.size() && text[length] >= '0' && text[length] <= '9') ++length;
  if (length == 0 || length > 20) return std::nullopt;
  Number value{};
  const auto [ptr, error] = std::from_chars(text.data(), text.data() + length, value);
  if (error != std::errc() || ptr != text.data() + length) return std::nullopt;
  text.remove_prefix(length);
  return value;
}

bool TakePrefix(std::string_view& text, std::string_view prefix) {
  if (text.substr(0, prefix.size()) != prefix) return false;
  text.remove_prefix(prefix.size());
  return true;
}

}  // namespace

WriterIdentity CurrentWriter() {
  WriterIdentity writer;
  writer.boot = BootId();
  writer.pid = static_cast<long>(getpid());
  writer.start = StartTime(std::to_string(writer.pid)).value_or(0);
  return writer;
}

bool WriterRuns(const WriterIdentity& writer) {
  if (writer.pid <= 0) return true;
  if (!writer.boot.empty()) {
    const std::string& boot = BootId();
    if (boot.empty()) return true;          // cannot tell
    if (boot != writer.boot) return false;  // written before the last reboot
  }
  const bool exists = kill(static_cast<pid_t>(writer.pid), 0) == 0 || errno != ESRCH;
  // An old name without start time: any process of that id may be it.
  if (!exists || writer.start == 0) return exists;
  const std::optional<unsigned long long> start = StartTime(std::to_string(writer.pid));
  // A process that exists but whose start time is hidden counts as running.
  return !start || *start == writer.start;
}

std::optional<WriterIdentity> TemporaryFileWriter(std::string_view target_name,
                                                  std::string_view entry_name) {
  std::string_view rest = entry_name;
  if (!TakePrefix(rest, ".") || !TakePrefix(rest, target_name)) return std::nullopt;
  WriterIdentity writer;
  if (TakePrefix(rest, ".tmp-")) {
    // .<name>.tmp-<boot>-<pid>-<start>-<random>
    if (rest.size() < kBootDigits) return std::nullopt;
    for (std::size_t i = 0; i < kBootDigits; ++i) {
      if (!IsHex(rest[i])) return std::nullopt;
    }
    writer.boot = std::string(rest.substr(0, kBootDigits));
    rest.remove_prefix(kBootDigits);
    if (!TakePrefix(rest, "-")) return std::nullopt;
    const auto pid = TakeNumber<long>(rest);
    if (!pid || !TakePrefix(rest, "-")) return std::nullopt;
    const auto start = TakeNumber<unsigned long long>(rest);
    if (!start || !TakePrefix(rest, "-") || !TakeNumber<unsigned long long>(rest) || !rest.empty()) {
      return std::nullopt;
    }
    writer.pid = *pid;
    writer.start = *start;
    return writer;
  }
  if (TakePrefix(rest, ".tmp")) {
    // .<name>.tmp<pid>-<random> (older versions)
    const auto pid = TakeNumber<long>(rest);
    if (!pid || !TakePrefix(rest, "-") || !TakeNumber<unsigned long long>(rest) || !rest.empty()) {
      return std::nullopt;
    }
    writer.pid = *pid;
    return writer;
  }
  if (TakePrefix(rest, ".murva32-")) {
    // .<name>.murva32-<pid> (older versions)
    const auto pid = TakeNumber<long>(rest);
    if (!pid || !rest.empty()) return std::nullopt;
    writer.pid = *pid;
    return writer;
  }
  return std::nullopt;
}

int RemoveAbandonedTemporaryFiles(const fs::path& target) {
  const std::string target_name = target.filename().string();
  if (target_name.empty()) return 0;
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  std::vector<std::string> abandoned;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    const std::optional<WriterIdentity> writer = TemporaryFileWriter(target_name, name);
    if (writer && !WriterRuns(*writer)) abandoned.push_back(std::move(name));
  }
  int removed = 0;
  for (const std::string& name : abandoned) {
    const fs::path path = folder / name;
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat status {};
    // Only a regular file of the user's that nobody holds locked (a link of
    // that name is not opened at all); the lock is held while the
    // name goes, so a writer in another process namespace (whose id means
    // nothing here) is never caught half-way.
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == geteuid() &&
        flock(fd, LOCK_EX | LOCK_NB) == 0 && unlink(path.c_str()) == 0) {
      ++removed;
    }
    close(fd);
  }
  return removed;
}

bool TemporaryFile::Create(const fs::path& target, mode_t mode) {
  Discard();
  thread_local std::mt19937_64 generator{std::random_device{}()};
  const WriterIdentity writer = CurrentWriter();
  // Without a boot id the name still has the form; its writer then counts
  // as running for ever, so it is never removed by mistake.
  const std::string boot = writer.boot.empty() ? std::string(kBootDigits, '0') : writer.boot;
  const fs::path folder = target.parent_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate =
        folder / ("." + target.filename().string() + ".tmp-" + boot + "-" +
                  std::to_string(writer.pid) + "-" + std::to_string(writer.start) + "-" +
                  std::to_string(generator() % 1000000000));
    // O_EXCL: never a name that exists, so never through a link planted
    // there; O_NOFOLLOW says so once more.
    const int fd =
        open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd >= 0) {
      fd_ = fd;
      path_ = candidate;
      struct stat status {};
      if (fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != geteuid()) {
        Discard();
        errno = EEXIST;
        continue;
      }
      flock(fd_, LOCK_EX | LOCK_NB);
      return true;
    }
    if (errno != EEXIST && errno != ELOOP) return false;
  }
  errno = EEXIST;
  return false;
}

bool TemporaryFile::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = write(fd_, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

bool TemporaryFile::Close() {
  const int fd = fd_;
  fd_ = -1;
  return fd < 0 || close(fd) == 0;
}

void TemporaryFile::Discard() {
  const int saved = errno;
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (!path_.empty()) unlink(path_.c_str());
  path_.clear();
  errno = saved;
}

}  // namespace murva
