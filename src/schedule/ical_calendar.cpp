#include "schedule/ical_calendar.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "schedule/ical_events.h"
#include "schedule/ical_library.h"
#include "schedule/ical_time_zones.h"

namespace murva {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
           return std::toupper(static_cast<unsigned char>(a)) ==
                  std::toupper(static_cast<unsigned char>(b));
         });
}

std::string_view TrimLine(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

// Why the text cannot be an iCalendar file, or an empty text.
std::string ShapeProblem(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  const std::string_view body = TrimLine(text);
  if (body.empty()) return "中身が空です";
  if (body.front() == '<') {
    return "カレンダではなく HTML のページです（ログインが必要なページか、アドレスの誤りかもしれません）";
  }
  if (!StartsWithNoCase(body, "BEGIN:VCALENDAR")) {
    return "iCalendar 形式ではありません（BEGIN:VCALENDAR で始まっていません）";
  }
  if (text.find('\0') != std::string_view::npos) return "iCalendar に使えない文字（NUL）があります";
  const std::size_t last_line = body.find_last_of('\n');
  const std::string_view last =
      TrimLine(last_line == std::string_view::npos ? body : body.substr(last_line + 1));
  if (!StartsWithNoCase(last, "END:VCALENDAR")) {
    return "途中で切れています（END:VCALENDAR で終わっていません）";
  }
  return {};
}

std::string TextOf(const char* text) {
  std::string out = text != nullptr ? text : "";
  for (char& c : out) {
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  }
  return out;
}

class EventReader {
 public:
  explicit EventReader(icalcomponent* calendar) : zones_(calendar) {}

  // The time of a property with its TZID applied.
  icaltimetype Zoned(icaltimetype time, icalproperty* property) {
    if (time.is_date || icaltime_is_utc(time)) return time;
    icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
    if (tzid == nullptr) return time;  // floating
    const char* name = icalparameter_get_tzid(tzid);
    if (name == nullptr) return time;
    time.zone = zones_.Resolve(name);
    return time;
  }

  // The event, or nullptr when it has no readable start.
  std::unique_ptr<CalendarEvent> Read(icalcomponent* component) {
    icalproperty* start = icalcomponent_get_first_property(component, ICAL_DTSTART_PROPERTY);
    icalproperty* recurrence =
        icalcomponent_get_first_property(component, ICAL_RECURRENCEID_PROPERTY);
    auto event = std::make_unique<CalendarEvent>();
    if (recurrence != nullptr) {
      event->recurrence_id = Zoned(icalproperty_get_recurrenceid(recurrence), recurrence);
      event->has_recurrence_id = Valid(event->recurrence_id);
    }
    if (start != nullptr) {
      event->start = Zoned(icalproperty_get_dtstart(start), start);
    } else if (event->has_recurrence_id) {
      event->start = event->recurrence_id;
    }
    if (!Valid(event->start)) return nullptr;
    event->all_day = event->start.is_date != 0;
    event->summary = TextOf(icalcomponent_get_summary(component));
    event->cancelled = icalcomponent_get_status(component) == ICAL_STATUS_CANCELLED;
    ReadSpan(component, *event);
    for (icalproperty* rule = icalcomponent_get_first_property(component, ICAL_RRULE_PROPERTY);
         rule != nullptr; rule = icalcomponent_get_next_property(component, ICAL_RRULE_PROPERTY)) {
      const icalrecurrencetype recurrence_rule = icalproperty_get_rrule(rule);
      if (recurrence_rule.freq != ICAL_NO_RECURRENCE) event->rules.push_back(recurrence_rule);
    }
    for (icalproperty* rdate = icalcomponent_get_first_property(component, ICAL_RDATE_PROPERTY);
         rdate != nullptr; rdate = icalcomponent_get_next_property(component, ICAL_RDATE_PROPERTY)) {
      const icaldatetimeperiodtype value = icalproperty_get_rdate(rdate);
      const icaltimetype time =
          icaltime_is_null_time(value.time) ? value.period.start : value.time;
      if (Valid(time)) event->rdates.push_back(Zoned(time, rdate));
    }
    for (icalproperty* exdate = icalcomponent_get_first_property(component, ICAL_EXDATE_PROPERTY);
         exdate != nullptr;
         exdate = icalcomponent_get_next_property(component, ICAL_EXDATE_PROPERTY)) {
      const icaltimetype time = icalproperty_get_exdate(exdate);
      if (Valid(time)) event->exdates.push_back(Zoned(time, exdate));
    }
    return event;
  }

  const std::vector<std::string>& UnknownZones() const { return zones_.Unknown(); }

 private:
  static bool Valid(const icaltimetype& time) {
    return !icaltime_is_null_time(time) && icaltime_is_valid_time(time) && time.year >= 1 &&
           time.year <= 9999 && time.month >= 1 && time.month <= 12 && time.day >= 1 &&
           time.day <= 31 && time.hour >= 0 && time.hour <= 23 && time.minute >= 0 &&
           time.minute <= 59 && time.second >= 0 && time.second <= 60;
  }

  // DTEND or DURATION; an all-day event's days are counted here from the
  // dates as they stand (DTEND is the day after the last one).
  void ReadSpan(icalcomponent* component, CalendarEvent& event) {
    icalproperty* end = icalcomponent_get_first_property(component, ICAL_DTEND_PROPERTY);
    icalproperty* duration = icalcomponent_get_first_property(component, ICAL_DURATION_PROPERTY);
    if (end != nullptr) {
      const icaltimetype end_time = Zoned(icalproperty_get_dtend(end), end);
      if (Valid(end_time)) {
        if (event.all_day) {
          const int days = DayNumberOf({end_time.year, end_time.month, end_time.day}) -
                           DayNumberOf({event.start.year, event.start.month, event.start.day});
          event.days = std::max(1, days);
        } else {
          event.seconds = std::max<std::int64_t>(0, InstantOf(end_time) - InstantOf(event.start));
        }
        return;
      }
    }
    if (duration != nullptr) {
      const icaldurationtype value = icalproperty_get_duration(duration);
      const std::int64_t seconds = icaldurationtype_as_int(value);
      if (event.all_day) {
        event.days = std::max<int>(1, static_cast<int>(seconds / 86400));
      } else {
        event.seconds = std::max<std::int64_t>(0, seconds);
      }
    }
  }

  ICalTimeZones zones_;
};

}  // namespace

std::int64_t InstantOf(const icaltimetype& time) {
  if (time.zone != nullptr && !time.is_date) {
    return icaltime_as_timet_with_zone(time, const_cast<icaltimezone*>(time.zone));
  }
  return WallSeconds({time.year, time.month, time.day},
                     time.is_date ? 0 : time.hour * 3600 + time.minute * 60 + time.second);
}

ICalendar::ICalendar() : data_(std::make_unique<Data>()) {}
ICalendar::~ICalendar() {
  const auto lock = LockLibical();
  data_.reset();
}

std::size_t ICalendar::EventCount() const {
  return static_cast<std::size_t>(std::count_if(
      data_->series.begin(), data_->series.end(), [](const EventSeries& series) {
        return series.master ? !series.master->cancelled : !series.overrides.empty();
      }));
}

std::shared_ptr<const ICalendar> ICalendar::Read(std::string_view text) {
  std::shared_ptr<ICalendar> calendar(new ICalendar());
  if (text.size() > kCalendarTextLimit) {
    calendar->error_ = "大きすぎます（上限 " + std::to_string(kCalendarTextLimit >> 20) + " MiB）";
    return calendar;
  }
  calendar->error_ = ShapeProblem(text);
  if (!calendar->Ok()) return calendar;

  const auto lock = LockLibical();
  const std::string terminated(text);
  icalcomponent* root = icalparser_parse_string(terminated.c_str());
  if (root == nullptr) {
    calendar->error_ = "iCalendar として読めません";
    return calendar;
  }
  calendar->data_->root = root;
  std::vector<icalcomponent*> calendars;
  if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT) {
    calendars.push_back(root);
  } else {
    for (icalcomponent* child = icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT);
         child != nullptr; child = icalcomponent_get_next_component(root, ICAL_VCALENDAR_COMPONENT)) {
      calendars.push_back(child);
    }
  }
  if (calendars.empty()) {
    calendar->error_ = "iCalendar として読めません（VCALENDAR がありません）";
    return calendar;
  }

  std::map<std::string, std::size_t> by_uid;
  std::size_t unreadable = 0;
  std::size_t nameless = 0;
  std::vector<std::string> unknown_zones;
  for (icalcomponent* vcalendar : calendars) {
    EventReader reader(vcalendar);
    for (icalcomponent* component = icalcomponent_get_first_component(vcalendar, ICAL_VEVENT_COMPONENT);
         component != nullptr;
         component = icalcomponent_get_next_component(vcalendar, ICAL_VEVENT_COMPONENT)) {
      std::unique_ptr<CalendarEvent> event = reader.Read(component);
      if (!event) {
        ++unreadable;
        continue;
      }
      const char* uid_text = icalcomponent_get_uid(component);
      std::string uid = uid_text != nullptr ? uid_text : "";
      if (uid.empty()) uid = "\x01" + std::to_string(++nameless);  // a series of its own
      auto [place, added] = by_uid.emplace(uid, calendar->data_->series.size());
      if (added) calendar->data_->series.emplace_back();
      EventSeries& series = calendar->data_->series[place->second];
      if (event->has_recurrence_id) {
        series.overrides.push_back(std::move(*event));
      } else if (!series.master) {
        series.master = std::move(event);
      } else {
        // Another event of the same UID without RECURRENCE-ID: shown too.
        const std::size_t index = calendar->data_->series.size();
        by_uid[uid + "\x02" + std::to_string(index)] = index;
        calendar->data_->series.emplace_back().master = std::move(event);
      }
    }
    for (const std::string& zone : reader.UnknownZones()) {
      if (std::find(unknown_zones.begin(), unknown_zones.end(), zone) == unknown_zones.end()) {
        unknown_zones.push_back(zone);
      }
    }
  }
  for (const std::string& zone : unknown_zones) {
    calendar->warnings_.push_back("タイムゾーン「" + zone +
                                  "」が分からないため、その時刻はこのパソコンの時刻として表示します");
  }
  if (unreadable > 0) {
    calendar->warnings_.push_back("開始日時の読めない予定 " + std::to_string(unreadable) +
                                  " 件を飛ばしました");
  }
  return calendar;
}

}  // namespace murva
