// The resident mode's scheduling, on a clock and time zone of the test's
// own: midnights across month and year ends and in zones with summer time,
// clock and zone changes, wakes, a busy control panel and failed runs.
#include <gtest/gtest.h>

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
  bool StartAutomaticRun() override {
    if (start_fails) return false;
    runs.push_back(clock_.DayAt(clock_.Now()));
    return true;
  }
  void PutBackWallpaper() override { ++put_backs; }
  void ArmAlarm(std::int64_t instant) override { alarms.push_back(instant); }
  void Log(const std::string& line) override { log.push_back(line); }

  WatchRecord record;
  bool busy = false;
  bool start_fails = false;
  std::vector<LocalDay> runs;
  int put_backs = 0;
  std::vector<std::int64_t> alarms;
  std::vector<std::string> log;

 private:
  const WatchClock& clock_;
};

class WatchLoopTest : public ::testing::Test {
 protected:
  // The run started last ends; a finished run records its day as the
  // automatic run does.
  void Finish(RunOutcome outcome = RunOutcome::kDone) {
    ASSERT_TRUE(loop_.RunInProgress());
    if (outcome == RunOutcome::kDone) host_.record.make_day = DayText(host_.runs.back());
    loop_.RunEnded(outcome);
  }
  void StartAndFinish() {
    loop_.Handle(WatchCause::kStart);
    Finish();
  }
  // The clock reaches the armed alarm, which fires.
  void FireAlarm() {
    ASSERT_TRUE(loop_.Alarm().has_value());
    clock_.now = *loop_.Alarm();
    loop_.Handle(WatchCause::kMidnight);
  }
  // Periodic checks every five minutes up to an instant.
  void PeriodicUntil(std::int64_t until) {
    while (clock_.now + 300 < until) {
      clock_.now += 300;
      loop_.Handle(WatchCause::kPeriodic);
    }
  }
  std::vector<LocalDay> Days(std::initializer_list<LocalDay> days) { return days; }

  ZoneClock clock_{9};
  FakeWatchHost host_{clock_};
  WatchLoop loop_{clock_, host_};
};

TEST_F(WatchLoopTest, BuildsAtEveryMidnightAcrossMonthAndYearEnds) {
  clock_.now = At(2026, 12, 30, 10, 0, 9);
  StartAndFinish();
  ASSERT_EQ(host_.alarms, (std::vector<std::int64_t>{At(2026, 12, 31, 0, 0, 9)}));
  // The periodic checks of the day find nothing to do.
  PeriodicUntil(*loop_.Alarm());
  EXPECT_EQ(host_.runs.size(), 1u);
  FireAlarm();
  Finish();
  FireAlarm();
  Finish();
  FireAlarm();
  Finish();
  EXPECT_EQ(host_.runs, Days({{2026, 12, 30}, {2026, 12, 31}, {2027, 1, 1}, {2027, 1, 2}}));
  EXPECT_EQ(host_.alarms.back(), At(2027, 1, 3, 0, 0, 9));
  EXPECT_EQ(host_.put_backs, 0);
}

TEST_F(WatchLoopTest, TheStartAlwaysMakesTheAutomaticRun) {
  // Already built today: the automatic run itself skips and puts the
  // wallpaper back, as at every log-on.
  clock_.now = At(2026, 5, 3, 8, 0, 9);
  host_.record.make_day = "2026/05/03";
  loop_.Handle(WatchCause::kStart);
  EXPECT_EQ(host_.runs, Days({{2026, 5, 3}}));
}

TEST_F(WatchLoopTest, AWakeOnTheSameDayBuildsNothingButPutsTheWallpaperBack) {
  clock_.now = At(2026, 5, 3, 8, 0, 9);
  StartAndFinish();
  clock_.now = At(2026, 5, 3, 19, 0, 9);
  loop_.Handle(WatchCause::kWake);
  EXPECT_EQ(host_.runs.size(), 1u);
  EXPECT_EQ(host_.put_backs, 1);
  EXPECT_EQ(host_.log.back(), "woke up; the wallpaper of 2026/05/03 is current");
}

TEST_F(WatchLoopTest, AWakeAfterThreeDaysBuildsOnceForTheNewDay) {
  clock_.now = At(2026, 5, 3, 8, 0, 9);
  StartAndFinish();
  // Suspended that evening; three days later the late alarm, the clock
  // change of the resume and the wake arrive together.
  clock_.now = At(2026, 5, 6, 9, 0, 9);
  loop_.Handle(WatchCause::kMidnight);
  loop_.Handle(WatchCause::kClockSet);
  loop_.Handle(WatchCause::kWake);
  EXPECT_EQ(host_.runs, Days({{2026, 5, 3}, {2026, 5, 6}}));
  Finish();
  // The wake waited for the run and found the day built.
  EXPECT_EQ(host_.runs.size(), 2u);
  EXPECT_EQ(host_.put_backs, 1);
  EXPECT_EQ(loop_.Alarm(), At(2026, 5, 7, 0, 0, 9));
}

TEST_F(WatchLoopTest, AClockSetBackBuildsForTheEarlierDayAndMovesMidnight) {
  clock_.now = At(2026, 5, 4, 8, 0, 9);
  StartAndFinish();
  // Set within the day: nothing to build, the alarm is armed again.
  clock_.now = At(2026, 5, 4, 6, 0, 9);
  loop_.Handle(WatchCause::kClockSet);
  EXPECT_EQ(host_.runs.size(), 1u);
  EXPECT_EQ(host_.alarms.back(), At(2026, 5, 5, 0, 0, 9));
  // Set back a day.
  clock_.now = At(2026, 5, 3, 22, 0, 9);
  loop_.Handle(WatchCause::kClockSet);
  EXPECT_EQ(host_.runs, Days({{2026, 5, 4}, {2026, 5, 3}}));
  Finish();
  EXPECT_EQ(loop_.Alarm(), At(2026, 5, 4, 0, 0, 9));
  FireAlarm();
  EXPECT_EQ(host_.runs.back(), (LocalDay{2026, 5, 4}));
}

TEST_F(WatchLoopTest, ATimeZoneChangeBuildsWhenTheDateChangesAndMovesMidnight) {
  clock_.now = At(2026, 5, 4, 8, 0, 9);  // 2026-05-03 23:00 UTC
  StartAndFinish();
  // To UTC-7: it is 16:00 on the day before there.
  clock_.ChangeOffsetAt(clock_.now + 60, -7);
  clock_.now += 60;
  loop_.Handle(WatchCause::kTimeZone);
  EXPECT_EQ(host_.runs, Days({{2026, 5, 4}, {2026, 5, 3}}));
  Finish();
  EXPECT_EQ(loop_.Alarm(), At(2026, 5, 4, 0, 0, -7));
  // A change that keeps the date only moves the alarm.
  clock_.ChangeOffsetAt(clock_.now + 60, -5);
  clock_.now += 60;
  loop_.Handle(WatchCause::kTimeZone);
  EXPECT_EQ(host_.runs.size(), 2u);
  EXPECT_EQ(loop_.Alarm(), At(2026, 5, 4, 0, 0, -5));
}

TEST_F(WatchLoopTest, InAZoneThatRepeatsAnHourAcrossMidnightYesterdayIsNotBuiltAgain) {
  ZoneClock clock(-2);
  clock.ChangeOffsetAt(At(2026, 10, 25, 0, 30, -2), -3);
  FakeWatchHost host(clock);
  WatchLoop loop(clock, host);
  clock.now = At(2026, 10, 24, 10, 0, -2);
  loop.Handle(WatchCause::kStart);
  host.record.make_day = "2026/10/24";
  loop.RunEnded(RunOutcome::kDone);
  clock.now = *loop.Alarm();
  loop.Handle(WatchCause::kMidnight);
  host.record.make_day = "2026/10/25";
  loop.RunEnded(RunOutcome::kDone);
  // 00:30 becomes 23:30 of the 24th; the checks of that half hour build nothing.
  for (int minutes = 35; minutes < 95; minutes += 5) {
    clock.now = At(2026, 10, 25, 0, 0, -2) + minutes * 60;
    loop.Handle(WatchCause::kPeriodic);
  }
  EXPECT_EQ(host.runs, Days({{2026, 10, 24}, {2026, 10, 25}}));
  EXPECT_EQ(loop.Alarm(), At(2026, 10, 26, 0, 0, -3));
}

TEST_F(WatchLoopTest, AlwaysBuildAndRandomModeBuildAtEveryWakeButNotAtAClockChange) {
  for (const bool random : {false, true}) {
    ZoneClock clock(9);
    FakeWatchHost host(clock);
    WatchLoop loop(clock, host);
    host.record = {"", !random, random};
    clock.now = At(2026, 5, 3, 8, 0, 9);
    loop.Handle(WatchCause::kStart);
    host.record.make_day = "2026/05/03";
    loop.RunEnded(RunOutcome::kDone);
    clock.now += 3600;
    loop.Handle(WatchCause::kClockSet);
    loop.Handle(WatchCause::kTimeZone);
    loop.Handle(WatchCause::kPeriodic);
    EXPECT_EQ(host.runs.size(), 1u);
    loop.Handle(WatchCause::kWake);
    EXPECT_EQ(host.runs.size(), 2u) << random;
    EXPECT_EQ(host.put_backs, 0);
  }
}

TEST_F(WatchLoopTest, AControlPanelOpenAtMidnightDelaysTheRunUntilItCloses) {
  clock_.now = At(2026, 5, 3, 8, 0, 9);
  StartAndFinish();
  host_.busy = true;
  FireAlarm();
  EXPECT_EQ(host_.runs.size(), 1u);
  // Still open: the periodic checks keep waiting.
  PeriodicUntil(clock_.now + 3600);
  EXPECT_EQ(host_.runs.size(), 1u);
  host_.busy = false;
  loop_.Handle(WatchCause::kInstanceFreed);
  EXPECT_EQ(host_.runs, Days({{2026, 5, 3}, {2026, 5, 4}}));
  Finish();
  // The closing of the lock file is no reason for anything more.
  loop_.Handle(WatchCause::kInstanceFreed);
  EXPECT_EQ(host_.runs.size(), 2u);
}

TEST_F(WatchLoopTest, ARunRefusedAsBusyIsMadeWhenTheOtherInstanceEnds) {
  clock_.now = At(2026, 5, 3, 8, 0, 9);
  StartAndFinish();
  FireAlarm();
  // The control panel was started between the check and the run.
  loop_.Handle(WatchCause::kInstanceFreed);  // the refused run's own close
  Finish(RunOutcome::kBusy);
  EXPECT_EQ(host_.runs.size(), 2u);
  loop_.Handle(WatchCause::kInstanceFreed);
  EXPECT_EQ(host_.runs.size(), 3u);
  EXPECT_EQ(host_.runs.back(), (LocalDay{2026, 5, 4}));
  // Refused again and again: after the third refusal a released lock no
  // longer starts a run at once; the periodic check still does.
  Finish(RunOutcome::kBusy);
  loop_.Handle(WatchCause::kInstanceFreed);
  EXPECT_EQ(host_.runs.size(), 4u);
  Finish(RunOutcome::kBusy);
  loop_.Handle(WatchCause::kInstanceFreed);
  EXPECT_FALSE(loop_.RunInProgress());
  EXPECT_EQ(host_.runs.size(), 4u);
  clock_.now += 300;
  loop_.Handle(WatchCause::kPeriodic);
  EXPECT_EQ(host_.runs.size(), 5u);
}

TEST_F(WatchLoopTest, AFailedRunIsNotRepeatedEveryFewMinutesAndTheNextDayStillBuilds) {
  clock_.now = At(2026, 5, 3, 8, 0, 9);
  loop_.Handle(WatchCause::kStart);
  Finish(RunOutcome::kFailed);  // CalMakeDay stays unwritten
  PeriodicUntil(At(2026, 5, 3, 23, 0, 9));
  loop_.Handle(WatchCause::kInstanceFreed);
  EXPECT_EQ(host_.runs.size(), 1u);
  // A wake tries again (the picture may be back).
  loop_.Handle(WatchCause::kWake);
  EXPECT_EQ(host_.runs.size(), 2u);
  Finish(RunOutcome::kFailed);
  FireAlarm();
  EXPECT_EQ(host_.runs.back(), (LocalDay{2026, 5, 4}));
  // A run that cannot even be started is not retried in a loop either.
  Finish();
  host_.start_fails = true;
  FireAlarm();
  PeriodicUntil(clock_.now + 3600);
  EXPECT_EQ(host_.runs.size(), 3u);
  EXPECT_FALSE(loop_.RunInProgress());
}

TEST_F(WatchLoopTest, APeriodicCheckCatchesAMissedChangeOfDay) {
  clock_.now = At(2026, 5, 3, 8, 0, 9);
  StartAndFinish();
  // Neither alarm nor wake arrived (no logind, a lost alarm).
  clock_.now = At(2026, 5, 5, 7, 0, 9);
  loop_.Handle(WatchCause::kPeriodic);
  EXPECT_EQ(host_.runs.back(), (LocalDay{2026, 5, 5}));
}

TEST_F(WatchLoopTest, AnAlarmBeforeItsTimeNeverSpins) {
  clock_.now = At(2026, 5, 3, 8, 0, 9);
  StartAndFinish();
  const std::size_t armed = host_.alarms.size();
  // Fired while this loop's clock still reads the old day: armed once more.
  loop_.Handle(WatchCause::kMidnight);
  EXPECT_EQ(host_.alarms.size(), armed + 1);
  // Again: left to the periodic check.
  loop_.Handle(WatchCause::kMidnight);
  EXPECT_EQ(host_.alarms.size(), armed + 1);
  EXPECT_FALSE(loop_.Alarm().has_value());
  EXPECT_EQ(host_.runs.size(), 1u);
  clock_.now += 300;
  loop_.Handle(WatchCause::kPeriodic);
  EXPECT_EQ(loop_.Alarm(), At(2026, 5, 4, 0, 0, 9));
  FireAlarm();
  EXPECT_EQ(host_.runs.back(), (LocalDay{2026, 5, 4}));
}

}  // namespace
}  // namespace murva
