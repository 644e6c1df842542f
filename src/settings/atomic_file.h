// Atomic whole-file replacement. (Files are read through
// platform/bounded_file.h.)
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace murva {

// What a replacement pays for surviving a crash of the whole system.
enum class FileDurability {
  // The new content and the rename are flushed to disk before returning.
  kSynced,
  // Readers still see either the old or the new content, but a system crash
  // soon after may lose the new one: for files the program rebuilds anyway.
  kRenamedOnly,
};

// Writes the bytes to a temporary file in the same folder, flushes it to disk
// (as durability asks) and renames it over the target, so the target is
// either the old or the new content, never a mixture. Keeps the old file's
// permission bits. Temporary files of earlier saves of the same file whose
// writer no longer runs are removed first. Returns false (and leaves the old
// file untouched) on any failure; errno is set.
bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                           FileDurability durability = FileDurability::kSynced);

// Appends bytes to the file being written; false when they could not be
// written.
using FileAppender = std::function<bool(std::string_view bytes)>;

// The same for content produced piece by piece: produce is called once with
// an appender and returns false to give up (the old file stays).
bool ReplaceFileAtomically(const std::filesystem::path& path,
                           const std::function<bool(const FileAppender& append)>& produce,
                           FileDurability durability = FileDurability::kSynced);

}  // namespace murva
