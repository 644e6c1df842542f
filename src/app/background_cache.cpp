#include "app/background_cache.h"

#include <stdexcept>

#include "app/background_file.h"

namespace murva {

BackgroundCache::BackgroundCache(std::size_t byte_budget) : byte_budget_(byte_budget) {}

WallpaperCanvas BackgroundCache::Get(const std::filesystem::path& path, int color_256) {
  Key key{path.string(), {}, 0, color_256};
  std::error_code error;
  key.modified = std::filesystem::last_write_time(path, error);
  key.size = std::filesystem::file_size(path, error);
  if (error) key.size = 0;

  for (auto entry = entries_.begin(); entry != entries_.end(); ++entry) {
    if (entry->key == key) {
      entries_.splice(entries_.begin(), entries_, entry);
      break;
    }
  }
  if (entries_.empty() || !(entries_.front().key == key)) {
    Entry entry{key, {}, {}};
    ++reads_;
    try {
      entry.canvas = LoadBackgroundFile(path, color_256);
    } catch (const std::exception& failure) {
      entry.failure = failure.what();
    }
    entries_.push_front(std::move(entry));
    Trim();
  }
  const Entry& found = entries_.front();
  if (!found.failure.empty()) throw std::runtime_error(found.failure);
  return found.canvas;
}

void BackgroundCache::Trim() {
  std::size_t bytes = 0;
  for (auto entry = entries_.begin(); entry != entries_.end();) {
    const std::size_t size = static_cast<std::size_t>(entry->canvas.image.sizeInBytes());
    if (entry != entries_.begin() && bytes + size > byte_budget_) {
      entry = entries_.erase(entry);
    } else {
      bytes += size;
      ++entry;
    }
  }
}

}  // namespace murva
