// The agenda of the command line: the entries the schedule list would show
// on each of a run of days (the schedule file, the external file and the
// calendar sources), one occurrence per line, or as JSON.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "schedule/display_zone.h"
#include "schedule/schedule_date.h"
#include "settings/calendar_source.h"
#include "settings/working_copy.h"

namespace murva {

struct AgendaItem {
  CivilDate date;
  std::string time;    // "HH:MM" of a timed event on its first day; empty otherwise
  std::string text;    // UTF-8, without the colour keyword
  std::string color;   // the colour keyword ("Red"); empty when none
  std::string source;  // "MURVA32.SCH", the external file's name, or the calendar's name

  bool operator==(const AgendaItem&) const = default;
};

struct AgendaRequest {
  std::filesystem::path program_folder;
  WorkingCopy copy;            // the stored settings (schedule source, external file, birthday)
  CalendarSettings calendars;  // the stored sources and those given for this run
  CivilDate first;
  int days = 7;
};

// The items of the days first .. first + days - 1: for each day what the
// schedule list shows for that day when it is today (its weekly, monthly
// and yearly repeats, running start-marker entries, the birthday), and the
// calendar sources' occurrences; sorted as the list sorts its lines.
// Problems (an entry that does not read, a calendar that cannot be read)
// are added to problems, naming the file or the source.
std::vector<AgendaItem> CollectAgenda(const AgendaRequest& request, const DisplayZone& zone,
                                      std::vector<std::string>& problems);

// "2025/04/02 09:30 会議" (the time only when there is one).
std::string AgendaLine(const AgendaItem& item);
// A JSON array, one object a line: date ("2025-04-02"), time (or null),
// text, colour (or null) and source.
std::string AgendaJson(const std::vector<AgendaItem>& items);

// A source given on the command line for one run: a file or an address.
CalendarSource CommandLineSource(const std::string& file_or_address);

}  // namespace murva
