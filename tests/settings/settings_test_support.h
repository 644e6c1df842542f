// Helpers shared by the settings tests: a scratch folder, raw file access,
// the keys of a section in file order, and a host that records its calls.
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "settings/settings_store.h"
#include "settings/working_copy.h"

namespace murva::testing {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "murva-settings-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path File(const std::string& name) const { return path_ / name; }

  // Names of everything in the folder.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

 private:
  std::filesystem::path path_;
};

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream stream(path, std::ios::binary | std::ios::trunc);
  stream << bytes;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream stream(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
}

// Splits file bytes into lines without their CR LF / LF ends.
inline std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::string current;
  for (char c : bytes) {
    if (c == '\n') {
      if (!current.empty() && current.back() == '\r') current.pop_back();
      lines.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) lines.push_back(current);
  return lines;
}

// The key=value lines of one section (exact, case-sensitive header), in
// file order, as (key, value) byte pairs.
inline std::vector<std::pair<std::string, std::string>> Entries(const std::string& bytes,
                                                                const std::string& section) {
  std::vector<std::pair<std::string, std::string>> entries;
  bool inside = false;
  for (const std::string& line : Lines(bytes)) {
    if (!line.empty() && line.front() == '[') {
      inside = line == "[" + section + "]";
      continue;
    }
    std::size_t equals = line.find('=');
    if (inside && equals != std::string::npos) {
      entries.emplace_back(line.substr(0, equals), line.substr(equals + 1));
    }
  }
  return entries;
}

inline std::vector<std::string> KeysInOrder(const std::string& bytes, const std::string& section) {
  std::vector<std::string> keys;
  for (const auto& [key, value] : Entries(bytes, section)) keys.push_back(key);
  return keys;
}

inline std::map<std::string, std::string> ValueMap(const std::string& bytes,
                                                   const std::string& section) {
  std::map<std::string, std::string> values;
  for (const auto& [key, value] : Entries(bytes, section)) values.emplace(key, value);
  return values;
}

// Numbered key names: Numbered("TiFntName", 1, 4) = TiFntName1 .. TiFntName4.
inline std::vector<std::string> Numbered(const std::string& base, int first, int last) {
  std::vector<std::string> names;
  for (int i = first; i <= last; ++i) names.push_back(base + std::to_string(i));
  return names;
}

inline std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// While alive, no file of this process may grow beyond `bytes`: every write
// past that fails with EFBIG, whoever runs the test (root included).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &old_limit_);
    rlimit limit = old_limit_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_limit_);
    std::signal(SIGXFSZ, old_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_limit_{};
  void (*old_handler_)(int) = nullptr;
};

// Records what the load procedures ask of the window, with a snapshot of
// the working copy at each call so that the order of the steps shows.
class RecordingHost : public SettingsHost {
 public:
  explicit RecordingHost(const WorkingCopy* copy = nullptr) : copy_(copy) {}

  void ShowMessage(const std::string& text) override {
    events.push_back("message");
    messages.push_back(text);
  }
  void PlaceMainWindow(int x, int y) override {
    events.push_back("place " + std::to_string(x) + "," + std::to_string(y));
    if (copy_) copy_at_place = *copy_;
  }
  void ShowModeIndicator() override {
    events.push_back("mode");
    if (copy_) copy_at_mode = *copy_;
  }

  std::vector<std::string> events;
  std::vector<std::string> messages;
  WorkingCopy copy_at_mode;
  WorkingCopy copy_at_place;

 private:
  const WorkingCopy* copy_;
};

}  // namespace murva::testing
