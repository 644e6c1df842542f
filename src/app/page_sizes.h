// The sizes the control panel's tab pages asked for the last time they were
// all made, kept between starts. An automatic run shows one page of each
// tab set and closes; with these sizes it makes only the pages it shows and
// still opens a window of exactly the size an interactive start has.
//
// The sizes hold only for the same program on the same desktop (fonts,
// style, screen resolution, the area the window is fitted into): the caller
// names all of that in a key, and sizes stored under another key are not
// used. Nor are sizes larger than that area: no page of a window that fits
// the screen is larger than the screen, so a file that says otherwise is
// damaged, and believing it would make the window ask for a giant size.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "app/run_view.h"

namespace murva {

struct PageSize {
  int width = 0;
  int height = 0;
  int minimum_width = 0;
  int minimum_height = 0;
  bool operator==(const PageSize&) const = default;
};

class PageSizes {
 public:
  explicit PageSizes(std::string key);

  const std::string& Key() const { return key_; }
  void Put(const std::string& page, PageSize size);
  // The size of a page by its name; nullopt when it was not stored.
  std::optional<PageSize> Find(const std::string& page) const;

  // One text file: a header line, the key, then one line per page
  // ("name width height minimum-width minimum-height").
  std::string Encode() const;
  // Nullopt for a text that is not such a file or was stored under
  // another key.
  static std::optional<PageSizes> Decode(std::string_view text, const std::string& key);

  // Whether every size is within the area (0 up to its width and height).
  bool FitWithin(ScreenSize area) const;

  // The sizes stored in file under key that fit within area; nullopt when
  // there are none that hold (no file, another key, a damaged file, a size
  // out of range). The file is a cache file (platform/cache_folder.h).
  static std::optional<PageSizes> Read(const std::filesystem::path& file, const std::string& key,
                                       ScreenSize area);
  // Stores the sizes in file unless it holds them already. The sizes can
  // always be measured again: a failure only costs the next automatic run
  // its speed, and is not reported.
  void Write(const std::filesystem::path& file) const;

  bool operator==(const PageSizes&) const = default;

 private:
  std::string key_;
  std::map<std::string, PageSize> sizes_;
};

}  // namespace murva
