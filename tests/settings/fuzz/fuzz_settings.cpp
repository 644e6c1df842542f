// libFuzzer target: the settings file, as a user may have hand-edited it.
// The input is the file: every load procedure reads it (with the key
// table's ranges), the day lists it holds become calendar lines that are
// asked about every day, and an edit of it must give back a file that reads
// the same. Anything that crashes, hangs or is undefined is a finding.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "calendar/calendar_ex1.h"
#include "calendar/day_line.h"
#include "calendar/day_list_lines.h"
#include "calendar/str_to_int.h"
#include "settings/profile_file.h"
#include "settings/settings_store.h"

namespace {

std::filesystem::path FilePath(const char* name) {
  static const std::filesystem::path folder = [] {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("murva-fuzz-settings-" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder / name;
}

void Write(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 256 * 1024) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::filesystem::path ini = FilePath("MURVA32.INI");
  Write(ini, bytes);

  murva::ParseProfileInteger(bytes.substr(0, 64));

  const murva::SettingsStore store(ini);
  murva::WorkingCopy copy;
  murva::SilentSettingsHost host;
  store.LoadSetChoice(copy);
  store.LoadGeneralSettings(copy, "2026/12/06", host);
  // One page a run (the pages' keys differ only in their number).
  copy.wallpaper_page = 1 + static_cast<int>(size % 8);
  store.LoadPageSettings(copy);
  store.ReadStoredLayoutOfPage(copy, copy.wallpaper_page);
  store.LoadDayGrids(copy);
  store.RestorePanelPages(copy);
  murva::SettingsStore::InitControlState(copy, 1920, 1080);
  store.ReadRecordInt(copy, "CalWalLast", 1);

  // The day lists as the start-up loads them: every line they make is read
  // for its year and any month, and the calendar is asked about a day of a
  // month of the input's choice (every query reads every line; asking about
  // every day would only repeat that).
  static const murva::FixedClock clock(murva::LocalDateTime{2026, 12, 6, 9, 0, 0});
  std::unique_ptr<murva::TCalendarEx> calendar = murva::MakeCalendarEx1(clock);
  murva::LoadHolidayLines(*calendar, copy.holiday_grid, copy.holiday_method, 2026, 12);
  murva::LoadSpecialDayLines(*calendar, copy.special_grid, 2026, 12);
  for (const auto* list : {&calendar->HolidayList(), &calendar->SpecialDayList()}) {
    for (const std::string& line : *list) {
      int month = 0;
      int day = 0;
      std::string name;
      try {
        murva::ParseDayLine(line, 2027, month, day, name);
      } catch (const murva::EConvertError&) {
        // A day list cell that is no number: the user is told.
      }
    }
  }
  const int month = 1 + static_cast<int>(size % 12);
  try {
    calendar->DayTypeOf(2027, month, 1 + static_cast<int>(size % 31));
    calendar->DayTextOf(2026, month, 28);
  } catch (const murva::EConvertError&) {
  }

  // An edit gives a file that reads back as it was written, and the number
  // written is the number read.
  murva::ProfileFile file(ini);
  const std::string value(bytes.substr(0, 40));
  file.WriteString("Murva32V4", "TitleText1", value);
  file.WriteInteger("Murva32V4", "CalendWX11", static_cast<int>(size));
  const std::filesystem::path edited = FilePath("edited.ini");
  Write(edited, file.Content());
  const murva::ProfileFile reread(edited);
  if (reread.Content() != file.Content()) std::abort();
  if (reread.ReadInteger("Murva32V4", "CalendWX11", -1) != static_cast<int>(size)) std::abort();
  return 0;
}
