#include "app/page_sizes.h"

#include <charconv>

#include "platform/cache_folder.h"

namespace murva {

namespace {

constexpr std::string_view kHeader = "murva32 page sizes 1";
// A few dozen pages of a few dozen bytes each.
constexpr std::size_t kMostBytes = 64 * 1024;

// The key is one line of the file.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

std::optional<std::string_view> NextLine(std::string_view& text) {
  if (text.empty()) return std::nullopt;
  const std::size_t end = text.find('\n');
  if (end == std::string_view::npos) return std::nullopt;  // every line ends
  const std::string_view line = text.substr(0, end);
  text.remove_prefix(end + 1);
  return line;
}

std::optional<int> NextNumber(std::string_view& line) {
  if (line.empty() || line.front() != ' ') return std::nullopt;
  line.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
  if (error != std::errc() || value < 0) return std::nullopt;
  line.remove_prefix(static_cast<std::size_t>(end - line.data()));
  return value;
}

}  // namespace

PageSizes::PageSizes(std::string key) : key_(OneLine(std::move(key))) {}

void PageSizes::Put(const std::string& page, PageSize size) { sizes_[page] = size; }

std::optional<PageSize> PageSizes::Find(const std::string& page) const {
  const auto found = sizes_.find(page);
  if (found == sizes_.end()) return std::nullopt;
  return found->second;
}

std::string PageSizes::Encode() const {
  std::string text(kHeader);
  text += '\n' + key_ + '\n';
  for (const auto& [page, size] : sizes_) {
    text += page + ' ' + std::to_string(size.width) + ' ' + std::to_string(size.height) + ' ' +
            std::to_string(size.minimum_width) + ' ' + std::to_string(size.minimum_height) + '\n';
  }
  return text;
}

std::optional<PageSizes> PageSizes::Decode(std::string_view text, const std::string& key) {
  PageSizes sizes(key);
  if (NextLine(text) != kHeader || NextLine(text) != sizes.key_) return std::nullopt;
  while (!text.empty()) {
    std::optional<std::string_view> line = NextLine(text);
    if (!line) return std::nullopt;
    const std::size_t name_end = line->find(' ');
    if (name_end == 0 || name_end == std::string_view::npos) return std::nullopt;
    const std::string page(line->substr(0, name_end));
    line->remove_prefix(name_end);
    PageSize size;
    for (int* field : {&size.width, &size.height, &size.minimum_width, &size.minimum_height}) {
      const std::optional<int> number = NextNumber(*line);
      if (!number) return std::nullopt;
      *field = *number;
    }
    if (!line->empty()) return std::nullopt;
    sizes.Put(page, size);
  }
  return sizes;
}

bool PageSizes::FitWithin(ScreenSize area) const {
  const auto fits = [](int value, int most) { return value >= 0 && value <= most; };
  for (const auto& [page, size] : sizes_) {
    if (!fits(size.width, area.width) || !fits(size.height, area.height) ||
        !fits(size.minimum_width, area.width) || !fits(size.minimum_height, area.height)) {
      return false;
    }
  }
  return true;
}

std::optional<PageSizes> PageSizes::Read(const std::filesystem::path& file, const std::string& key,
                                         ScreenSize area) {
  std::string text;
  if (!ReadCacheFile(file, kMostBytes, text)) return std::nullopt;
  std::optional<PageSizes> sizes = Decode(text, key);
  if (!sizes || !sizes->FitWithin(area)) return std::nullopt;
  return sizes;
}

void PageSizes::Write(const std::filesystem::path& file) const {
  if (file.empty()) return;
  std::string text;
  if (ReadCacheFile(file, kMostBytes, text) && Decode(text, key_) == *this) return;
  std::string write_error;
  WriteCacheFile(file, Encode(), write_error);
}

}  // namespace murva
