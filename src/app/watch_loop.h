// The resident mode's scheduling: after the automatic run at start, another
// automatic run at every local midnight, after a wake from suspend, when the
// wall clock is set, when the time zone changes, and when a periodic check
// finds that the day has moved on past the day of the last build.
//
// The loop decides only; its host starts the runs (ordinary automatic runs),
// arms the real-time alarm and reads the settings. Events come in through
// Handle in any order and at any time: those that arrive while a run is in
// progress are kept and looked at once when it has ended, so a wake that
// also sets the clock and fires a late midnight alarm makes one run.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/watch_clock.h"

namespace murva {

// Why the loop looks at the day. Stronger causes come first: two causes
// that wait together are looked at as the stronger one.
enum class WatchCause {
  kRequested,      // asked for (SIGUSR1): builds even when the day's is built
  kMonitors,       // a monitor came, went or changed its mode or scale: builds anew
  kStart,          // the resident process has started (the log-on run)
  kWake,           // the machine woke from suspend or hibernation
  kClockSet,       // the wall clock was set or jumped
  kTimeZone,       // the time zone changed
  kMidnight,       // the alarm at the start of the next local day
  kPeriodic,       // the fallback check every few minutes
  kInstanceFreed,  // the program's single-instance lock may have been released
  kCalendars,      // the calendar sources' events of the shown days changed
};

const char* CauseName(WatchCause cause);

enum class RunOutcome {
  kDone,    // the run ended normally (it built, or skipped as the rules say)
  kBusy,    // another instance held the single-instance lock; nothing was done
  kFailed,  // the run reported an error or ended abnormally
};

// What the settings say now (the set in use).
struct WatchRecord {
  std::string make_day;       // CalMakeDay, the day of the last automatic build
  bool always_build = false;  // CalenAlWay, "常時作成モード"
  bool random_mode = false;   // CalWallUse is RANDOM: a new page at every start
};

class WatchHost {
 public:
  virtual ~WatchHost() = default;
  // The settings file as it is now.
  virtual WatchRecord ReadRecord() = 0;
  // Whether another instance (the control panel, an automatic run) runs now.
  virtual bool InstanceBusy() = 0;
  // Starts an ordinary automatic run; RunEnded follows. With rebuild, the
  // run builds even when the day's wallpaper is built already. False when
  // it could not be started (the host has reported why).
  virtual bool StartAutomaticRun(bool rebuild) = 0;
  // Puts the last wallpaper back on a desktop that forgets it.
  virtual void PutBackWallpaper() = 0;
  // The real-time alarm at an absolute instant (seconds since the epoch); it
  // replaces the one armed before. The host reports its firing as
  // kMidnight, and its cancellation by a clock change as kClockSet.
  virtual void ArmAlarm(std::int64_t instant) = 0;
  // One line for the log (standard error).
  virtual void Log(const std::string& line) = 0;
};

class WatchLoop {
 public:
  WatchLoop(const WatchClock& clock, WatchHost& host);

  void Handle(WatchCause cause);
  void RunEnded(RunOutcome outcome);

  bool RunInProgress() const { return run_.has_value(); }
  std::optional<std::int64_t> Alarm() const { return alarm_; }

 private:
  struct Run {
    WatchCause cause;
    LocalDay day;
  };

  // False for an alarm that fired before its time by this loop's clock.
  bool TakeAlarm(std::int64_t now);
  void KeepAlarm(std::int64_t now);
  void Check(WatchCause cause);
  bool Due(WatchCause cause, const WatchRecord& record, const LocalDay& today) const;

  const WatchClock& clock_;
  WatchHost& host_;
  std::optional<std::int64_t> alarm_;     // the instant the alarm is armed for
  int early_alarms_ = 0;                  // consecutive alarms before their time
  std::optional<Run> run_;                // the run in progress
  std::optional<WatchCause> pending_;     // arrived while a run was in progress
  std::optional<WatchCause> waiting_;     // due, but another instance runs
  int refusals_ = 0;                      // consecutive runs refused as busy
  std::optional<LocalDay> attempted_;     // the day of the last run that ended
};

}  // namespace murva
