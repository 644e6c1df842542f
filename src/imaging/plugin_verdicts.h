// What the program found out about each plug-in that did not ship with it,
// remembered between runs so that a plug-in is tried in a host process only
// the first time it is seen and again when its file changes.
//
// A verdict belongs to one plug-in file as it was: its path, size and
// modification time. The verdicts live in one text file (normally
// $XDG_CACHE_HOME/murva32/plugin-verdicts), one line per plug-in, read and
// written as a cache file (platform/cache_folder.h); a file that cannot be
// read, or a line that does not parse or holds a value out of range, only
// means the plug-in is tried again.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "imaging/spi.h"

namespace murva {

// The state of a plug-in file a verdict belongs to.
struct PluginFileStamp {
  std::uintmax_t size = 0;
  std::int64_t modified_ns = 0;
  bool operator==(const PluginFileStamp&) const = default;
};

// The stamp of the file at path (links followed); nothing when it is gone.
std::optional<PluginFileStamp> StampOf(const std::filesystem::path& path);

enum class PluginVerdictKind {
  kUsable,    // loads and answers: description says what it is
  kUnusable,  // not a plug-in this program can use (does not load, lacks entry points)
  kFaulty,    // crashed, aborted or hung: reason says where and how
};

struct PluginVerdict {
  PluginFileStamp stamp;
  PluginVerdictKind kind = PluginVerdictKind::kUnusable;
  TSPIDescription description;  // kUsable
  std::string reason;           // kFaulty: the message that named the plug-in
  bool operator==(const PluginVerdict&) const = default;
};

// $XDG_CACHE_HOME/murva32/plugin-verdicts ($HOME/.cache when the variable
// is not an absolute path); empty when neither tells a folder.
std::filesystem::path DefaultPluginVerdictFile();

class PluginVerdicts {
 public:
  // Reads the verdicts of file; an empty path keeps them in memory only.
  explicit PluginVerdicts(std::filesystem::path file);

  // The verdict on plugin (a full path) when it was made for this stamp.
  const PluginVerdict* Find(const std::string& plugin, const PluginFileStamp& stamp) const;
  void Put(const std::string& plugin, PluginVerdict verdict);

  // Writes the verdicts back when any changed, leaving out plug-ins whose
  // file is gone; false when the file could not be written.
  bool Save();

  // The file's text for the verdicts, and the verdicts of a text (lines
  // that do not parse are left out).
  static std::string Encode(const std::map<std::string, PluginVerdict>& verdicts);
  static std::map<std::string, PluginVerdict> Decode(std::string_view text);

 private:
  std::filesystem::path file_;
  std::map<std::string, PluginVerdict> verdicts_;
  bool changed_ = false;
};

}  // namespace murva
