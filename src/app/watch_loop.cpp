#include "app/watch_loop.h"

namespace murva {
namespace {

// After this many runs in a row refused as busy, a released lock is no
// longer a reason to try at once; the periodic check still tries.
constexpr int kRefusalsBeforeWaiting = 3;

WatchCause Stronger(std::optional<WatchCause> held, WatchCause cause) {
  return held && *held < cause ? *held : cause;
}

}  // namespace

const char* CauseName(WatchCause cause) {
  switch (cause) {
    case WatchCause::kRequested: return "asked for";
    case WatchCause::kMonitors: return "monitors changed";
    case WatchCause::kStart: return "start";
    case WatchCause::kWake: return "wake from suspend";
    case WatchCause::kClockSet: return "clock set";
    case WatchCause::kTimeZone: return "time zone changed";
    case WatchCause::kMidnight: return "midnight";
    case WatchCause::kPeriodic: return "periodic check";
    case WatchCause::kInstanceFreed: return "control panel closed";
    case WatchCause::kCalendars: return "calendars changed";
  }
  return "";
}

WatchLoop::WatchLoop(const WatchClock& clock, WatchHost& host) : clock_(clock), host_(host) {}

bool WatchLoop::TakeAlarm(std::int64_t now) {
  if (alarm_ && now < *alarm_) {
    // The kernel's clock and ours disagree for a moment (or for good, under
    // a faked clock). Once it is armed again; after that the periodic check
    // arms it, so that a disagreement never spins.
    if (++early_alarms_ == 1) {
      host_.ArmAlarm(*alarm_);
    } else {
      alarm_.reset();
    }
    return false;
  }
  early_alarms_ = 0;
  alarm_.reset();
  return true;
}

void WatchLoop::KeepAlarm(std::int64_t now) {
  const std::int64_t next = NextDayStart(clock_, now);
  if (alarm_ && *alarm_ == next) return;
  alarm_ = next;
  host_.ArmAlarm(next);
}

void WatchLoop::Handle(WatchCause cause) {
  const std::int64_t now = clock_.Now();
  if (cause == WatchCause::kMidnight && !TakeAlarm(now)) return;
  // A clock change cancels the alarm; a zone change moves midnight.
  if (cause == WatchCause::kClockSet) alarm_.reset();
  if (cause != WatchCause::kInstanceFreed) KeepAlarm(now);

  if (cause == WatchCause::kInstanceFreed && !run_ &&
      (!waiting_ || refusals_ >= kRefusalsBeforeWaiting)) {
    return;  // nothing waits for the lock
  }
  if (run_) {
    pending_ = Stronger(pending_, cause);
    return;
  }
  if (waiting_) {
    cause = Stronger(waiting_, cause);
    waiting_.reset();
  }
  Check(cause);
}

bool WatchLoop::Due(WatchCause cause, const WatchRecord& record, const LocalDay& today) const {
  const bool differs = record.make_day != DayText(today);
  // The day moved on past the last build. A zone that turns its clocks back
  // across midnight shows yesterday's date for an hour: that is no reason
  // to build yesterday's wallpaper again.
  const std::optional<LocalDay> made = ParseDayText(record.make_day);
  const bool moved_on = !made || today > *made;
  switch (cause) {
    case WatchCause::kRequested:
    case WatchCause::kMonitors:
      return true;
    case WatchCause::kStart:
      return true;  // the ordinary automatic run decides skip or build itself
    case WatchCause::kWake:
      return differs || record.always_build || record.random_mode;
    case WatchCause::kClockSet:
    case WatchCause::kTimeZone:
    case WatchCause::kCalendars:
      return differs;
    case WatchCause::kMidnight:
      return moved_on;
    case WatchCause::kPeriodic:
    case WatchCause::kInstanceFreed:
      // A run that failed today is not repeated every few minutes.
      return moved_on && attempted_ != today;
  }
  return false;
}

void WatchLoop::Check(WatchCause cause) {
  const LocalDay today = clock_.DayAt(clock_.Now());
  const WatchRecord record = host_.ReadRecord();
  if (!Due(cause, record, today)) {
    if (cause == WatchCause::kWake) {
      host_.Log("woke up; the wallpaper of " + DayText(today) + " is current");
      host_.PutBackWallpaper();
    }
    return;
  }
  if (host_.InstanceBusy()) {
    waiting_ = cause;
    host_.Log("another MURVA32 is running; the automatic run for " + DayText(today) +
              " waits until it ends");
    return;
  }
  host_.Log("automatic run for " + DayText(today) + " (" + CauseName(cause) + ")");
  // Asked for, or the monitors changed: the pictures are made anew even
  // when the day's wallpaper was built.
  const bool rebuild = cause == WatchCause::kRequested || cause == WatchCause::kMonitors;
  if (!host_.StartAutomaticRun(rebuild)) {
    attempted_ = today;
    return;
  }
  run_ = Run{cause, today};
}

void WatchLoop::RunEnded(RunOutcome outcome) {
  if (!run_) return;
  const Run run = *run_;
  run_.reset();
  switch (outcome) {
    case RunOutcome::kBusy:
      ++refusals_;
      waiting_ = Stronger(waiting_, run.cause);
      // The refused run's own release of the lock file is no news.
      if (pending_ == WatchCause::kInstanceFreed) pending_.reset();
      host_.Log("another MURVA32 is running; the automatic run for " + DayText(run.day) +
                " waits until it ends");
      break;
    case RunOutcome::kDone:
      refusals_ = 0;
      attempted_ = run.day;
      host_.Log("the automatic run for " + DayText(run.day) + " has ended");
      break;
    case RunOutcome::kFailed:
      refusals_ = 0;
      attempted_ = run.day;
      host_.Log("the automatic run for " + DayText(run.day) +
                " failed; the next one follows at the next change of day, wake or clock change");
      break;
  }
  if (pending_) {
    const WatchCause cause = *pending_;
    pending_.reset();
    Handle(cause);
  }
}

}  // namespace murva
