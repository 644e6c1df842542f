// The resident mode's scheduling, on a clock and time zone of the test's
// own: midnights across month and year ends and in zones with summer time,
// clock and zone changes, wakes, a busy control panel and failed runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "app/watch_loop.h"

namespace murva {
namespace {

using namespace std::chrono;

// Seconds since the epoch of a local wall time at a UTC offset (hours).
std::int64_t At(int y, int m, int d, int hour, int minute, double offset_hours) {
  const sys_days day = year_month_day{year{y}, month{static_cast<unsigned>(m)},
                                      std::chrono::day{static_cast<unsigned>(d)}};
  return day.time_since_epoch().count() * 86400LL + hour * 3600 + minute * 60 -
         static_cast<std::int64_t>(offset_hours * 3600);
}

// A clock whose zone changes its UTC offset at given instants.
class ZoneClock final : public WatchClock {
 public:
  explicit ZoneClock(double offset_hours) { offsets_.push_back({INT64_MIN, offset_hours}); }
  void ChangeOffsetAt(std::int64_t instant, double offset_hours) {
    offsets_.push_back({instant, offset_hours});
  }
  std::int64_t Now() const override { return now; }
  LocalDay DayAt(std::int64_t instant) const override {
    double offset = 0;
    for (const auto& [from, hours] : offsets_) {
      if (instant >= from) offset = hours;
    }
    const auto local = sys_seconds{seconds{instant + static_cast<std::int64_t>(offset * 3600)}};
    const year_month_day date{floor<days>(local)};
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
  }

  std::int64_t now = 0;

 private:
  std::vector<std::pair<std::int64_t, double>> offsets_;
};

TEST(WatchClock, TheNextDayStartsAtLocalMidnightOrWhereTheZoneSkipsIt) {
  struct Case {
    const char* what;
    double offset;                     // before the change
    std::int64_t change;               // 0: none
    double offset_after;
    std::int64_t now;
    std::int64_t expected;
  };
  const Case cases[] = {
      {"month end", 9, 0, 9, At(2026, 4, 30, 15, 0, 9), At(2026, 5, 1, 0, 0, 9)},
      {"year end, a second before", 9, 0, 9, At(2026, 12, 31, 23, 59, 9) + 59,
       At(2027, 1, 1, 0, 0, 9)},
      {"leap day", 0, 0, 0, At(2028, 2, 28, 0, 0, 0), At(2028, 2, 29, 0, 0, 0)},
      {"exactly at midnight: the next one", 9, 0, 9, At(2026, 5, 1, 0, 0, 9),
       At(2026, 5, 2, 0, 0, 9)},
      // Clocks go forward at 02:00: a day of 23 hours, midnight as usual.
      {"summer time at 02:00", 1, At(2026, 3, 29, 2, 0, 1), 2, At(2026, 3, 29, 1, 0, 1),
       At(2026, 3, 30, 0, 0, 2)},
      // Clocks go forward at midnight: the day begins at 01:00.
      {"summer time at midnight", -4, At(2026, 9, 6, 0, 0, -4), -3, At(2026, 9, 5, 20, 0, -4),
       At(2026, 9, 6, 0, 0, -4)},
      // Clocks go back across midnight (00:30 -> 23:30): the date repeats
      // for half an hour; the next day is the one after the repeated one.
      {"winter time across midnight", -2, At(2026, 10, 25, 0, 30, -2), -3,
       At(2026, 10, 25, 0, 10, -2), At(2026, 10, 26, 0, 0, -3)},
      // A zone that skips a whole day (as Samoa skipped 30 December 2011).
      {"a skipped day", -10, At(2011, 12, 30, 0, 0, -10), 14, At(2011, 12, 29, 12, 0, -10),
       At(2011, 12, 30, 0, 0, -10)},
  };
  for (const Case& c : cases) {
    ZoneClock clock(c.offset);
    if (c.change != 0) clock.ChangeOffsetAt(c.change, c.offset_after);
    EXPECT_EQ(NextDayStart(clock, c.now), c.expected) << c.what;
  }
}

// The C library's zones: summer time in Berlin, a day that begins at 01:00
// in Santiago de Chile, none in Tokyo.
TEST(WatchClock, TheMachinesZoneRulesGiveTheSameMidnights) {
  const char* saved = std::getenv("TZ");
  const std::string saved_zone = saved ? saved : "";
  struct Case {
    const char* zone;
    std::int64_t now;
    std::int64_t expected;
  };
  const Case cases[] = {
      {"Europe/Berlin", At(2026, 3, 29, 1, 30, 1), At(2026, 3, 30, 0, 0, 2)},
      {"Europe/Berlin", At(2026, 10, 25, 12, 0, 1), At(2026, 10, 26, 0, 0, 1)},
      {"America/Santiago", At(2026, 9, 5, 22, 0, -4), At(2026, 9, 6, 0, 0, -4)},
      {"Asia/Tokyo", At(2026, 12, 31, 23, 0, 9), At(2027, 1, 1, 0, 0, 9)},
  };
  SystemWatchClock clock;
  for (const Case& c : cases) {
    setenv("TZ", c.zone, 1);
    tzset();
    EXPECT_EQ(NextDayStart(clock, c.now), c.expected) << c.zone;
  }
  setenv("TZ", "America/Santiago", 1);
  tzset();
  // 2026-09-06 begins at 01:00 there.
  EXPECT_EQ(clock.DayAt(At(2026, 9, 6, 0, 0, -4)), (LocalDay{2026, 9, 6}));
  EXPECT_EQ(clock.DayAt(At(2026, 9, 6, 0, 0, -4) - 1), (LocalDay{2026, 9, 5}));
  if (saved) {
    setenv("TZ", saved_zone.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

TEST(WatchClock, DayTextsReadAndWrite) {
  EXPECT_EQ(DayText({2026, 5, 3}), "2026/05/03");
  EXPECT_EQ(ParseDayText("2026/05/03"), (LocalDay{2026, 5, 3}));
  for (const char* wrong : {"", "2026/5/3", "2026-05-03", "2026/13/01", "2026/05/3x", "abcd/ef/gh"}) {
    EXPECT_EQ(ParseDayText(wrong), std::nullopt) << wrong;
  }
}

class FakeWatchHost final : public WatchHost {
 public:
  explicit FakeWatchHost(const WatchClock& clock) : clock_(clock) {}

  WatchRecord ReadRecord() override { return record; }
  bool InstanceBusy() override { return busy; }
  bool StartAutomaticRun(bool rebuild) override {
    if (start_fails) return false;
    runs.push_back(clock_.DayAt(clock_.Now()));
    rebuilds.push_back(rebuild);
    return true;
  }
  void PutBackWallpaper() override { ++put_backs; }
  void ArmAlarm(std::int64_t instant) override { alarms.push_back(instant); }
  void Log(const std::string& line) override { log.push_back(line); }

  WatchRecord record;
  bool busy = false;
  bool start_fails = false;
  std::vector<LocalDay> runs;
  std::vector<bool> rebuilds;  // per run: asked to build though built
  int put_backs = 0;
  std::vector<std::int64_t> alarms;
  std::vector<std::string> log;

 private:
  const WatchClock& clock_;
};

// A loop on a zone clock with a recording host, and the steps of the tests.
struct Rig {
  explicit Rig(double offset_hours = 9) : clock(offset_hours) {}

  void Event(WatchCause cause) { loop.Handle(cause); }
  void Event(std::int64_t at, WatchCause cause) {
    clock.now = at;
    loop.Handle(cause);
  }
  // The run started last ends; a finished run records its day as the
  // automatic run does.
  void Finish(RunOutcome outcome = RunOutcome::kDone) {
    ASSERT_TRUE(loop.RunInProgress());
    if (outcome == RunOutcome::kDone) host.record.make_day = DayText(host.runs.back());
    loop.RunEnded(outcome);
  }
  void Start(std::int64_t at) {
    Event(at, WatchCause::kStart);
    Finish();
  }
  // The clock reaches the armed alarm, which fires.
  void FireAlarm() {
    ASSERT_TRUE(loop.Alarm().has_value());
    Event(*loop.Alarm(), WatchCause::kMidnight);
  }
  // Periodic checks every five minutes up to an instant.
  void PeriodicUntil(std::int64_t until) {
    while (clock.now + 300 < until) Event(clock.now + 300, WatchCause::kPeriodic);
  }
  std::size_t Runs() const { return host.runs.size(); }
  LocalDay LastRun() const { return host.runs.back(); }

  ZoneClock clock;
  FakeWatchHost host{clock};
  WatchLoop loop{clock, host};
};

TEST(WatchLoop, BuildsAtEveryMidnightAcrossMonthAndYearEndsAndCatchesAMissedOne) {
  Rig rig;
  rig.Start(At(2026, 12, 30, 10, 0, 9));
  ASSERT_EQ(rig.host.alarms, (std::vector<std::int64_t>{At(2026, 12, 31, 0, 0, 9)}));
  rig.PeriodicUntil(*rig.loop.Alarm());  // nothing to do during the day
  for (int night = 0; night < 3; ++night) {
    rig.FireAlarm();
    rig.Finish();
  }
  EXPECT_EQ(rig.host.runs, (std::vector<LocalDay>{{2026, 12, 30}, {2026, 12, 31}, {2027, 1, 1}, {2027, 1, 2}}));
  EXPECT_EQ(rig.host.alarms.back(), At(2027, 1, 3, 0, 0, 9));
  // Neither alarm nor wake told of the next days (no logind, a lost alarm):
  // the periodic check does.
  rig.Event(At(2027, 1, 5, 7, 0, 9), WatchCause::kPeriodic);
  EXPECT_EQ(rig.LastRun(), (LocalDay{2027, 1, 5}));
  EXPECT_EQ(rig.host.put_backs, 0);
}

TEST(WatchLoop, AWakeBuildsOnceForANewDayAndOnTheSameDayOnlyPutsTheWallpaperBack) {
  Rig rig;
  // Already built today: the start still makes the automatic run, which
  // skips and puts the wallpaper back itself, as at every log-on.
  rig.host.record.make_day = "2026/05/03";
  rig.Start(At(2026, 5, 3, 8, 0, 9));
  EXPECT_EQ(rig.Runs(), 1u);
  rig.Event(At(2026, 5, 3, 19, 0, 9), WatchCause::kWake);
  EXPECT_EQ(rig.Runs(), 1u);
  EXPECT_EQ(rig.host.put_backs, 1);
  EXPECT_EQ(rig.host.log.back(), "woke up; the wallpaper of 2026/05/03 is current");
  // Suspended that evening; three days later the late alarm, the clock
  // change of the resume and the wake arrive together: one run.
  rig.Event(At(2026, 5, 6, 9, 0, 9), WatchCause::kMidnight);
  rig.Event(WatchCause::kClockSet);
  rig.Event(WatchCause::kWake);
  EXPECT_EQ(rig.Runs(), 2u);
  EXPECT_EQ(rig.LastRun(), (LocalDay{2026, 5, 6}));
  rig.Finish();
  EXPECT_EQ(rig.Runs(), 2u);  // the wake waited for the run and found the day built
  EXPECT_EQ(rig.host.put_backs, 2);
  EXPECT_EQ(rig.loop.Alarm(), At(2026, 5, 7, 0, 0, 9));
}

TEST(WatchLoop, ClockAndZoneChangesBuildWhenTheDateChangesAndMoveMidnight) {
  Rig rig;
  rig.Start(At(2026, 5, 4, 8, 0, 9));  // 2026-05-03 23:00 UTC
  // The clock set within the day: nothing to build, the alarm armed again.
  rig.Event(At(2026, 5, 4, 6, 0, 9), WatchCause::kClockSet);
  EXPECT_EQ(rig.Runs(), 1u);
  EXPECT_EQ(rig.host.alarms.back(), At(2026, 5, 5, 0, 0, 9));
  // Set back a day.
  rig.Event(At(2026, 5, 3, 22, 0, 9), WatchCause::kClockSet);
  EXPECT_EQ(rig.LastRun(), (LocalDay{2026, 5, 3}));
  rig.Finish();
  EXPECT_EQ(rig.loop.Alarm(), At(2026, 5, 4, 0, 0, 9));
  // To UTC-7, where it is the afternoon of the 3rd: nothing to build.
  rig.clock.ChangeOffsetAt(rig.clock.now + 60, -7);
  rig.Event(rig.clock.now + 60, WatchCause::kTimeZone);
  EXPECT_EQ(rig.Runs(), 2u);
  EXPECT_EQ(rig.loop.Alarm(), At(2026, 5, 4, 0, 0, -7));
  // Back to UTC+9 after midnight there: the 4th again.
  rig.clock.ChangeOffsetAt(At(2026, 5, 4, 9, 0, 9), 9);
  rig.Event(At(2026, 5, 4, 9, 0, 9), WatchCause::kTimeZone);
  EXPECT_EQ(rig.LastRun(), (LocalDay{2026, 5, 4}));
  rig.Finish();
  EXPECT_EQ(rig.loop.Alarm(), At(2026, 5, 5, 0, 0, 9));
}

TEST(WatchLoop, InAZoneThatRepeatsAnHourAcrossMidnightYesterdayIsNotBuiltAgain) {
  Rig rig(-2);
  rig.clock.ChangeOffsetAt(At(2026, 10, 25, 0, 30, -2), -3);
  rig.Start(At(2026, 10, 24, 10, 0, -2));
  rig.FireAlarm();
  rig.Finish();
  // 00:30 becomes 23:30 of the 24th; the checks of that hour build nothing.
  for (int minutes = 35; minutes < 95; minutes += 5) {
    rig.Event(At(2026, 10, 25, 0, 0, -2) + minutes * 60, WatchCause::kPeriodic);
  }
  EXPECT_EQ(rig.host.runs, (std::vector<LocalDay>{{2026, 10, 24}, {2026, 10, 25}}));
  EXPECT_EQ(rig.loop.Alarm(), At(2026, 10, 26, 0, 0, -3));
}

TEST(WatchLoop, AlwaysBuildAndRandomModeBuildAtEveryWakeButNotAtAClockChange) {
  for (const bool random : {false, true}) {
    Rig rig;
    rig.host.record = {"", !random, random};
    rig.Start(At(2026, 5, 3, 8, 0, 9));
    rig.Event(At(2026, 5, 3, 9, 0, 9), WatchCause::kClockSet);
    rig.Event(WatchCause::kTimeZone);
    rig.Event(WatchCause::kPeriodic);
    EXPECT_EQ(rig.Runs(), 1u);
    rig.Event(WatchCause::kWake);
    EXPECT_EQ(rig.Runs(), 2u) << random;
    EXPECT_EQ(rig.host.put_backs, 0);
  }
}

// "Build now" (SIGUSR1): a run that builds though the day's wallpaper is
// built; asked for during a run, it follows that run; asked for while the
// control panel is open, it follows when the panel closes.
TEST(WatchLoop, ABuildAskedForIsMadeThoughTheDayIsBuiltAfterARunOrThePanel) {
  Rig rig;
  rig.Start(At(2026, 5, 3, 8, 0, 9));
  rig.Event(WatchCause::kRequested);
  EXPECT_EQ(rig.host.rebuilds, (std::vector<bool>{false, true}));
  rig.Event(WatchCause::kPeriodic);
  rig.Event(WatchCause::kRequested);  // during the run
  EXPECT_EQ(rig.Runs(), 2u);
  rig.Finish();
  EXPECT_EQ(rig.host.rebuilds, (std::vector<bool>{false, true, true}));
  rig.Finish();
  rig.host.busy = true;
  rig.Event(WatchCause::kRequested);
  EXPECT_EQ(rig.Runs(), 3u);
  rig.host.busy = false;
  rig.Event(WatchCause::kInstanceFreed);
  EXPECT_EQ(rig.host.rebuilds, (std::vector<bool>{false, true, true, true}));
  EXPECT_TRUE(std::find(rig.host.log.begin(), rig.host.log.end(),
                        "automatic run for 2026/05/03 (asked for)") != rig.host.log.end());
}

// A monitor plugged in or set to another mode needs its picture now, also
// on a day whose wallpaper is built.
TEST(WatchLoop, AChangeOfMonitorsBuildsAnewOnTheSameDay) {
  Rig rig;
  rig.Start(At(2026, 5, 3, 8, 0, 9));
  rig.Event(WatchCause::kMonitors);
  EXPECT_EQ(rig.host.rebuilds, (std::vector<bool>{false, true}));
  EXPECT_TRUE(std::find(rig.host.log.begin(), rig.host.log.end(),
                        "automatic run for 2026/05/03 (monitors changed)") != rig.host.log.end());
}

TEST(WatchLoop, ARunDueWhileTheControlPanelIsOpenIsMadeWhenItCloses) {
  Rig rig;
  rig.Start(At(2026, 5, 3, 8, 0, 9));
  rig.host.busy = true;
  rig.FireAlarm();
  rig.PeriodicUntil(rig.clock.now + 3600);  // still open: waiting
  EXPECT_EQ(rig.Runs(), 1u);
  rig.host.busy = false;
  rig.Event(WatchCause::kInstanceFreed);
  EXPECT_EQ(rig.LastRun(), (LocalDay{2026, 5, 4}));
  rig.Finish();
  rig.Event(WatchCause::kInstanceFreed);  // a lock file closed: no news
  EXPECT_EQ(rig.Runs(), 2u);

  // Started between the check and the run, the panel refuses the run; the
  // refused run's own close of the lock file is no reason to try again.
  rig.FireAlarm();
  rig.Event(WatchCause::kInstanceFreed);
  rig.Finish(RunOutcome::kBusy);
  EXPECT_FALSE(rig.loop.RunInProgress());
  rig.Event(WatchCause::kInstanceFreed);  // the panel closes
  EXPECT_EQ(rig.Runs(), 4u);
  // Refused again and again: after the third refusal a closed lock file no
  // longer starts a run at once; the periodic check still does.
  rig.Finish(RunOutcome::kBusy);
  rig.Event(WatchCause::kInstanceFreed);
  rig.Finish(RunOutcome::kBusy);
  rig.Event(WatchCause::kInstanceFreed);
  EXPECT_FALSE(rig.loop.RunInProgress());
  rig.Event(rig.clock.now + 300, WatchCause::kPeriodic);
  EXPECT_EQ(rig.Runs(), 6u);
  EXPECT_EQ(rig.LastRun(), (LocalDay{2026, 5, 5}));
}

TEST(WatchLoop, AFailedRunIsNotRepeatedEveryFewMinutesAndTheNextDayStillBuilds) {
  Rig rig;
  rig.Event(At(2026, 5, 3, 8, 0, 9), WatchCause::kStart);
  rig.Finish(RunOutcome::kFailed);  // CalMakeDay stays unwritten
  rig.PeriodicUntil(At(2026, 5, 3, 23, 0, 9));
  rig.Event(WatchCause::kInstanceFreed);
  EXPECT_EQ(rig.Runs(), 1u);
  rig.Event(WatchCause::kWake);  // a wake tries again: the picture may be back
  EXPECT_EQ(rig.Runs(), 2u);
  rig.Finish(RunOutcome::kFailed);
  rig.FireAlarm();
  EXPECT_EQ(rig.LastRun(), (LocalDay{2026, 5, 4}));
  rig.Finish();
  // A run that cannot even be started is not retried in a loop either.
  rig.host.start_fails = true;
  rig.FireAlarm();
  rig.PeriodicUntil(rig.clock.now + 3600);
  EXPECT_EQ(rig.Runs(), 3u);
  EXPECT_FALSE(rig.loop.RunInProgress());
}

TEST(WatchLoop, AnAlarmBeforeItsTimeNeverSpins) {
  Rig rig;
  rig.Start(At(2026, 5, 3, 8, 0, 9));
  const std::size_t armed = rig.host.alarms.size();
  // Fired while this loop's clock still reads the old day: armed once more,
  // then left to the periodic check.
  rig.Event(WatchCause::kMidnight);
  EXPECT_EQ(rig.host.alarms.size(), armed + 1);
  rig.Event(WatchCause::kMidnight);
  EXPECT_EQ(rig.host.alarms.size(), armed + 1);
  EXPECT_FALSE(rig.loop.Alarm().has_value());
  EXPECT_EQ(rig.Runs(), 1u);
  rig.Event(rig.clock.now + 300, WatchCause::kPeriodic);
  EXPECT_EQ(rig.loop.Alarm(), At(2026, 5, 4, 0, 0, 9));
  rig.FireAlarm();
  EXPECT_EQ(rig.LastRun(), (LocalDay{2026, 5, 4}));
}

}  // namespace
}  // namespace murva
