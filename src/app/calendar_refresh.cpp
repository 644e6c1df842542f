#include "app/calendar_refresh.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <ctime>
#include <iostream>

#include "app/calendar_collection.h"
#include "platform/cache_folder.h"
#include "settings/calendar_source_store.h"
#include "schedule/ical_calendar.h"

namespace murva {

std::int64_t SecondsNow() { return static_cast<std::int64_t>(std::time(nullptr)); }

CalendarRefresh::CalendarRefresh(CalendarFetcher& fetcher, CalendarCache cache)
    : fetcher_(fetcher), cache_(std::move(cache)), alive_(std::make_shared<bool>(true)) {}

CalendarRefresh::~CalendarRefresh() { *alive_ = false; }

bool CalendarRefresh::Start(const CalendarSettings& settings, std::int64_t min_age_seconds,
                            Done done) {
  if (Busy()) return false;
  reports_.clear();
  done_ = std::move(done);
  std::vector<std::pair<CalendarSource, CalendarCacheState>> due;
  const std::int64_t now = SecondsNow();
  for (const CalendarSource& source : settings.sources) {
    if (!source.on || source.Kind() != CalendarKind::kSubscription) continue;
    const CalendarCacheState state = cache_.ReadState(source.address);
    const std::int64_t last = std::max(state.fetched_at, state.checked_at);
    if (min_age_seconds > 0 && last != 0 && now - last < min_age_seconds && now >= last) continue;
    due.emplace_back(source, state);
  }
  pending_ = static_cast<int>(due.size());
  unanswered_.clear();
  for (const auto& item : due) unanswered_.push_back(item.first);
  if (due.empty()) {
    QTimer::singleShot(0, [alive = alive_, this] {
      if (*alive && done_) done_(reports_);
    });
    return true;
  }
  for (auto& [source, state] : due) {
    CalendarFetchRequest request;
    request.url = FetchAddressOf(source.address);
    // The validators count only while the copy they describe is there.
    std::error_code error;
    if (std::filesystem::exists(cache_.BodyPath(source.address), error)) {
      request.etag = state.etag;
      request.last_modified = state.last_modified;
    }
    fetcher_.Fetch(request, [alive = alive_, this, source = source,
                             state = state](const CalendarFetchResult& result) {
      if (!*alive) return;
      std::erase_if(unanswered_, [&source](const CalendarSource& waiting) {
        return waiting.address == source.address;
      });
      Answered(source, state, result);
      if (--pending_ == 0 && done_) done_(reports_);
    });
  }
  return true;
}

void CalendarRefresh::Answered(const CalendarSource& source, const CalendarCacheState& before,
                               const CalendarFetchResult& result) {
  RefreshReport report;
  report.address = source.address;
  CalendarCacheState state = before;
  const std::int64_t now = SecondsNow();
  state.checked_at = now;
  std::string failure;
  switch (result.outcome) {
    case FetchOutcome::kNotModified:
      state.fetched_at = now;
      break;
    case FetchOutcome::kFetched: {
      const auto calendar = ICalendar::Read(result.body);
      if (!calendar->Ok()) {
        failure = "答えがカレンダではありません：" + calendar->Error();
        break;
      }
      std::string held;
      ReadCacheFile(cache_.BodyPath(source.address), kCalendarTextLimit, held);
      std::string error;
      if (held != result.body) {
        if (!cache_.WriteBody(source.address, result.body, error)) {
          failure = "写しを保存できません：" + error;
          break;
        }
        report.changed = true;
      }
      state.etag = result.etag;
      state.last_modified = result.last_modified;
      state.fetched_at = now;
      break;
    }
    case FetchOutcome::kFailed:
      failure = result.reason;
      break;
  }
  if (failure.empty()) {
    state.error.clear();
    state.error_at = 0;
  } else {
    state.error = ScrubAddress(failure, source.address);
    state.error_at = now;
    report.problem = ScrubAddress(SourceLabel(source) + "：取得できません（" + failure + "）",
                                  source.address);
  }
  std::string error;
  if (!cache_.WriteState(source.address, state, error) && report.problem.empty()) {
    report.problem = SourceLabel(source) + "：状態を保存できません：" + error;
  }
  reports_.push_back(std::move(report));
}

std::vector<RefreshReport> RefreshAndWait(CalendarFetcher& fetcher, const CalendarCache& cache,
                                          const CalendarSettings& settings,
                                          std::int64_t min_age_seconds, int wait_milliseconds) {
  CalendarRefresh refresh(fetcher, cache);
  QEventLoop loop;
  std::vector<RefreshReport> reports;
  bool finished = false;
  refresh.Start(settings, min_age_seconds, [&](const std::vector<RefreshReport>& done) {
    reports = done;
    finished = true;
    loop.quit();
  });
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
  deadline.start(wait_milliseconds);
  if (!finished) loop.exec(QEventLoop::ExcludeUserInputEvents);
  if (finished) return reports;
  reports = refresh.Reports();
  for (const CalendarSource& source : refresh.Unanswered()) {
    const CalendarCacheState state = cache.ReadState(source.address);
    RefreshReport report;
    report.address = source.address;
    report.problem = SourceLabel(source) + "：" + std::to_string(wait_milliseconds / 1000) +
                     " 秒以内に答えがありません。" +
                     (state.fetched_at != 0 ? LocalTimeText(state.fetched_at) + " に取得した写しを使います"
                                            : std::string("まだ写しがありません"));
    reports.push_back(std::move(report));
  }
  return reports;
}

}  // namespace murva

namespace murva {
namespace {

// Keeps a fetcher for as long as the application runs: fetches that did not
// answer within the wait go on in the background and end with it.
class FetcherHolder final : public QObject {
 public:
  static constexpr const char* kName = "murva32-calendar-fetcher";
  explicit FetcherHolder(QObject* parent) : QObject(parent), fetcher(MakeNetworkCalendarFetcher()) {
    setObjectName(kName);
  }
  std::unique_ptr<CalendarFetcher> fetcher;
};

}  // namespace

void RefreshSubscriptionsBeforeBuild(const std::filesystem::path& program_folder) {
  QCoreApplication* application = QCoreApplication::instance();
  if (application == nullptr) return;
  const CalendarSettings settings = LoadCalendarSettings(program_folder / "MURVA32.INI");
  const bool subscribed =
      std::any_of(settings.sources.begin(), settings.sources.end(), [](const CalendarSource& source) {
        return source.on && source.Kind() == CalendarKind::kSubscription;
      });
  if (!subscribed) return;
  auto* holder = static_cast<FetcherHolder*>(
      application->findChild<QObject*>(FetcherHolder::kName, Qt::FindDirectChildrenOnly));
  if (holder == nullptr) holder = new FetcherHolder(application);
  for (const RefreshReport& report :
       RefreshAndWait(*holder->fetcher, CalendarCache::Default(), settings,
                      std::int64_t{settings.refresh_minutes} * 60, kNetworkWaitMilliseconds)) {
    if (!report.problem.empty()) std::cerr << "murva32: " << report.problem << '\n';
  }
}

}  // namespace murva
