// Typed access to one section of an opened settings file through the key
// table: every read takes the key's default and range, every write its
// stored form.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/profile_file.h"
#include "settings/setting_keys.h"
#include "settings/working_copy.h"

namespace murva {

class SettingsSection {
 public:
  SettingsSection(ProfileFile& file, std::string_view section)
      : file_(file), section_(section) {}

  const std::string& Name() const { return section_; }

  // `number` is the page, month or line number of a key family.
  int ReadInteger(const SettingKey& key, int number = 0) const;    // clamped
  int ReadSelection(const SettingKey& key, int number = 0) const;  // or kNoSelection
  bool ReadBool(const SettingKey& key, int number = 0) const;
  Color ReadColor(const SettingKey& key, int number = 0) const;
  int ReadStyle(const SettingKey& key, int number = 0) const;      // style bits only
  std::string ReadText(const SettingKey& key, int number = 0) const;
  std::string ReadTitleText(const SettingKey& key, int number = 0) const;  // decoded
  std::vector<std::string> ReadDayList(const SettingKey& key, int number = 0) const;

  void WriteInteger(const SettingKey& key, int number, int value);
  void WriteBool(const SettingKey& key, int number, bool value);
  void WriteColor(const SettingKey& key, int number, Color value);
  void WriteText(const SettingKey& key, int number, std::string_view value);
  void WriteTitleText(const SettingKey& key, int number, std::string_view text);  // encodes
  void WriteDayList(const SettingKey& key, int number, const std::vector<std::string>& cells);

  // Single keys.
  void WriteInteger(const SettingKey& key, int value) { WriteInteger(key, 0, value); }
  void WriteBool(const SettingKey& key, bool value) { WriteBool(key, 0, value); }
  void WriteText(const SettingKey& key, std::string_view value) { WriteText(key, 0, value); }

 private:
  ProfileFile& file_;
  std::string section_;
};

}  // namespace murva
