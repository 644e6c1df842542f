#include "settings/profile_file.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <stdexcept>
#include <system_error>

#include "platform/bounded_file.h"
#include "settings/atomic_file.h"
#include "settings/cp932.h"
#include "settings/settings_write_error.h"

namespace murva {
namespace {

namespace fs = std::filesystem;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// First byte of a CP932 double-byte character.
bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsBlankLine(std::string_view text) { return Trim(text).empty(); }

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Compares two CP932 names, ignoring the case of ASCII letters. The trail
// byte of a double-byte character may look like a letter; it is compared
// exactly so that two different characters never match.
bool NamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// The longest prefix of at most `limit` bytes that ends on a character
// boundary.
std::string_view CutToCharacters(std::string_view bytes, std::size_t limit) {
  if (bytes.size() <= limit) return bytes;
  std::size_t end = 0;
  while (end < bytes.size()) {
    std::size_t length = IsLeadByte(static_cast<unsigned char>(bytes[end])) ? 2 : 1;
    if (end + length > limit) break;
    end += length;
  }
  return bytes.substr(0, end);
}

void CheckSectionName(std::string_view section) {
  if (section.empty() || section.find_first_of("]\r\n") != std::string_view::npos ||
      Trim(section) != section) {
    throw std::invalid_argument("invalid settings section name: " + std::string(section));
  }
}

void CheckKeyName(std::string_view key) {
  if (key.empty() || key.find_first_of("=\r\n") != std::string_view::npos ||
      key.front() == '[' || key.front() == ';' || Trim(key) != key) {
    throw std::invalid_argument("invalid settings key name: " + std::string(key));
  }
}

}  // namespace

std::optional<int> ParseProfileInteger(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    std::string_view digits = text.substr(2);
    std::uint32_t value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return static_cast<int>(value);  // 32 bits, as stored: 0xFFFFFFFF is -1
  }
  std::string_view digits = text;
  bool negative = false;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  if (digits.empty() || digits.front() == '+' || digits.front() == '-') return std::nullopt;
  long long value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 10);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<int>(value);
}

ProfileFile::ProfileFile(std::filesystem::path path) : path_(std::move(path)) {
  std::string bytes;
  const FileReadResult read = ReadBoundedFile(path_, kTextFileReadLimit, bytes);
  if (!read.Ok()) {
    // A missing file is an empty profile; anything else that stands at the
    // path (a pipe, a device, a folder, a file far too large, one that cannot
    // be read) is also read as empty, but must never be written over.
    if (read.status != FileReadStatus::kMissing) read_problem_ = FileReadReason(read);
    unreadable_ = read.status != FileReadStatus::kMissing;
    return;
  }
  exists_ = true;
  bool newline_known = false;
  std::string_view rest = bytes;
  while (!rest.empty()) {
    std::size_t line_feed = rest.find('\n');
    std::string_view text = rest.substr(0, line_feed);
    std::string end;
    if (line_feed == std::string_view::npos) {
      rest = {};
      if (!text.empty() && text.back() == '\r') {
        text.remove_suffix(1);
        end = "\r";
      }
    } else {
      rest.remove_prefix(line_feed + 1);
      if (!text.empty() && text.back() == '\r') {
        text.remove_suffix(1);
        end = "\r\n";
      } else {
        end = "\n";
      }
      if (!newline_known) {
        newline_ = end;  // new lines follow the file's own line ends
        newline_known = true;
      }
    }
    lines_.push_back(ParseLine(std::string(text), std::move(end)));
  }
}

ProfileFile::Line ProfileFile::ParseLine(std::string text, std::string end) {
  Line line;
  line.text = std::move(text);
  line.end = std::move(end);
  std::string_view view = line.text;
  std::size_t first = 0;
  while (first < view.size() && IsBlank(view[first])) ++first;
  if (first < view.size() && view[first] == '[') {
    std::size_t close = first + 1;
    while (close < view.size() && view[close] != ']') {
      close += IsLeadByte(static_cast<unsigned char>(view[close])) ? 2 : 1;
    }
    close = std::min(close, view.size());
    line.kind = LineKind::kSection;
    line.name = std::string(Trim(view.substr(first + 1, close - first - 1)));
    return line;
  }
  if (first < view.size() && view[first] == ';') return line;  // comment
  // "=" (0x3D) is never the trail byte of a double-byte character.
  std::size_t equals = view.find('=');
  if (equals == std::string_view::npos) return line;
  line.kind = LineKind::kKey;
  line.name = std::string(Trim(view.substr(0, equals)));
  line.value_start = equals + 1;
  return line;
}

std::optional<std::size_t> ProfileFile::FindSection(std::string_view cp932_section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == LineKind::kSection && NamesEqual(lines_[i].name, cp932_section)) {
      return i;
    }
  }
  return std::nullopt;
}

std::size_t ProfileFile::SectionEnd(std::size_t header) const {
  std::size_t end = header + 1;
  while (end < lines_.size() && lines_[end].kind != LineKind::kSection) ++end;
  return end;
}

std::optional<std::size_t> ProfileFile::FindKey(std::string_view cp932_section,
                                                std::string_view cp932_key) const {
  std::optional<std::size_t> header = FindSection(cp932_section);
  if (!header) return std::nullopt;
  std::size_t end = SectionEnd(*header);
  for (std::size_t i = *header + 1; i < end; ++i) {
    if (lines_[i].kind == LineKind::kKey && NamesEqual(lines_[i].name, cp932_key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> ProfileFile::Find(std::string_view section,
                                             std::string_view key) const {
  std::optional<std::size_t> index = FindKey(EncodeCp932Lossy(section), EncodeCp932Lossy(key));
  if (!index) return std::nullopt;
  const Line& line = lines_[*index];
  std::string_view value = Trim(std::string_view(line.text).substr(line.value_start));
  return DecodeCp932Lossy(CutToCharacters(value, kMaxValueBytes));
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view fallback) const {
  std::optional<std::string> value = Find(section, key);
  return value ? *value : std::string(fallback);
}

int ProfileFile::ReadInteger(std::string_view section, std::string_view key,
                             int fallback) const {
  std::optional<std::string> value = Find(section, key);
  if (!value) return fallback;
  return ParseProfileInteger(*value).value_or(fallback);
}

bool ProfileFile::ReadBool(std::string_view section, std::string_view key,
                           bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

std::uint32_t ProfileFile::ReadColor(std::string_view section, std::string_view key,
                                     std::uint32_t fallback) const {
  int value = ReadInteger(section, key, static_cast<int>(fallback));
  if (value < 0 || value > 0xFFFFFF) return fallback;
  return static_cast<std::uint32_t>(value);
}

void ProfileFile::InsertLine(std::size_t at, std::string text) {
  if (at > 0 && lines_[at - 1].end.empty()) lines_[at - 1].end = newline_;
  if (at > 0 && lines_[at - 1].end == "\r") lines_[at - 1].end = newline_;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                ParseLine(std::move(text), newline_));
}

void ProfileFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  CheckSectionName(section);
  CheckKeyName(key);
  std::string clean_value(value);
  for (char& c : clean_value) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  const std::string cp932_section = EncodeCp932Lossy(section);
  const std::string cp932_key = EncodeCp932Lossy(key);
  std::string text = cp932_key + "=" + EncodeCp932Lossy(clean_value);
  changed_ = true;

  std::optional<std::size_t> header = FindSection(cp932_section);
  if (!header) {
    InsertLine(lines_.size(), "[" + cp932_section + "]");
    InsertLine(lines_.size(), std::move(text));
    return;
  }
  const std::size_t end = SectionEnd(*header);
  std::size_t insert_at = *header + 1;
  for (std::size_t i = *header + 1; i < end; ++i) {
    Line& line = lines_[i];
    if (line.kind == LineKind::kKey && NamesEqual(line.name, cp932_key)) {
      std::string line_end = line.end;
      line = ParseLine(std::move(text), std::move(line_end));
      return;
    }
    // Blank lines that close the section stay between it and the next one.
    if (!IsBlankLine(line.text)) insert_at = i + 1;
  }
  InsertLine(insert_at, std::move(text));
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void ProfileFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void ProfileFile::WriteColor(std::string_view section, std::string_view key,
                             std::uint32_t value) {
  WriteString(section, key, std::to_string(value));
}

std::string ProfileFile::Content() const {
  std::string bytes;
  for (const Line& line : lines_) {
    bytes += line.text;
    bytes += line.end;
  }
  return bytes;
}

void ProfileFile::Commit() {
  if (!changed_) return;
  // A file that is there but could not be read would lose its content.
  if (unreadable_) throw SettingsWriteError(path_);
  std::error_code error;
  fs::path folder = path_.parent_path();
  if (!folder.empty() && !fs::is_directory(folder, error)) {
    fs::create_directories(folder, error);
    if (error) throw SettingsWriteError(path_);
  }
  if (!ReplaceFileAtomically(path_, Content())) throw SettingsWriteError(path_);
  exists_ = true;
  changed_ = false;
}

}  // namespace murva
