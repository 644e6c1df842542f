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

}  // namespace murva
