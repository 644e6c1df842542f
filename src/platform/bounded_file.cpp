#include "platform/bounded_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace murva {
namespace {

FileKind KindOf(mode_t mode) {
  if (S_ISREG(mode)) return FileKind::kRegular;
  if (S_ISDIR(mode)) return FileKind::kFolder;
  if (S_ISFIFO(mode)) return FileKind::kPipe;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return FileKind::kDevice;
  if (S_ISSOCK(mode)) return FileKind::kSocket;
  return FileKind::kOther;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

// Reads into any byte container with resize() and data().
template <typename Bytes>
FileReadResult ReadInto(const std::filesystem::path& path, std::size_t limit, Bytes& bytes,
                        FileReadRules rules) {
  bytes.clear();
  FileReadResult result;
  result.limit = limit;
  // O_NONBLOCK: opening a pipe without a writer, or a device that waits for
  // a carrier, returns at once instead of waiting; O_NOCTTY: a terminal
  // never becomes the program's controlling terminal.
  Descriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC |
                                         (rules.follow_links ? 0 : O_NOFOLLOW)));
  if (file.Get() < 0) {
    result.error = errno;
    if (!rules.follow_links && errno == ELOOP) {
      result.status = FileReadStatus::kUnreadable;
      return result;
    }
    result.status = (errno == ENOENT || errno == ENOTDIR) ? FileReadStatus::kMissing
                                                          : FileReadStatus::kUnreadable;
    // A socket cannot be opened at all; say what it is rather than why.
    struct stat status {};
    if (result.status == FileReadStatus::kUnreadable && stat(path.c_str(), &status) == 0 &&
        !S_ISREG(status.st_mode)) {
      result.kind = KindOf(status.st_mode);
      result.status = FileReadStatus::kNotRegularFile;
    }
    return result;
  }
  struct stat status {};
  if (fstat(file.Get(), &status) != 0) {
    result.error = errno;
    result.status = FileReadStatus::kUnreadable;
    return result;
  }
  result.kind = KindOf(status.st_mode);
  if (result.kind != FileKind::kRegular) {
    result.status = FileReadStatus::kNotRegularFile;
    return result;
  }
  if (rules.own_only && status.st_uid != geteuid()) {
    result.error = EPERM;
    result.status = FileReadStatus::kUnreadable;
    return result;
  }
  if (status.st_size < 0 || static_cast<std::uintmax_t>(status.st_size) > limit) {
    result.status = FileReadStatus::kTooLarge;
    return result;
  }
  // The size is a hint (files under /proc tell 0, a file may grow while it is
  // read): read until the end, but never past limit + 1 bytes.
  std::size_t capacity = static_cast<std::size_t>(status.st_size) + 1;
  if (capacity < 4096) capacity = 4096;
  if (capacity > limit + 1) capacity = limit + 1;
  bytes.resize(capacity);
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) {
      if (bytes.size() > limit) {
        bytes.clear();
        result.status = FileReadStatus::kTooLarge;
        return result;
      }
      std::size_t grown = bytes.size() * 2;
      if (grown > limit + 1) grown = limit + 1;
      bytes.resize(grown);
    }
    const ssize_t count = read(file.Get(), bytes.data() + filled, bytes.size() - filled);
    if (count < 0) {
      if (errno == EINTR) continue;
      result.error = errno;
      result.status = FileReadStatus::kUnreadable;
      bytes.clear();
      return result;
    }
    if (count == 0) break;
    filled += static_cast<std::size_t>(count);
  }
  if (filled > limit) {
    bytes.clear();
    result.status = FileReadStatus::kTooLarge;
    return result;
  }
  bytes.resize(filled);
  return result;
}

const char* KindName(FileKind kind) {
  switch (kind) {
    case FileKind::kFolder: return "フォルダ";
    case FileKind::kPipe: return "名前付きパイプ";
    case FileKind::kDevice: return "デバイス";
    case FileKind::kSocket: return "ソケット";
    default: return "特殊ファイル";
  }
}

}  // namespace

FileReadResult ReadBoundedFile(const std::filesystem::path& path, std::size_t limit,
                               std::string& bytes, FileReadRules rules) {
  return ReadInto(path, limit, bytes, rules);
}

FileReadResult ReadBoundedFile(const std::filesystem::path& path, std::size_t limit,
                               std::vector<std::uint8_t>& bytes, FileReadRules rules) {
  return ReadInto(path, limit, bytes, rules);
}

std::string FileReadReason(const FileReadResult& result) {
  switch (result.status) {
    case FileReadStatus::kRead:
      return {};
    case FileReadStatus::kNotRegularFile:
      return std::string("通常のファイルではありません（") + KindName(result.kind) + "）";
    case FileReadStatus::kTooLarge:
      return "ファイルが大きすぎます（上限 " + std::to_string(result.limit) + " バイト）";
    case FileReadStatus::kMissing:
    case FileReadStatus::kUnreadable:
      return std::strerror(result.error);
  }
  return {};
}

}  // namespace murva
