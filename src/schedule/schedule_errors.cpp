#include "schedule/schedule_errors.h"

namespace murva {

std::string ReadableText(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string readable;
  readable.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      readable += "\\x";
      readable += kHex[byte >> 4];
      readable += kHex[byte & 0x0F];
    } else {
      readable += c;
    }
  }
  return readable;
}

ScheduleIntegerError::ScheduleIntegerError(std::string_view text)
    : std::runtime_error("'" + ReadableText(text) + "' は整数ではありません"), text_(text) {}

ScheduleDateError::ScheduleDateError(std::string_view text)
    : std::runtime_error("'" + ReadableText(text) + "' は日付ではありません"), text_(text) {}

ScheduleFileOpenError::ScheduleFileOpenError(const std::filesystem::path& path,
                                             std::string_view reason)
    : std::runtime_error("ﾌｧｲﾙ " + ReadableText(path.string()) + " は開けません" +
                         (reason.empty() ? std::string() : "\r" + std::string(reason))),
      path_(path) {}

ScheduleFileCreateError::ScheduleFileCreateError(const std::filesystem::path& path)
    : std::runtime_error("ﾌｧｲﾙ " + ReadableText(path.string()) + " を作成できません"),
      path_(path) {}

InvalidEntryError::InvalidEntryError() : std::runtime_error(kInvalidEntryMessage) {}

InvalidEntryError::InvalidEntryError(const std::string& message) : std::runtime_error(message) {}

UnstorableEntryTextError::UnstorableEntryTextError(std::string_view character)
    : InvalidEntryError("予定の「" + ReadableText(character) +
                        "」は予定ファイル（MURVA32.SCH）に保存できない文字です．"
                        "別の文字に置き換えてください．"),
      character_(character) {}

namespace {

std::string DateName(int year, int month, int day) {
  std::string name = year > 0 ? std::to_string(year) + "年" : std::string("毎年の");
  return name + std::to_string(month) + "月" + std::to_string(day) + "日";
}

}  // namespace

ImpossibleEntryDateError::ImpossibleEntryDateError(int year, int month, int day)
    : InvalidEntryError(DateName(year, month, day) +
                        (year > 0 ? " という日付はありません．" : " という日付はどの年にもありません．") +
                        "日付を確かめてください．") {}

}  // namespace murva
