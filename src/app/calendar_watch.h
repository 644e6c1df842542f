// The resident mode's care for the subscribed calendars: it fetches them
// at once and then every refresh period (IcsRefresh, 30 minutes unless set
// otherwise), and asks for a new wallpaper when the events of the shown
// window have changed. The day moving on is no such change: midnight has a
// run of its own.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/calendar_refresh.h"
#include "platform/calendar_fetcher.h"

namespace murva {

class CalendarWatch final : public QObject {
 public:
  // rebuild is called when a new wallpaper is due; by then the record of
  // the day's build is cleared, so the automatic run builds again.
  CalendarWatch(std::filesystem::path program_folder, std::function<void()> rebuild,
                std::unique_ptr<CalendarFetcher> fetcher = MakeNetworkCalendarFetcher());
  ~CalendarWatch() override;

  void Start();
  // One round now: fetch, compare, maybe rebuild.
  void Refresh();

  // What the shown window's events come to: the day and a digest of the
  // lines and days (for the comparison; public for tests).
  std::string Fingerprint() const;

 private:
  void Compare();

  std::filesystem::path program_folder_;
  std::function<void()> rebuild_;
  std::unique_ptr<CalendarFetcher> fetcher_;
  std::unique_ptr<CalendarRefresh> refresh_;
  QTimer timer_;
  std::optional<std::string> last_;
};

}  // namespace murva
