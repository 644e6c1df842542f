#include "schedule/schedule_errors.h"

namespace murva {

ScheduleIntegerError::ScheduleIntegerError(std::string_view text)
    : std::runtime_error("'" + std::string(text) + "' は整数ではありません"), text_(text) {}

ScheduleDateError::ScheduleDateError(std::string_view text)
    : std::runtime_error("'" + std::string(text) + "' は日付ではありません"), text_(text) {}

ScheduleFileOpenError::ScheduleFileOpenError(const std::filesystem::path& path)
    : std::runtime_error("ﾌｧｲﾙ " + path.string() + " は開けません"), path_(path) {}

ScheduleFileCreateError::ScheduleFileCreateError(const std::filesystem::path& path)
    : std::runtime_error("ﾌｧｲﾙ " + path.string() + " を作成できません"), path_(path) {}

InvalidEntryError::InvalidEntryError() : std::runtime_error(kInvalidEntryMessage) {}

}  // namespace murva
