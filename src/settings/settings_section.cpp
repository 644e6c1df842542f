#include "settings/settings_section.h"

#include <stdexcept>

#include "settings/day_list.h"
#include "settings/leading_spaces.h"

namespace murva {
namespace {

constexpr int kStyleMask = kStyleBold | kStyleItalic | kStyleUnderline | kStyleStrikeOut;

// A key read or written as the wrong type is a fault of this program.
void Expect(const SettingKey& key, std::initializer_list<KeyType> types) {
  for (KeyType type : types) {
    if (key.type == type) return;
  }
  throw std::logic_error("settings key " + std::string(key.name) + " used as another type");
}

}  // namespace

int SettingsSection::ReadInteger(const SettingKey& key, int number) const {
  Expect(key, {KeyType::kInteger});
  return ClampToRange(key, file_.ReadInteger(section_, KeyName(key, number), key.default_value));
}

int SettingsSection::ReadSelection(const SettingKey& key, int number) const {
  Expect(key, {KeyType::kSelection});
  return ClampToRange(key, file_.ReadInteger(section_, KeyName(key, number), key.default_value));
}

bool SettingsSection::ReadBool(const SettingKey& key, int number) const {
  Expect(key, {KeyType::kBoolean});
  return file_.ReadBool(section_, KeyName(key, number), key.default_value != 0);
}

Color SettingsSection::ReadColor(const SettingKey& key, int number) const {
  Expect(key, {KeyType::kColor});
  return file_.ReadColor(section_, KeyName(key, number), static_cast<Color>(key.default_value));
}

int SettingsSection::ReadStyle(const SettingKey& key, int number) const {
  Expect(key, {KeyType::kStyle});
  return file_.ReadInteger(section_, KeyName(key, number), key.default_value) & kStyleMask;
}

std::string SettingsSection::ReadText(const SettingKey& key, int number) const {
  Expect(key, {KeyType::kText});
  return file_.ReadString(section_, KeyName(key, number), key.default_text);
}

std::string SettingsSection::ReadTitleText(const SettingKey& key, int number) const {
  Expect(key, {KeyType::kTitleText});
  return DecodeLeadingSpaces(file_.ReadString(section_, KeyName(key, number), ""));
}

std::vector<std::string> SettingsSection::ReadDayList(const SettingKey& key, int number) const {
  Expect(key, {KeyType::kDayList});
  return ParseDayList(file_.ReadString(section_, KeyName(key, number), ""));
}

void SettingsSection::WriteInteger(const SettingKey& key, int number, int value) {
  Expect(key, {KeyType::kInteger, KeyType::kSelection, KeyType::kStyle});
  file_.WriteInteger(section_, KeyName(key, number), value);
}

void SettingsSection::WriteBool(const SettingKey& key, int number, bool value) {
  Expect(key, {KeyType::kBoolean});
  file_.WriteBool(section_, KeyName(key, number), value);
}

void SettingsSection::WriteColor(const SettingKey& key, int number, Color value) {
  Expect(key, {KeyType::kColor});
  file_.WriteColor(section_, KeyName(key, number), value);
}

void SettingsSection::WriteText(const SettingKey& key, int number, std::string_view value) {
  Expect(key, {KeyType::kText});
  file_.WriteString(section_, KeyName(key, number), value);
}

void SettingsSection::WriteTitleText(const SettingKey& key, int number, std::string_view text) {
  Expect(key, {KeyType::kTitleText});
  file_.WriteString(section_, KeyName(key, number), EncodeLeadingSpaces(text));
}

void SettingsSection::WriteDayList(const SettingKey& key, int number,
                                   const std::vector<std::string>& cells) {
  Expect(key, {KeyType::kDayList});
  file_.WriteString(section_, KeyName(key, number), FormatDayList(cells));
}

}  // namespace murva
