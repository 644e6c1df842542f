// The temporary file of an atomic replacement, and the clean-up of those a
// writer left behind when it was killed in the middle of a save.
//
// A temporary file is named after its target and its writer:
//   .<target name>.tmp-<boot>-<pid>-<start>-<random>
// where <boot> is the start of the kernel's boot id, <pid> the writer's
// process id and <start> the writer's start time (clock ticks since boot).
// The three together name one process for ever: a later process with the
// same id has another start time, and after a reboot the boot id differs.
// The writer also holds an exclusive lock on the file while it writes.
//
// A save first removes the temporary files of its target whose writer no
// longer runs and that nobody holds locked, so files of killed saves never
// pile up, and a file of a writer that is still saving is never touched.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace murva {

// The process that writes a temporary file.
struct WriterIdentity {
  std::string boot;  // 8 hex digits of the boot id; empty in names of old versions
  long pid = 0;
  unsigned long long start = 0;  // 0 in names of old versions
  bool operator==(const WriterIdentity&) const = default;
};

// This process, as it names its temporary files now.
WriterIdentity CurrentWriter();

// Whether the writer still runs. A writer whose boot id or start time is not
// known (a name written by an older version) counts as running while any
// process of its id runs; when this cannot be told, it counts as running.
bool WriterRuns(const WriterIdentity& writer);

// The writer named by a temporary file of target_name, or nothing when
// entry_name is not one. Also knows the names older versions used:
// ".<name>.tmp<pid>-<random>" and ".<name>.murva32-<pid>".
std::optional<WriterIdentity> TemporaryFileWriter(std::string_view target_name,
                                                  std::string_view entry_name);

// Removes the temporary files of target that were left by writers that no
// longer run and are not locked; returns how many were removed. Only
// regular files of the user's go (a link, a folder or a pipe of such a name
// stays).
int RemoveAbandonedTemporaryFiles(const std::filesystem::path& target);

// One temporary file beside a target. The destructor closes it and removes it
// unless Release was called (after it was renamed into place).
class TemporaryFile {
 public:
  TemporaryFile() = default;
  ~TemporaryFile() { Discard(); }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // Creates a new regular file of the user's beside target, named as above,
  // exclusively (never one that exists, never through a link) and locked.
  // mode passes through the process umask.
  // Returns false with errno set on failure.
  bool Create(const std::filesystem::path& target, mode_t mode);

  int Descriptor() const { return fd_; }

  // Writes all of bytes (again after an interrupted or short write); false
  // with errno set when the file takes no more.
  bool Write(std::string_view bytes);
  const std::filesystem::path& Path() const { return path_; }

  // Closes the file (which also drops the lock); false when closing reports
  // an error.
  bool Close();

  // The file was renamed into place: nothing left to clean up.
  void Release() { path_.clear(); }

  // Closes and removes the file, keeping the errno of the failure that led
  // here.
  void Discard();

 private:
  int fd_ = -1;
  std::filesystem::path path_;
};

}  // namespace murva
