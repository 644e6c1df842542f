// Shared helpers of the schedule tests.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "calendar/clock.h"
#include "render/today_fields.h"
#include "schedule/cp932_bytes.h"
#include "schedule/schedule_list.h"
#include "settings/cp932.h"
#include "support/unprivileged_user.h"

namespace murva::testing {

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::random_device device;
    path_ = std::filesystem::temp_directory_path() /
            ("murva_schedule_test_" + std::to_string(getpid()) + "_" + std::to_string(device()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code error;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(path_, error);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

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

// CP932 bytes of UTF-8 test text.
inline std::string Sjis(const std::string& utf8) { return ToCp932(utf8); }

inline std::vector<std::string> SjisLines(const std::vector<std::string>& utf8_lines) {
  std::vector<std::string> lines;
  for (const std::string& line : utf8_lines) lines.push_back(Sjis(line));
  return lines;
}

inline std::vector<std::string> Utf8Lines(const std::vector<std::string>& sjis_lines) {
  std::vector<std::string> lines;
  for (const std::string& line : sjis_lines) lines.push_back(DecodeCp932Lossy(line));
  return lines;
}

inline std::vector<std::string> Utf8Lines(const ScheduleList& list) {
  return Utf8Lines(list.Lines());
}

inline TodayFields Day(int year, int month, int day) { return TodayFields::Of(year, month, day); }

inline FixedClock ClockAt(int year, int month, int day) {
  return FixedClock(LocalDateTime{year, month, day, 9, 30, 0});
}

}  // namespace murva::testing
