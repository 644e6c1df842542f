#include "imaging/plugin_verdicts.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <iterator>
#include <cstdlib>
#include <system_error>
#include <vector>

#include "platform/cache_folder.h"

namespace murva {
namespace {

constexpr std::string_view kHeader = "murva32 plugin verdicts 1";
// Far more than any number of plug-ins a user keeps.
constexpr std::size_t kMostVerdictBytes = 4u << 20;
constexpr std::size_t kMostFilterPairs = 1024;
constexpr std::size_t kMostVerdicts = 4096;
// A path, and the module name the loader records (a path too).
constexpr std::size_t kMostPathBytes = 4096;
// A text the plug-in gives through GetPluginInfo; a reason names the
// plug-in and says what happened.
constexpr std::size_t kMostTextBytes = TSPI::kInfoBufferSize;
constexpr std::size_t kMostReasonBytes = 2 * kMostPathBytes;
constexpr std::uint32_t kEveryEntry = (1u << std::size(kSpiEntryNames)) - 1;

// Tabs separate fields and newlines lines, so both (and the backslash that
// escapes them) are written as escapes.
std::string Escape(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '\\': escaped += "\\\\"; break;
      case '\t': escaped += "\\t"; break;
      case '\n': escaped += "\\n"; break;
      case '\r': escaped += "\\r"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

std::optional<std::string> Unescape(std::string_view text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      plain += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\': plain += '\\'; break;
      case 't': plain += '\t'; break;
      case 'n': plain += '\n'; break;
      case 'r': plain += '\r'; break;
      default: return std::nullopt;
    }
  }
  return plain;
}

template <typename Number>
std::optional<Number> ParseNumber(std::string_view text) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::vector<std::string_view> Split(std::string_view line, char separator) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t end = line.find(separator);
    fields.push_back(line.substr(0, end));
    if (end == std::string_view::npos) return fields;
    line.remove_prefix(end + 1);
  }
}

// One line: path, size, time, kind, then the kind's fields.
std::optional<std::pair<std::string, PluginVerdict>> DecodeLine(std::string_view line) {
  const std::vector<std::string_view> raw = Split(line, '\t');
  std::vector<std::string> fields;
  for (std::string_view field : raw) {
    std::optional<std::string> plain = Unescape(field);
    if (!plain) return std::nullopt;
    fields.push_back(std::move(*plain));
  }
  // Every value is checked before it is believed: a line that says more
  // than a plug-in can tell only means the plug-in is tried again.
  if (fields.size() < 4 || fields[0].empty() || fields[0].front() != '/' ||
      fields[0].size() > kMostPathBytes) {
    return std::nullopt;
  }
  PluginVerdict verdict;
  const auto size = ParseNumber<std::uintmax_t>(fields[1]);
  const auto modified = ParseNumber<std::int64_t>(fields[2]);
  if (!size || !modified) return std::nullopt;
  verdict.stamp = {*size, *modified};
  if (fields[3] == "unusable" && fields.size() == 4) {
    verdict.kind = PluginVerdictKind::kUnusable;
  } else if (fields[3] == "faulty" && fields.size() == 5 && !fields[4].empty() &&
             fields[4].size() <= kMostReasonBytes) {
    verdict.kind = PluginVerdictKind::kFaulty;
    verdict.reason = fields[4];
  } else if (fields[3] == "usable" && fields.size() >= 9) {
    verdict.kind = PluginVerdictKind::kUsable;
    TSPIDescription& description = verdict.description;
    description.file_name = fields[4];
    const auto entries = ParseNumber<std::uint32_t>(fields[5]);
    const auto pairs = ParseNumber<std::size_t>(fields[8]);
    if (!entries || (*entries & ~kEveryEntry) != 0 || !pairs || *pairs > kMostFilterPairs ||
        fields.size() != 9 + 2 * *pairs || description.file_name.empty() ||
        description.file_name.size() > kMostPathBytes) {
      return std::nullopt;
    }
    for (std::size_t i = 6; i < fields.size(); ++i) {
      if (i != 8 && fields[i].size() > kMostTextBytes) return std::nullopt;
    }
    description.entries = *entries;
    description.texts.api_version = fields[6];
    description.texts.plugin_name = fields[7];
    for (std::size_t i = 0; i < *pairs; ++i) {
      description.texts.extensions.push_back(fields[9 + 2 * i]);
      description.texts.descriptions.push_back(fields[10 + 2 * i]);
    }
  } else {
    return std::nullopt;
  }
  return std::make_pair(fields[0], std::move(verdict));
}

}  // namespace

std::optional<PluginFileStamp> StampOf(const std::filesystem::path& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return std::nullopt;
  return PluginFileStamp{static_cast<std::uintmax_t>(status.st_size),
                         static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 +
                             status.st_mtim.tv_nsec};
}

std::filesystem::path DefaultPluginVerdictFile() {
  const std::filesystem::path folder = UserCacheFolder();
  return folder.empty() ? folder : folder / "plugin-verdicts";
}

PluginVerdicts::PluginVerdicts(std::filesystem::path file) : file_(std::move(file)) {
  if (file_.empty()) return;
  std::string text;
  if (ReadCacheFile(file_, kMostVerdictBytes, text)) verdicts_ = Decode(text);
}

const PluginVerdict* PluginVerdicts::Find(const std::string& plugin,
                                          const PluginFileStamp& stamp) const {
  const auto found = verdicts_.find(plugin);
  if (found == verdicts_.end() || found->second.stamp != stamp) return nullptr;
  return &found->second;
}

void PluginVerdicts::Put(const std::string& plugin, PluginVerdict verdict) {
  PluginVerdict& stored = verdicts_[plugin];
  if (stored == verdict) return;
  stored = std::move(verdict);
  changed_ = true;
}

bool PluginVerdicts::Save() {
  if (!changed_ || file_.empty()) return true;
  std::map<std::string, PluginVerdict> kept;
  for (const auto& [plugin, verdict] : verdicts_) {
    if (StampOf(plugin)) kept.emplace(plugin, verdict);
  }
  std::string write_error;
  if (!WriteCacheFile(file_, Encode(kept), write_error)) return false;
  changed_ = false;
  return true;
}

std::string PluginVerdicts::Encode(const std::map<std::string, PluginVerdict>& verdicts) {
  std::string text(kHeader);
  text += '\n';
  for (const auto& [plugin, verdict] : verdicts) {
    text += Escape(plugin) + '\t' + std::to_string(verdict.stamp.size) + '\t' +
            std::to_string(verdict.stamp.modified_ns) + '\t';
    switch (verdict.kind) {
      case PluginVerdictKind::kUnusable:
        text += "unusable";
        break;
      case PluginVerdictKind::kFaulty:
        text += "faulty\t" + Escape(verdict.reason);
        break;
      case PluginVerdictKind::kUsable: {
        const TSPIDescription& description = verdict.description;
        const std::size_t pairs =
            std::min(description.texts.extensions.size(), description.texts.descriptions.size());
        text += "usable\t" + Escape(description.file_name) + '\t' +
                std::to_string(description.entries) + '\t' +
                Escape(description.texts.api_version) + '\t' +
                Escape(description.texts.plugin_name) + '\t' + std::to_string(pairs);
        for (std::size_t i = 0; i < pairs; ++i) {
          text += '\t' + Escape(description.texts.extensions[i]) + '\t' +
                  Escape(description.texts.descriptions[i]);
        }
        break;
      }
    }
    text += '\n';
  }
  return text;
}

std::map<std::string, PluginVerdict> PluginVerdicts::Decode(std::string_view text) {
  std::map<std::string, PluginVerdict> verdicts;
  std::vector<std::string_view> lines = Split(text, '\n');
  if (lines.empty() || lines.front() != kHeader) return verdicts;
  for (std::size_t i = 1; i < lines.size() && verdicts.size() < kMostVerdicts; ++i) {
    if (lines[i].empty()) continue;
    if (auto entry = DecodeLine(lines[i])) verdicts.insert(std::move(*entry));
  }
  return verdicts;
}

}  // namespace murva
