#include "app/calendar_collection.h"

#include <sys/stat.h>

#include <ctime>
#include <map>
#include <mutex>

#include "calendar/julius.h"
#include "platform/bounded_file.h"
#include "settings/calendar_source_store.h"

namespace murva {
namespace {

// Calendars read before, by file: read again only when the file changed.
class ReadCalendars {
 public:
  std::shared_ptr<const ICalendar> Find(const std::filesystem::path& path, const struct stat& status) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto found = kept_.find(path.string());
    if (found == kept_.end() || found->second.size != status.st_size ||
        found->second.modified != status.st_mtim.tv_sec * 1000000000LL + status.st_mtim.tv_nsec ||
        found->second.inode != status.st_ino) {
      return nullptr;
    }
    return found->second.calendar;
  }
  void Keep(const std::filesystem::path& path, const struct stat& status,
            std::shared_ptr<const ICalendar> calendar) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (kept_.size() >= kMostKept) kept_.clear();
    kept_[path.string()] = {status.st_size, status.st_mtim.tv_sec * 1000000000LL + status.st_mtim.tv_nsec,
                            status.st_ino, std::move(calendar)};
  }

 private:
  static constexpr std::size_t kMostKept = 32;
  struct Entry {
    off_t size;
    long long modified;
    ino_t inode;
    std::shared_ptr<const ICalendar> calendar;
  };
  std::mutex mutex_;
  std::map<std::string, Entry> kept_;
};

ReadCalendars& Kept() {
  static ReadCalendars kept;
  return kept;
}

// The calendar of a file; problem says why there is none.
// A calendar file of the user's, or with rules a copy in the cache, which
// is read only as a regular file of the user's, never through a link.
std::shared_ptr<const ICalendar> ReadCalendarFile(const std::filesystem::path& path,
                                                  std::string& problem, std::int64_t& written,
                                                  FileReadRules rules = {}) {
  struct stat status {};
  if (stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
    written = status.st_mtim.tv_sec;
    if (auto kept = Kept().Find(path, status)) return kept;
  }
  std::string bytes;
  const FileReadResult read = ReadBoundedFile(path, kCalendarTextLimit, bytes, rules);
  if (!read.Ok()) {
    problem = read.status == FileReadStatus::kMissing ? "ファイルがありません" : FileReadReason(read);
    return nullptr;
  }
  std::shared_ptr<const ICalendar> calendar = ICalendar::Read(bytes);
  if (calendar->Ok() && stat(path.c_str(), &status) == 0) Kept().Keep(path, status, calendar);
  return calendar;
}

void AddDayNames(DayNames& days, const CalendarOccurrence& occurrence) {
  days[DateToJulius(occurrence.date.year, occurrence.date.month, occurrence.date.day)].push_back(
      occurrence.text.empty() ? "休日" : occurrence.text);
}

}  // namespace

std::string LocalTimeText(std::int64_t seconds) {
  const std::time_t time = static_cast<std::time_t>(seconds);
  std::tm local{};
  localtime_r(&time, &local);
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%Y/%m/%d %H:%M", &local);
  return buffer;
}

SourceCalendar ReadSourceCalendar(const CalendarSource& source, const CalendarCache& cache) {
  SourceCalendar result;
  const std::string label = SourceLabel(source);
  std::string problem;
  if (source.Kind() == CalendarKind::kFile) {
    result.calendar = ReadCalendarFile(source.address, problem, result.written);
  } else {
    result.state = cache.ReadState(source.address);
    if (cache.Folder().empty()) {
      problem = "写しを置くキャッシュフォルダがありません";
    } else {
      result.calendar = ReadCalendarFile(cache.BodyPath(source.address), problem, result.written,
                                         {.follow_links = false, .own_only = true});
      if (!result.calendar) {
        problem = result.state.error.empty() ? "まだ取得していません"
                                             : "取得できません（" + result.state.error + "）";
      } else if (!result.state.error.empty()) {
        problem = "取得できません（" + result.state.error + "）。" +
                  LocalTimeText(result.state.fetched_at != 0 ? result.state.fetched_at
                                                             : result.written) +
                  " に取得した写しを使います";
      }
    }
  }
  if (result.calendar && !result.calendar->Ok()) {
    problem = result.calendar->Error();
    result.calendar.reset();
  }
  if (!problem.empty()) result.problem = ScrubAddress(label + "：" + problem, source.address);
  if (result.calendar) {
    for (const std::string& warning : result.calendar->Warnings()) {
      result.problem += (result.problem.empty() ? "" : "\n") + label + "：" + warning;
    }
  }
  return result;
}

CalendarContribution CollectCalendars(const CalendarSettings& settings, const CalendarCache& cache,
                                      const DateWindow& list_window, const DateWindow& day_window,
                                      const DisplayZone& zone) {
  CalendarContribution contribution;
  for (std::size_t index = 0; index < settings.sources.size(); ++index) {
    const CalendarSource& source = settings.sources[index];
    if (!source.on) continue;
    const SourceCalendar read = ReadSourceCalendar(source, cache);
    if (!read.problem.empty()) contribution.problems.push_back(read.problem);
    if (!read.calendar) continue;
    std::vector<std::string> warnings;
    if (source.use == CalendarUse::kSchedule) {
      for (CalendarOccurrence& occurrence :
           read.calendar->Occurrences(list_window.first, list_window.last, zone, &warnings)) {
        contribution.lines.push_back(OccurrenceLine(occurrence, source.color));
        contribution.occurrences.push_back({std::move(occurrence), index});
      }
    } else {
      DayNames& days =
          source.use == CalendarUse::kHolidays ? contribution.holidays : contribution.special_days;
      for (const CalendarOccurrence& occurrence :
           read.calendar->Occurrences(day_window.first, day_window.last, zone, &warnings)) {
        if (occurrence.all_day) AddDayNames(days, occurrence);
      }
    }
    for (const std::string& warning : warnings) {
      contribution.problems.push_back(SourceLabel(source) + "：" + warning);
    }
  }
  return contribution;
}

DateWindow CalendarDayWindow(const TodayFields& today) {
  const CivilDate first_of_month{today.year, today.month, 1};
  const int year = today.year + (today.month == 12 ? 2 : 1);
  const int month = today.month == 12 ? 1 : today.month + 1;
  return {AddDays(first_of_month, -7), CivilDate{year, month, 1}};
}

CalendarContribution CalendarsForBuild(const WorkingCopy& copy,
                                       const std::filesystem::path& program_folder,
                                       const TodayFields& today) {
  const CalendarSettings settings = LoadCalendarSettings(program_folder / "MURVA32.INI");
  if (settings.sources.empty()) return {};
  return CollectCalendars(settings, CalendarCache::Default(),
                          CalendarWindowOf(copy.schedule_range, today), CalendarDayWindow(today),
                          DisplayZone::System());
}

std::string CalendarStatusText(const CalendarSource& source, const CalendarCache& cache) {
  const SourceCalendar read = ReadSourceCalendar(source, cache);
  std::string text;
  const auto add = [&text](const std::string& part) {
    if (!text.empty()) text += "・";
    text += part;
  };
  if (source.Kind() == CalendarKind::kFile) {
    if (read.written != 0) add("ファイル更新 " + LocalTimeText(read.written));
  } else if (read.state.fetched_at != 0) {
    add("最終取得 " + LocalTimeText(read.state.fetched_at));
  } else if (read.calendar) {
    add("写し " + LocalTimeText(read.written));
  }
  if (read.calendar) add("予定 " + std::to_string(read.calendar->EventCount()) + " 件");
  if (source.Kind() == CalendarKind::kSubscription && !read.state.error.empty()) {
    add("最後のエラー " + LocalTimeText(read.state.error_at) + "：" + read.state.error);
    if (read.calendar) add("オフライン中は " + LocalTimeText(read.state.fetched_at != 0 ? read.state.fetched_at : read.written) + " の写しを使用");
  } else if (!read.calendar) {
    const std::size_t colon = read.problem.find("：");
    add(colon == std::string::npos ? read.problem : read.problem.substr(colon + std::string("：").size()));
  } else if (!read.calendar->Warnings().empty()) {
    add(read.calendar->Warnings().front());
  }
  return ScrubAddress(text, source.address);
}

}  // namespace murva
