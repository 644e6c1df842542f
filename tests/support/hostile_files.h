// Things that can stand where the program expects a file it reads, none of
// which it may wait on or read whole: a named pipe without a writer, links
// to the endless devices, a folder, and a (sparse) file one byte over a
// limit. Each kind can be made at a path and told apart afterwards, so a
// test can check that nothing was written over it.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace murva::testing {

enum class HostileKind { kNamedPipe, kDevZero, kDevUrandom, kFolder, kOverLimit };

inline std::vector<HostileKind> AllHostileKinds() {
  return {HostileKind::kNamedPipe, HostileKind::kDevZero, HostileKind::kDevUrandom,
          HostileKind::kFolder, HostileKind::kOverLimit};
}

inline std::string HostileName(HostileKind kind) {
  switch (kind) {
    case HostileKind::kNamedPipe: return "NamedPipe";
    case HostileKind::kDevZero: return "LinkToDevZero";
    case HostileKind::kDevUrandom: return "LinkToDevUrandom";
    case HostileKind::kFolder: return "Folder";
    case HostileKind::kOverLimit: return "OverTheLimit";
  }
  return "?";
}

// The words of the reason the program gives for the kind.
inline std::string HostileReason(HostileKind kind) {
  switch (kind) {
    case HostileKind::kNamedPipe: return "名前付きパイプ";
    case HostileKind::kDevZero:
    case HostileKind::kDevUrandom: return "デバイス";
    case HostileKind::kFolder: return "フォルダ";
    case HostileKind::kOverLimit: return "大きすぎます";
  }
  return "?";
}

// Makes the thing at path; an over-limit file has limit + 1 bytes (a hole,
// so it costs no disk space).
inline void MakeHostile(HostileKind kind, const std::filesystem::path& path, std::size_t limit) {
  std::filesystem::create_directories(path.parent_path());
  switch (kind) {
    case HostileKind::kNamedPipe:
      mkfifo(path.c_str(), 0600);
      break;
    case HostileKind::kDevZero:
      std::filesystem::create_symlink("/dev/zero", path);
      break;
    case HostileKind::kDevUrandom:
      std::filesystem::create_symlink("/dev/urandom", path);
      break;
    case HostileKind::kFolder:
      std::filesystem::create_directory(path);
      break;
    case HostileKind::kOverLimit: {
      const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (fd >= 0) {
        if (ftruncate(fd, static_cast<off_t>(limit) + 1) != 0) {
        }
        close(fd);
      }
      break;
    }
  }
}

// Whether the thing at path is still what MakeHostile made.
inline bool StillHostile(HostileKind kind, const std::filesystem::path& path, std::size_t limit) {
  std::error_code error;
  switch (kind) {
    case HostileKind::kNamedPipe:
      return std::filesystem::is_fifo(std::filesystem::symlink_status(path, error));
    case HostileKind::kDevZero:
      return std::filesystem::read_symlink(path, error) == "/dev/zero";
    case HostileKind::kDevUrandom:
      return std::filesystem::read_symlink(path, error) == "/dev/urandom";
    case HostileKind::kFolder:
      return std::filesystem::is_directory(std::filesystem::symlink_status(path, error)) &&
             std::filesystem::is_empty(path, error);
    case HostileKind::kOverLimit:
      return std::filesystem::file_size(path, error) == limit + 1;
  }
  return false;
}

}  // namespace murva::testing
