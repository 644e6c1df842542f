#include "app/background_filter.h"

#include <QUtf8StringView>
#include <algorithm>
#include <vector>

#include "imaging/platform_graphics.h"
#include "settings/cp932.h"

namespace murva {
namespace {

bool UsableExtension(const std::string& extension) {
  if (extension.empty() || extension.size() > 16) return false;
  return std::all_of(extension.begin(), extension.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           c == '_' || c == '-' || c == '+';
  });
}

// A description the filter syntax cannot misread: no brackets, separators
// or control characters, blanks run together.
std::string CleanDescription(const std::string& raw, const std::string& extension) {
  // A plug-in made for the Windows program describes its formats in CP932.
  const std::string description =
      QUtf8StringView(raw).isValidUtf8() ? raw : DecodeCp932Lossy(raw);
  std::string clean;
  for (char c : description) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '(' || c == ')' || c == ';' || c == '*' || byte < 0x20 || byte == 0x7F || c == ' ') {
      if (!clean.empty() && clean.back() != ' ') clean += ' ';
    } else {
      clean += c;
    }
  }
  if (!clean.empty() && clean.back() == ' ') clean.pop_back();
  if (clean.empty()) {
    std::string upper = extension;
    for (char& c : upper) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper + " ファイル";
  }
  return clean;
}

std::string Patterns(const std::vector<std::string>& extensions) {
  std::string text;
  for (const std::string& extension : extensions) {
    std::string upper = extension;
    for (char& c : upper) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    // Both spellings: a desktop's own file dialog may match case-sensitively.
    for (const std::string& spelling : {extension, upper}) {
      if (!text.empty()) text += ' ';
      text += "*." + spelling;
      if (upper == extension) break;
    }
  }
  return text;
}

struct FilterEntry {
  std::string description;
  std::vector<std::string> extensions;
};

}  // namespace

std::string BackgroundFileFilter(const TPictureFormatRegistry& registry) {
  std::vector<FilterEntry> entries;
  std::vector<std::string> seen{"bmp"};
  for (const TPictureFormat& format : registry.Formats()) {
    const std::string& extension = format.extension;
    if (!UsableExtension(extension)) continue;
    if (std::find(seen.begin(), seen.end(), extension) != seen.end()) continue;
    // The entry that opens the extension is the last one registered for it.
    const std::optional<TPictureFormat> opener = registry.Find(extension);
    if (!opener || opener->graphic_class != format.graphic_class) continue;
    if (opener->graphic_class == &TMetafile::Class()) continue;
    seen.push_back(extension);
    const std::string description = CleanDescription(opener->description, extension);
    auto same = std::find_if(entries.begin(), entries.end(),
                             [&](const FilterEntry& entry) { return entry.description == description; });
    if (same == entries.end()) {
      entries.push_back({description, {extension}});
    } else {
      same->extensions.push_back(extension);
    }
  }

  std::vector<std::string> every{"bmp"};
  for (const FilterEntry& entry : entries) {
    every.insert(every.end(), entry.extensions.begin(), entry.extensions.end());
  }
  std::string filter = "画像ファイル (" + Patterns(every) + ")";
  filter += ";;BMP ファイル (" + Patterns({"bmp"}) + ")";
  for (const FilterEntry& entry : entries) {
    filter += ";;" + entry.description + " (" + Patterns(entry.extensions) + ")";
  }
  filter += ";;すべてのファイル (*)";
  return filter;
}

std::string FolderOfChosenFile(const std::filesystem::path& file) {
  std::filesystem::path folder = file.parent_path();
  std::string text = folder.string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

}  // namespace murva
