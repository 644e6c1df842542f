// The sizes the control panel's tab pages asked for the last time they were
// all made, kept between starts. An automatic run shows one page of each
// tab set and closes; with these sizes it makes only the pages it shows and
// still opens a window of exactly the size an interactive start has.
//
// The sizes hold only for the same program on the same desktop (fonts,
// style, screen resolution): the caller names all of that in a key, and
// sizes stored under another key are not used.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

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

  // The sizes stored in file under key; nullopt when there are none that
  // hold (no file, another key, a damaged file).
  static std::optional<PageSizes> Read(const std::filesystem::path& file, const std::string& key);
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
