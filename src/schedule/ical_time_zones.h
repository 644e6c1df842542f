// The zones the TZID parameters of one iCalendar file name: a zone of the
// zone database, a Windows zone name, a VTIMEZONE of the file, or a name
// with its offset ("(UTC+09:00) Osaka, Sapporo, Tokyo"). The caller holds
// the libical lock.
#pragma once

#include <libical/ical.h>

#include <map>
#include <string>
#include <vector>

namespace murva {

class ICalTimeZones {
 public:
  explicit ICalTimeZones(icalcomponent* calendar) : calendar_(calendar) {}

  // The zone of a TZID, or nullptr when no zone answers to it (the first
  // time, the name is added to Unknown()).
  icaltimezone* Resolve(const std::string& tzid);

  const std::vector<std::string>& Unknown() const { return unknown_; }

 private:
  icaltimezone* Find(const std::string& tzid) const;

  icalcomponent* calendar_;
  std::map<std::string, icaltimezone*> resolved_;
  std::vector<std::string> unknown_;
};

// The zone database's zone of that name; only plain names are looked up
// (never a path out of the database's folder).
icaltimezone* DatabaseZone(const std::string& name);

}  // namespace murva
