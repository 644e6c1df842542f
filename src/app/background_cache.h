// Decoded backgrounds kept for the preview, so that moving a bar redraws the
// picture without reading the file again. An entry is known by the file's
// path, modification time and size and the 256-colour option it was read
// with; a file that changes on disk is read again. Failures are remembered
// the same way, so a damaged file is not read at every redraw.
#pragma once

#include <cstddef>
#include <filesystem>
#include <list>
#include <string>

#include "app/wallpaper_canvas.h"

namespace murva {

class BackgroundCache {
 public:
  // Keeps the most recently used pictures up to about byte_budget bytes
  // (always at least the last one).
  explicit BackgroundCache(std::size_t byte_budget = std::size_t{160} << 20);

  // The background at path as LoadBackgroundFile reads it. Raises
  // std::runtime_error with the reader's message when it cannot be read.
  WallpaperCanvas Get(const std::filesystem::path& path, int color_256);

  // How many times a file was read (a failed read counts too).
  int Reads() const { return reads_; }
  void Clear() { entries_.clear(); }

 private:
  struct Key {
    std::string path;
    std::filesystem::file_time_type modified;
    std::uintmax_t size = 0;
    int color_256 = 0;
    bool operator==(const Key&) const = default;
  };
  struct Entry {
    Key key;
    WallpaperCanvas canvas;
    std::string failure;  // non-empty: the file could not be read
  };

  void Trim();

  std::size_t byte_budget_;
  std::list<Entry> entries_;  // most recently used first
  int reads_ = 0;
};

}  // namespace murva
