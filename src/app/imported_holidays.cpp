#include "app/imported_holidays.h"

#include <optional>

#include "platform/bounded_file.h"
#include "settings/atomic_file.h"
#include "settings/cp932.h"

namespace murva {
namespace {

// The official list is some 20 KB; nothing of this kind comes near this.
constexpr std::size_t kHolidayListLimit = 4 << 20;

bool IsUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length = 1;
    if (lead >= 0x80) {
      if (lead >= 0xC2 && lead <= 0xDF) length = 2;
      else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
      else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
      else return false;
      if (i + length > bytes.size()) return false;
      for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
      }
    }
    i += length;
  }
  return true;
}

}  // namespace

std::filesystem::path ImportedHolidayPath(const std::filesystem::path& program_folder) {
  return program_folder / kImportedHolidayFileName;
}

std::optional<std::string> DecodeHolidayListBytes(std::string_view bytes, int& bad_line) {
  bad_line = 0;
  if (IsUtf8(bytes)) return std::string(bytes);
  if (std::optional<std::string> text = DecodeCp932(bytes)) return text;
  // The first line that is neither.
  int line = 1;
  for (std::size_t at = 0; at <= bytes.size();) {
    const std::size_t end = std::min(bytes.find('\n', at), bytes.size());
    const std::string_view piece = bytes.substr(at, end - at);
    if (!IsUtf8(piece) && !DecodeCp932(piece)) {
      bad_line = line;
      return std::nullopt;
    }
    at = end + 1;
    ++line;
  }
  bad_line = line - 1;
  return std::nullopt;
}

std::shared_ptr<const ListedHolidays> LoadImportedHolidays(const std::filesystem::path& program_folder,
                                                           std::string* problem) {
  std::string bytes;
  const std::filesystem::path path = ImportedHolidayPath(program_folder);
  const FileReadResult read = ReadBoundedFile(path, kHolidayListLimit, bytes);
  if (read.status == FileReadStatus::kMissing) return nullptr;
  if (!read.Ok()) {
    if (problem) *problem = path.string() + "：" + FileReadReason(read);
    return nullptr;
  }
  HolidayListReading reading = ReadHolidayList(bytes);
  if (!reading.list) {
    if (problem) {
      *problem = path.string() + " の " + std::to_string(reading.error_line) + " 行目：" + reading.error;
    }
    return nullptr;
  }
  return std::make_shared<const ListedHolidays>(std::move(*reading.list));
}

HolidayImport ImportHolidayList(const std::filesystem::path& file,
                                const std::filesystem::path& program_folder) {
  HolidayImport result;
  const std::string refused = "。祝日一覧は取り込んでいません（これまでの設定のままです）";
  std::string bytes;
  const FileReadResult read = ReadBoundedFile(file, kHolidayListLimit, bytes);
  if (!read.Ok()) {
    result.message = file.string() + " を読めません：" + FileReadReason(read) + refused;
    return result;
  }
  int bad_line = 0;
  const std::optional<std::string> text = DecodeHolidayListBytes(bytes, bad_line);
  if (!text) {
    result.message = file.string() + " の " + std::to_string(bad_line) +
                     " 行目：Shift_JIS（CP932）でも UTF-8 でもない文字があります" + refused;
    return result;
  }
  HolidayListReading reading = ReadHolidayList(*text);
  if (!reading.list) {
    result.message = file.string() + " の " + std::to_string(reading.error_line) + " 行目：" +
                     reading.error + refused;
    return result;
  }
  const std::filesystem::path kept = ImportedHolidayPath(program_folder);
  std::error_code error;
  std::filesystem::create_directories(program_folder, error);
  if (!ReplaceFileAtomically(kept, FormatHolidayList(*reading.list))) {
    result.message = kept.string() + " に書き込めません" + refused;
    return result;
  }
  result.list = std::make_shared<const ListedHolidays>(std::move(*reading.list));
  result.message = "祝日一覧を取り込みました：" + CoveredYearsText(*result.list) + "（" +
                   std::to_string(result.list->days.size()) + " 日）";
  return result;
}

void ApplyImportedHolidays(TCalendarEx& engine, const std::filesystem::path& program_folder) {
  engine.SetListedHolidays(LoadImportedHolidays(program_folder));
}

std::string ImportedYearsText(const ListedHolidays* list) {
  if (list == nullptr) return "祝日はすべての年で組み込みの規則によります";
  return CoveredYearsText(*list) + "の祝日は取り込んだ祝日一覧、それ以外の年は組み込みの規則によります";
}

}  // namespace murva
