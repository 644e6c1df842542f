// Fetching the subscribed calendars into the cache. A body is kept only when
// it reads as a calendar, so that an error page, a login page or a cut
// answer never replaces the last good copy; the state file records the
// validators for the next conditional request and the last error.
//
// Builds never wait for this: the control panel and the resident mode run
// it in the background, and an automatic run or the command line wait for
// it at most kNetworkWaitMilliseconds before they build with the copies
// there are.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/calendar_cache.h"
#include "platform/calendar_fetcher.h"
#include "settings/calendar_source.h"

namespace murva {

// The longest a build or the command line waits for the network.
inline constexpr int kNetworkWaitMilliseconds = 3000;

struct RefreshReport {
  std::string address;
  bool changed = false;  // a new copy was kept
  std::string problem;   // naming the source, masked; empty when it went well
};

// Seconds since 1970 now.
std::int64_t SecondsNow();

class CalendarRefresh {
 public:
  using Done = std::function<void(const std::vector<RefreshReport>&)>;

  CalendarRefresh(CalendarFetcher& fetcher, CalendarCache cache);
  ~CalendarRefresh();

  // Fetches the switched-on subscriptions whose copy is older than
  // min_age_seconds (0: all of them). done follows once every fetch has
  // answered (at once when there is nothing to fetch). A refresh started
  // while another runs is refused (false).
  bool Start(const CalendarSettings& settings, std::int64_t min_age_seconds, Done done);
  bool Busy() const { return pending_ > 0; }
  // The reports so far, and the sources still waited for.
  const std::vector<RefreshReport>& Reports() const { return reports_; }
  const std::vector<CalendarSource>& Unanswered() const { return unanswered_; }

 private:
  void Answered(const CalendarSource& source, const CalendarCacheState& before,
                const CalendarFetchResult& result);

  CalendarFetcher& fetcher_;
  CalendarCache cache_;
  int pending_ = 0;
  std::vector<RefreshReport> reports_;
  std::vector<CalendarSource> unanswered_;
  Done done_;
  std::shared_ptr<bool> alive_;
};

// A refresh that waits at most wait_milliseconds (a local event loop runs
// meanwhile); the reports of the fetches that answered in time, and for
// each one that did not, a report that the copy in the cache is used. Needs
// a Qt application object.
std::vector<RefreshReport> RefreshAndWait(CalendarFetcher& fetcher, const CalendarCache& cache,
                                          const CalendarSettings& settings,
                                          std::int64_t min_age_seconds, int wait_milliseconds);

// Before an automatic run builds: the subscriptions stored in the program
// folder's settings file whose copy is older than the refresh period are
// fetched, waiting at most kNetworkWaitMilliseconds; what went wrong goes to
// standard error. Does nothing without a Qt application object.
void RefreshSubscriptionsBeforeBuild(const std::filesystem::path& program_folder);

}  // namespace murva
