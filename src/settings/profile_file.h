// The INI ("profile") file: sections in square brackets, key=value lines.
//
// A ProfileFile is one opening of the file: the constructor reads the whole
// file, the reads and writes work on that copy, and Commit puts the changed
// content back on disk in one atomic replacement. The file stays in CP932
// with its own line ends; the lines no write touches keep every byte. Names
// and values cross this interface as UTF-8.
//
// Rules of the syntax:
//  - section and key names match without regard to ASCII letter case;
//  - a value is the text after the first "=", with leading and trailing
//    blanks (spaces, tabs) removed, cut to kMaxValueBytes CP932 bytes at a
//    character boundary;
//  - a missing file, section or key gives the caller's default; so does an
//    integer that does not parse;
//  - the first of several sections or keys of the same name is the one used;
//    lines starting with ";" and lines without "=" are carried along unread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace murva {

// An integer as the settings file writes it: optional sign and decimal
// digits, or (longer than two characters) "0x"/"0X" and hexadecimal digits
// up to 32 bits. nullopt for anything else, including values beyond 32 bits.
std::optional<int> ParseProfileInteger(std::string_view text);

class ProfileFile {
 public:
  static constexpr std::size_t kMaxValueBytes = 1023;

  // Reads the file (without blocking, at most kTextFileReadLimit bytes); a
  // missing file is an empty profile. Anything else at the path that cannot
  // be read as a regular file of that size (a named pipe, a device, a
  // folder, a file far too large, one without read permission) also reads
  // as empty, and Commit then refuses to replace it.
  explicit ProfileFile(std::filesystem::path path);

  const std::filesystem::path& Path() const { return path_; }
  // Whether the file was there and read.
  bool Exists() const { return exists_; }
  // Why a file that stands at the path could not be read (Japanese, without
  // the path); empty when it was read or is missing.
  const std::string& ReadProblem() const { return read_problem_; }

  // The value of a key, or nullopt when the section or the key is missing.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
  // An integer; any non-zero value is true.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
  // An integer holding 0x00BBGGRR; a value outside 0 .. 0xFFFFFF gives the
  // fallback.
  std::uint32_t ReadColor(std::string_view section, std::string_view key,
                          std::uint32_t fallback) const;

  // Replaces the key's line, or adds the line at the end of its section, or
  // adds the section at the end of the file. Line breaks in the value are
  // written as blanks, so a value can never start a new line.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);  // "1"/"0"
  void WriteColor(std::string_view section, std::string_view key, std::uint32_t value);

  bool HasChanges() const { return changed_; }

  // Writes the content back if anything was written; throws
  // SettingsWriteError (and leaves the file as it was) when that fails.
  void Commit();

  // The bytes the file holds after Commit.
  std::string Content() const;

 private:
  enum class LineKind { kOther, kSection, kKey };
  struct Line {
    std::string text;  // without the line end
    std::string end;   // "\r\n", "\n", "\r" or "" (last line without one)
    LineKind kind = LineKind::kOther;
    std::string name;  // section or key name, as CP932 bytes, trimmed
    std::size_t value_start = 0;  // offset of the byte after "=" (keys)
  };

  static Line ParseLine(std::string text, std::string end);
  std::optional<std::size_t> FindSection(std::string_view cp932_section) const;
  // End (exclusive) of the section whose header is at `header`.
  std::size_t SectionEnd(std::size_t header) const;
  std::optional<std::size_t> FindKey(std::string_view cp932_section,
                                     std::string_view cp932_key) const;
  void InsertLine(std::size_t at, std::string text);

  std::filesystem::path path_;
  bool exists_ = false;
  bool unreadable_ = false;
  std::string read_problem_;
  bool changed_ = false;
  std::string newline_ = "\r\n";
  std::vector<Line> lines_;
};

}  // namespace murva
