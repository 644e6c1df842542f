#include "settings/calendar_source_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>

#include "settings/cp932.h"
#include "settings/ini_safe_text.h"
#include "settings/profile_file.h"
#include "settings/setting_keys.h"
#include "settings/settings_section.h"
#include "settings/settings_write_error.h"

namespace murva {
namespace {

using namespace keys;

std::string ReadSafeText(const SettingsSection& section, const SettingKey& key, int number) {
  return FromIniSafeText(section.ReadText(key, number));
}

std::size_t StoredBytes(std::string_view text) {
  return EncodeCp932Lossy(ToIniSafeText(text)).size();
}

// Only the owner may read the file that holds a private address: an
// existing file loses its group and other bits (the atomic replacement keeps
// them), a new one is made with none.
void MakeOwnerOnly(const std::filesystem::path& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) == 0) {
    if ((status.st_mode & 077) != 0 && S_ISREG(status.st_mode) &&
        chmod(path.c_str(), status.st_mode & 0700) != 0) {
      throw SettingsWriteError(path);
    }
    return;
  }
  std::error_code error;
  const std::filesystem::path folder = path.parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, error);
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) {
    if (errno == EEXIST) return MakeOwnerOnly(path);
    throw SettingsWriteError(path);
  }
  close(fd);
}

}  // namespace

CalendarSettings LoadCalendarSettings(const std::filesystem::path& ini_path) {
  CalendarSettings settings;
  ProfileFile file(ini_path);
  if (!file.Exists()) return settings;
  const SettingsSection section(file, kCalendarSection);
  settings.refresh_minutes = section.ReadInteger(kIcsRefresh);
  const int count = section.ReadInteger(kIcsCount);
  for (int n = 1; n <= count; ++n) {
    CalendarSource source;
    source.address = ReadSafeText(section, kIcsAddr, n);
    if (source.address.empty()) continue;
    source.name = ReadSafeText(section, kIcsName, n);
    source.color = ReadSafeText(section, kIcsColr, n);
    source.on = section.ReadBool(kIcsOnOf, n);
    const int use = section.ReadSelection(kIcsUsed, n);
    source.use = use == 1 ? CalendarUse::kHolidays
                 : use == 2 ? CalendarUse::kSpecialDays
                            : CalendarUse::kSchedule;
    settings.sources.push_back(std::move(source));
  }
  return settings;
}

std::optional<std::string> UnstorableSourceReason(const CalendarSource& source) {
  if (StoredBytes(source.address) > ProfileFile::kMaxValueBytes) {
    return "アドレスが長すぎて設定ファイルに保存できません（" +
           std::to_string(ProfileFile::kMaxValueBytes) + " バイトまで）";
  }
  if (StoredBytes(source.name) > ProfileFile::kMaxValueBytes) {
    return std::string("名前が長すぎて設定ファイルに保存できません");
  }
  return std::nullopt;
}

void SaveCalendarSettings(const std::filesystem::path& ini_path, const CalendarSettings& settings) {
  if (settings.sources.size() > static_cast<std::size_t>(kMaxCalendarSources)) {
    throw std::invalid_argument("カレンダは " + std::to_string(kMaxCalendarSources) +
                                " 個まで登録できます");
  }
  for (const CalendarSource& source : settings.sources) {
    if (const std::optional<std::string> reason = UnstorableSourceReason(source)) {
      throw std::invalid_argument(*reason);
    }
  }
  ProfileFile file(ini_path);
  if (!file.ReadProblem().empty()) throw SettingsWriteError(ini_path);
  SettingsSection section(file, kCalendarSection);
  const int stored = file.Exists() ? section.ReadInteger(kIcsCount) : 0;
  const int count = static_cast<int>(settings.sources.size());
  section.WriteInteger(kIcsCount, count);
  section.WriteInteger(kIcsRefresh, ClampToRange(kIcsRefresh, settings.refresh_minutes));
  for (int n = 1; n <= count; ++n) {
    const CalendarSource& source = settings.sources[static_cast<std::size_t>(n - 1)];
    section.WriteText(kIcsName, n, ToIniSafeText(source.name));
    section.WriteText(kIcsAddr, n, ToIniSafeText(source.address));
    section.WriteText(kIcsColr, n, ToIniSafeText(source.color));
    section.WriteBool(kIcsOnOf, n, source.on);
    section.WriteInteger(kIcsUsed, n, static_cast<int>(source.use));
  }
  // The keys of removed sources keep no name and no address.
  for (int n = count + 1; n <= stored; ++n) {
    section.WriteText(kIcsName, n, "");
    section.WriteText(kIcsAddr, n, "");
  }
  if (!file.HasChanges()) return;
  MakeOwnerOnly(ini_path);
  file.Commit();
}

}  // namespace murva
