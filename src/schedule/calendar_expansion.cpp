// The occurrences of a read iCalendar file in a date window.
#include <algorithm>
#include <map>
#include <set>

#include "schedule/ical_calendar.h"
#include "schedule/ical_events.h"
#include "schedule/ical_library.h"

namespace murva {
namespace {

constexpr std::int64_t kDay = 86400;
// Zone offsets lie within a day of UTC; the window is widened by this much
// before the exact test of each day.
constexpr std::int64_t kZoneMargin = 2 * kDay;
// The most steps a repeat rule takes in one expansion, and the most
// instances one series gives in the window: a rule of every second over
// years never holds a build up.
constexpr int kMostRuleSteps = 100000;
constexpr int kMostInstances = 20000;
// ... and all rules of a calendar together, so that thousands of dense
// rules cannot either.
constexpr long kMostStepsOfAll = 500000;

// The keys an instance is matched by against EXDATE and RECURRENCE-ID: its
// time on the comparison scale and, for dates, its day.
struct InstanceKeys {
  std::set<std::int64_t> instants;
  std::set<int> days;

  void Add(const icaltimetype& time, bool all_day) {
    if (time.is_date || all_day) {
      days.insert(DayNumberOf({time.year, time.month, time.day}));
    } else {
      instants.insert(InstantOf(time));
    }
  }
  bool Contains(const icaltimetype& time) const {
    if (!instants.empty() && !time.is_date && instants.count(InstantOf(time)) != 0) return true;
    return !days.empty() && days.count(DayNumberOf({time.year, time.month, time.day})) != 0;
  }
};

class Expansion {
 public:
  Expansion(const CivilDate& first, const CivilDate& last, const DisplayZone& zone,
            std::vector<CalendarOccurrence>& out)
      : first_(first),
        last_(last),
        first_wall_(WallSeconds(first)),
        end_wall_(WallSeconds(AddDays(last, 1))),
        zone_(zone),
        out_(out) {}

  void Series(const EventSeries& series) {
    if (series.master) {
      if (series.master->cancelled) return;  // the whole series is off
      Master(*series.master, series.overrides);
    }
    for (const CalendarEvent& moved : series.overrides) {
      if (!moved.cancelled) Emit(moved, moved.start);
    }
  }

  bool Dense() const { return dense_; }

 private:
  // The instances of the event with rules, RDATE and EXDATE, less those a
  // moved or cancelled instance replaces.
  void Master(const CalendarEvent& event, const std::vector<CalendarEvent>& overrides) {
    if (event.rules.empty() && event.rdates.empty()) {
      Emit(event, event.start);
      return;
    }
    InstanceKeys excluded;
    for (const icaltimetype& exdate : event.exdates) excluded.Add(exdate, event.all_day);
    for (const CalendarEvent& moved : overrides) excluded.Add(moved.recurrence_id, event.all_day);

    const std::int64_t span = event.all_day ? event.days * kDay : event.seconds;
    const std::int64_t lower = first_wall_ - kZoneMargin - span;
    const std::int64_t upper = end_wall_ + kZoneMargin;
    std::set<std::int64_t> seen;
    int instances = 0;
    const auto take = [&](const icaltimetype& time) {
      const std::int64_t instant = InstantOf(time);
      if (instant < lower || instant >= upper) return;
      if (!seen.insert(instant).second || excluded.Contains(time)) return;
      if (++instances > kMostInstances) {
        dense_ = true;
        return;
      }
      Emit(event, time);
    };
    // DTSTART is always the first instance.
    take(event.start);
    for (const icaltimetype& rdate : event.rdates) {
      icaltimetype time = rdate;
      if (event.all_day && !time.is_date) {
        time.is_date = 1;
        time.hour = time.minute = time.second = 0;
        time.zone = nullptr;
      }
      take(time);
    }
    for (const icalrecurrencetype& rule : event.rules) Walk(rule, event, lower, upper, take);
  }

  template <typename Take>
  void Walk(const icalrecurrencetype& rule, const CalendarEvent& event, std::int64_t lower,
            std::int64_t upper, const Take& take) {
    icalrecur_iterator* iterator = icalrecur_iterator_new(rule, event.start);
    if (iterator == nullptr) return;
    // A rule without COUNT starts near the window rather than at DTSTART.
    if (rule.count == 0 && lower > InstantOf(event.start) + kDay) {
      icaltimetype from = event.start;
      const WallTime wall = WallTimeOfSeconds(lower - kDay);
      from.year = wall.date.year;
      from.month = wall.date.month;
      from.day = wall.date.day;
      icalrecur_iterator_set_start(iterator, from);
    }
    for (int step = 0;; ++step) {
      if (step >= kMostRuleSteps || --steps_left_ < 0) {
        dense_ = true;
        break;
      }
      const icaltimetype time = icalrecur_iterator_next(iterator);
      if (icaltime_is_null_time(time)) break;
      if (InstantOf(time) >= upper) break;
      take(time);
    }
    icalrecur_iterator_free(iterator);
  }

  // The days of one instance that lie in the window.
  void Emit(const CalendarEvent& event, const icaltimetype& start) {
    if (event.all_day || start.is_date) {
      const CivilDate day{start.year, start.month, start.day};
      const int days = event.all_day ? event.days : 1;
      // Straight to the window: a span may begin centuries before it.
      const int first_day = DayNumberOf(day);
      const int from = std::max(0, DayNumberOf(first_) - first_day);
      const int to = std::min(days - 1, DayNumberOf(last_) - first_day);
      for (int k = from; k <= to; ++k) {
        out_.push_back({AddDays(day, k), -1, true, k > 0, event.summary});
      }
      return;
    }
    WallTime begin;
    WallTime end;
    if (start.zone == nullptr) {
      // A floating time is the same wall time wherever it is shown.
      const std::int64_t wall = InstantOf(start);
      begin = WallTimeOfSeconds(wall);
      end = WallTimeOfSeconds(wall + std::max<std::int64_t>(0, event.seconds - 1));
    } else {
      const std::int64_t instant = InstantOf(start);
      begin = zone_.WallOf(instant);
      end = zone_.WallOf(instant + std::max<std::int64_t>(0, event.seconds - 1));
    }
    if (end.date < begin.date) end.date = begin.date;
    for (CivilDate date = std::max(begin.date, first_); date <= end.date && date <= last_;
         date = AddDays(date, 1)) {
      const bool first_day = date == begin.date;
      out_.push_back({date, first_day ? begin.second_of_day / 60 : -1, false, !first_day,
                      event.summary});
    }
  }

  CivilDate first_;
  CivilDate last_;
  std::int64_t first_wall_;
  std::int64_t end_wall_;
  const DisplayZone& zone_;
  std::vector<CalendarOccurrence>& out_;
  bool dense_ = false;
  long steps_left_ = kMostStepsOfAll;
};

}  // namespace

std::vector<CalendarOccurrence> ICalendar::Occurrences(const CivilDate& first,
                                                       const CivilDate& last,
                                                       const DisplayZone& zone,
                                                       std::vector<std::string>* warnings) const {
  std::vector<CalendarOccurrence> occurrences;
  if (!Ok() || last < first) return occurrences;
  const auto lock = LockLibical();
  Expansion expansion(first, last, zone, occurrences);
  for (const EventSeries& series : data_->series) expansion.Series(series);
  if (expansion.Dense() && warnings != nullptr) {
    warnings->push_back("繰り返しが細かすぎる予定があり、その一部だけを表示します");
  }
  return occurrences;
}

}  // namespace murva
