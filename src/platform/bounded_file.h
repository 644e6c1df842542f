// Reading a whole file the program was pointed at, without ever blocking and
// without taking more memory than a real file of its kind needs.
//
// The file is opened non-blocking (a named pipe with no writer does not hold
// the open up) and must then be a regular file: a pipe, a device such as
// /dev/zero, a socket or a folder is refused before a byte is read. Its size
// must not exceed the limit the caller gives; the read stops one byte past the
// limit in any case, so a file that grows while it is read is refused too.
// Every reader of the program (settings, schedules, the external schedule,
// pictures, the plug-in verdicts) goes through here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace murva {

// The limit for the text files the program reads: settings and schedules.
// A hand-kept schedule of many years is a few megabytes; nothing a user
// writes comes near this.
inline constexpr std::size_t kTextFileReadLimit = std::size_t{32} << 20;

enum class FileReadStatus {
  kRead,            // the bytes are there
  kMissing,         // nothing stands at the path (or a link points nowhere)
  kNotRegularFile,  // a folder, a pipe, a device or a socket
  kTooLarge,        // larger than the limit
  kUnreadable,      // present, but opening or reading failed (error tells why)
};

// What stands at a path that is not a regular file, for the message.
enum class FileKind { kRegular, kFolder, kPipe, kDevice, kSocket, kOther };

struct FileReadResult {
  FileReadStatus status = FileReadStatus::kRead;
  int error = 0;                  // errno of kMissing and kUnreadable
  FileKind kind = FileKind::kRegular;
  std::size_t limit = 0;          // the limit the read was made with
  bool Ok() const { return status == FileReadStatus::kRead; }
};

// Stricter rules for files only the program itself writes (its caches).
struct FileReadRules {
  // A symbolic link at the path is refused (kUnreadable, ELOOP), not
  // followed.
  bool follow_links = true;
  // A file of another user is refused (kUnreadable, EPERM).
  bool own_only = false;
};

// Reads the whole file into bytes (replacing what they held) when it is a
// regular file of at most limit bytes. On any other outcome bytes is left
// empty. Never blocks on a pipe or device, never reads more than limit + 1
// bytes.
FileReadResult ReadBoundedFile(const std::filesystem::path& path, std::size_t limit,
                               std::string& bytes, FileReadRules rules = {});
FileReadResult ReadBoundedFile(const std::filesystem::path& path, std::size_t limit,
                               std::vector<std::uint8_t>& bytes, FileReadRules rules = {});

// Why a read gave no bytes, in the program's own words (Japanese), without
// the file name: "通常のファイルではありません（名前付きパイプ）",
// "ファイルが大きすぎます（上限 33554432 バイト）", or the system's text of
// the error. Empty for a successful read.
std::string FileReadReason(const FileReadResult& result);

}  // namespace murva
