// The calendar the iCalendar benchmarks read: 5,000 events of a busy year,
// 300 of them repeating (weekly, every other week with exceptions, monthly
// on the n-th weekday, yearly), some moved instances, in three zones and
// floating. The same text is written to a file for ical.js.
#pragma once

#include <cstdio>
#include <string>

namespace murva::bench {

inline std::string BenchCalendar(int events = 5000, int rules = 300) {
  static const char* kZones[] = {"Asia/Tokyo", "America/New_York", "Europe/Berlin"};
  static const char* kRules[] = {"FREQ=WEEKLY;BYDAY=MO,WE", "FREQ=WEEKLY;INTERVAL=2;BYDAY=TU",
                                 "FREQ=MONTHLY;BYDAY=2TU", "FREQ=DAILY;COUNT=400",
                                 "FREQ=YEARLY", "FREQ=MONTHLY;BYMONTHDAY=15"};
  std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//murva32 bench//EN\r\n";
  char line[256];
  for (int i = 0; i < events; ++i) {
    const int month = 1 + i % 12;
    const int day = 1 + (i * 7) % 28;
    const int hour = 8 + i % 10;
    text += "BEGIN:VEVENT\r\n";
    std::snprintf(line, sizeof line, "UID:event-%d@bench.murva32\r\n", i);
    text += line;
    text += "DTSTAMP:20250101T000000Z\r\n";
    if (i % 10 == 9) {
      std::snprintf(line, sizeof line, "DTSTART;VALUE=DATE:2025%02d%02d\r\nDTEND;VALUE=DATE:2025%02d%02d\r\n",
                    month, day, month, day + 1);
    } else if (i % 10 == 8) {
      std::snprintf(line, sizeof line, "DTSTART:2025%02d%02dT%02d0000\r\nDTEND:2025%02d%02dT%02d3000\r\n",
                    month, day, hour, month, day, hour);
    } else {
      const char* zone = kZones[i % 3];
      std::snprintf(line, sizeof line,
                    "DTSTART;TZID=%s:2025%02d%02dT%02d0000\r\nDTEND;TZID=%s:2025%02d%02dT%02d3000\r\n",
                    zone, month, day, hour, zone, month, day, hour);
    }
    text += line;
    if (i < rules) {
      std::snprintf(line, sizeof line, "RRULE:%s\r\n", kRules[i % 6]);
      text += line;
      if (i % 6 == 1) {
        std::snprintf(line, sizeof line, "EXDATE;TZID=%s:2025%02d%02dT%02d0000\r\n", kZones[i % 3],
                      month, day, hour);
        text += line;
      }
    }
    std::snprintf(line, sizeof line, "SUMMARY:予定 %d の打ち合わせ\r\nLOCATION:会議室 %d\r\n", i, i % 20);
    text += line;
    text += "DESCRIPTION:議題と資料は共有フォルダにあります\\, 確認してください\r\n";
    text += "END:VEVENT\r\n";
  }
  text += "END:VCALENDAR\r\n";
  return text;
}

}  // namespace murva::bench
