// Calendars written here, read and expanded into the days of a window as
// the schedule list shows them: repeat rules with their exceptions, all-day
// spans, zones of the database, of Windows and of the file, floating times,
// events across midnight and across the clock changes of their zone.
#include "schedule/ical_calendar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "render/today_fields.h"
#include "schedule/calendar_lines.h"
#include "schedule/schedule_expansion.h"
#include "schedule/schedule_period.h"
#include "schedule/cp932_bytes.h"
#include "settings/cp932.h"

namespace murva {
namespace {

// A calendar file around the events, with CR LF line ends.
std::string Calendar(const std::string& events) {
  std::string text = "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//murva32 tests//EN\n" + events +
                     "END:VCALENDAR\n";
  std::string crlf;
  for (const char c : text) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return crlf;
}

CivilDate Day(const std::string& text) {
  return {std::stoi(text.substr(0, 4)), std::stoi(text.substr(5, 2)), std::stoi(text.substr(8, 2))};
}

// "yyyy/mm/dd [HH:MM ]text", sorted.
std::vector<std::string> Shown(const ICalendar& calendar, const std::string& first,
                               const std::string& last, const std::string& zone,
                               std::vector<std::string>* warnings = nullptr) {
  const DisplayZone display = *DisplayZone::Named(zone);
  std::vector<std::string> lines;
  for (const CalendarOccurrence& occurrence :
       calendar.Occurrences(Day(first), Day(last), display, warnings)) {
    lines.push_back(DateText(occurrence.date) + " " + OccurrenceText(occurrence));
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

struct ExpansionCase {
  const char* name;
  const char* events;
  const char* first;
  const char* last;
  const char* zone;
  std::vector<std::string> shown;
};

const ExpansionCase kCases[] = {
    {"weekly rule with EXDATE and a moved instance",
     "BEGIN:VEVENT\nUID:weekly\nDTSTART;TZID=Asia/Tokyo:20250303T100000\n"
     "DTEND;TZID=Asia/Tokyo:20250303T110000\nRRULE:FREQ=WEEKLY;COUNT=5\n"
     "EXDATE;TZID=Asia/Tokyo:20250310T100000\nSUMMARY:Weekly\nEND:VEVENT\n"
     "BEGIN:VEVENT\nUID:weekly\nRECURRENCE-ID;TZID=Asia/Tokyo:20250317T100000\n"
     "DTSTART;TZID=Asia/Tokyo:20250318T150000\nDTEND;TZID=Asia/Tokyo:20250318T160000\n"
     "SUMMARY:Weekly moved\nEND:VEVENT\n",
     "2025/03/01", "2025/04/30", "Asia/Tokyo",
     {"2025/03/03 10:00 Weekly", "2025/03/18 15:00 Weekly moved", "2025/03/24 10:00 Weekly",
      "2025/03/31 10:00 Weekly"}},
    {"moved instance that leaves the window, and one that enters it",
     "BEGIN:VEVENT\nUID:m\nDTSTART;TZID=Asia/Tokyo:20250303T100000\nRRULE:FREQ=WEEKLY\n"
     "SUMMARY:Plan\nEND:VEVENT\n"
     "BEGIN:VEVENT\nUID:m\nRECURRENCE-ID;TZID=Asia/Tokyo:20250310T100000\n"
     "DTSTART;TZID=Asia/Tokyo:20250401T100000\nSUMMARY:Plan late\nEND:VEVENT\n"
     "BEGIN:VEVENT\nUID:m\nRECURRENCE-ID;TZID=Asia/Tokyo:20250407T100000\n"
     "DTSTART;TZID=Asia/Tokyo:20250312T100000\nSUMMARY:Plan early\nEND:VEVENT\n",
     "2025/03/08", "2025/03/20", "Asia/Tokyo",
     {"2025/03/12 10:00 Plan early", "2025/03/17 10:00 Plan"}},
    {"cancelled instance and cancelled event",
     "BEGIN:VEVENT\nUID:daily\nDTSTART:20250301T090000Z\nDURATION:PT30M\n"
     "RRULE:FREQ=DAILY;COUNT=3\nSUMMARY:Daily\nEND:VEVENT\n"
     "BEGIN:VEVENT\nUID:daily\nRECURRENCE-ID:20250302T090000Z\nDTSTART:20250302T090000Z\n"
     "STATUS:CANCELLED\nSUMMARY:Daily\nEND:VEVENT\n"
     "BEGIN:VEVENT\nUID:gone\nDTSTART:20250302T010000Z\nSTATUS:CANCELLED\nSUMMARY:Gone\n"
     "END:VEVENT\n",
     "2025/03/01", "2025/03/31", "Asia/Tokyo",
     {"2025/03/01 18:00 Daily", "2025/03/03 18:00 Daily"}},
    {"monthly on the second Tuesday, begun a year before the window",
     "BEGIN:VEVENT\nUID:tue\nDTSTART;TZID=Asia/Tokyo:20240109T190000\n"
     "RRULE:FREQ=MONTHLY;BYDAY=2TU\nSUMMARY:Club\nEND:VEVENT\n",
     "2025/01/01", "2025/04/30", "Asia/Tokyo",
     {"2025/01/14 19:00 Club", "2025/02/11 19:00 Club", "2025/03/11 19:00 Club",
      "2025/04/08 19:00 Club"}},
    {"yearly all-day birthday",
     "BEGIN:VEVENT\nUID:bd\nDTSTART;VALUE=DATE:19800212\nDTEND;VALUE=DATE:19800213\n"
     "RRULE:FREQ=YEARLY\nSUMMARY:Birthday\nEND:VEVENT\n",
     "2025/01/01", "2026/03/01", "America/New_York",
     {"2025/02/12 Birthday", "2026/02/12 Birthday"}},
    {"all-day event of three days, DTEND exclusive",
     "BEGIN:VEVENT\nUID:trip\nDTSTART;VALUE=DATE:20250505\nDTEND;VALUE=DATE:20250508\n"
     "SUMMARY:Trip\nEND:VEVENT\n",
     "2025/05/01", "2025/05/31", "Asia/Tokyo",
     {"2025/05/05 Trip", "2025/05/06 Trip", "2025/05/07 Trip"}},
    {"all-day event begun before the window",
     "BEGIN:VEVENT\nUID:trip\nDTSTART;VALUE=DATE:20250505\nDTEND;VALUE=DATE:20250508\n"
     "SUMMARY:Trip\nEND:VEVENT\n",
     "2025/05/06", "2025/05/31", "Asia/Tokyo", {"2025/05/06 Trip", "2025/05/07 Trip"}},
    {"all-day event without DTEND, and a yearly one with EXDATE",
     "BEGIN:VEVENT\nUID:one\nDTSTART;VALUE=DATE:20250601\nSUMMARY:One day\nEND:VEVENT\n"
     "BEGIN:VEVENT\nUID:y\nDTSTART;VALUE=DATE:20230610\nRRULE:FREQ=YEARLY\n"
     "EXDATE;VALUE=DATE:20250610\nSUMMARY:Yearly\nEND:VEVENT\n",
     "2025/05/01", "2026/06/30", "Asia/Tokyo", {"2025/06/01 One day", "2026/06/10 Yearly"}},
    {"America/New_York evening shown the next morning in JST",
     "BEGIN:VEVENT\nUID:ny\nDTSTART;TZID=America/New_York:20250310T190000\n"
     "DTEND;TZID=America/New_York:20250310T200000\nSUMMARY:NY call\nEND:VEVENT\n",
     "2025/03/10", "2025/03/11", "Asia/Tokyo", {"2025/03/11 08:00 NY call"}},
    {"floating time stays on the wall clock of any zone",
     "BEGIN:VEVENT\nUID:f\nDTSTART:20250401T093000\nDTEND:20250401T100000\nSUMMARY:Local\n"
     "END:VEVENT\n",
     "2025/04/01", "2025/04/01", "America/New_York", {"2025/04/01 09:30 Local"}},
    {"Windows zone name without VTIMEZONE",
     "BEGIN:VEVENT\nUID:w\nDTSTART;TZID=Pacific Standard Time:20250401T090000\n"
     "SUMMARY:West coast\nEND:VEVENT\n",
     "2025/04/01", "2025/04/03", "Asia/Tokyo", {"2025/04/02 01:00 West coast"}},
    {"zone of the file's VTIMEZONE and a prefixed database name",
     "BEGIN:VTIMEZONE\nTZID:Office zone\nBEGIN:STANDARD\nDTSTART:19700101T000000\n"
     "TZOFFSETFROM:+0500\nTZOFFSETTO:+0500\nTZNAME:OFC\nEND:STANDARD\nEND:VTIMEZONE\n"
     "BEGIN:VEVENT\nUID:o\nDTSTART;TZID=Office zone:20250401T100000\nSUMMARY:Office\nEND:VEVENT\n"
     "BEGIN:VEVENT\nUID:p\nDTSTART;TZID=/mozilla.org/20050126_1/Europe/London:20250401T100000\n"
     "SUMMARY:London\nEND:VEVENT\n",
     "2025/04/01", "2025/04/01", "Asia/Tokyo", {"2025/04/01 14:00 Office", "2025/04/01 18:00 London"}},
    {"event across midnight, and one that ends at midnight",
     "BEGIN:VEVENT\nUID:n\nDTSTART;TZID=Asia/Tokyo:20250401T230000\n"
     "DTEND;TZID=Asia/Tokyo:20250402T013000\nSUMMARY:Night\nEND:VEVENT\n"
     "BEGIN:VEVENT\nUID:e\nDTSTART;TZID=Asia/Tokyo:20250401T220000\n"
     "DTEND;TZID=Asia/Tokyo:20250402T000000\nSUMMARY:Evening\nEND:VEVENT\n",
     "2025/04/01", "2025/04/03", "Asia/Tokyo",
     {"2025/04/01 22:00 Evening", "2025/04/01 23:00 Night", "2025/04/02 Night"}},
    {"timed event of three days by DURATION, begun before the window",
     "BEGIN:VEVENT\nUID:c\nDTSTART;TZID=Asia/Tokyo:20250330T180000\nDURATION:P2DT1H\n"
     "SUMMARY:Conference\nEND:VEVENT\n",
     "2025/03/31", "2025/04/05", "Asia/Tokyo",
     {"2025/03/31 Conference", "2025/04/01 Conference"}},
    {"weekly New York meeting across the change to summer time",
     "BEGIN:VEVENT\nUID:dst\nDTSTART;TZID=America/New_York:20250303T090000\n"
     "RRULE:FREQ=WEEKLY;UNTIL=20250318T000000Z\nSUMMARY:Standup\nEND:VEVENT\n",
     "2025/03/01", "2025/03/31", "Asia/Tokyo",
     {"2025/03/03 23:00 Standup", "2025/03/10 22:00 Standup", "2025/03/17 22:00 Standup"}},
    {"daily Berlin event across the change back to winter time",
     "BEGIN:VEVENT\nUID:fall\nDTSTART;TZID=Europe/Berlin:20251025T120000\n"
     "RRULE:FREQ=DAILY;COUNT=3\nSUMMARY:Lunch\nEND:VEVENT\n",
     "2025/10/01", "2025/10/31", "Asia/Tokyo",
     {"2025/10/25 19:00 Lunch", "2025/10/26 20:00 Lunch", "2025/10/27 20:00 Lunch"}},
    {"RDATE adds and UNTIL ends",
     "BEGIN:VEVENT\nUID:r\nDTSTART;TZID=Asia/Tokyo:20250602T080000\n"
     "RRULE:FREQ=DAILY;UNTIL=20250603T235959Z\nRDATE;TZID=Asia/Tokyo:20250610T080000\n"
     "SUMMARY:Run\nEND:VEVENT\n",
     "2025/06/01", "2025/06/30", "Asia/Tokyo",
     {"2025/06/02 08:00 Run", "2025/06/03 08:00 Run", "2025/06/04 08:00 Run",
      "2025/06/10 08:00 Run"}},
    {"spans of centuries show only the window's days, at once",
     "BEGIN:VEVENT\nUID:long\nDTSTART;VALUE=DATE:00010101\nDTEND;VALUE=DATE:29991231\n"
     "SUMMARY:Era\nEND:VEVENT\n"
     "BEGIN:VEVENT\nUID:longer\nDTSTART:00010101T000000\nDTEND:29991231T000000\n"
     "SUMMARY:Age\nEND:VEVENT\n",
     "2025/05/01", "2025/05/02", "Asia/Tokyo",
     {"2025/05/01 Age", "2025/05/01 Era", "2025/05/02 Age", "2025/05/02 Era"}},
    {"text with percent, line break and no summary",
     "BEGIN:VEVENT\nUID:t\nDTSTART;VALUE=DATE:20250701\nSUMMARY:50% off\\nsale\nEND:VEVENT\n"
     "BEGIN:VEVENT\nUID:u\nDTSTART;VALUE=DATE:20250702\nEND:VEVENT\n",
     "2025/07/01", "2025/07/02", "Asia/Tokyo", {"2025/07/01 50％ off sale", "2025/07/02 （件名なし）"}},
};

class IcalendarExpansion : public ::testing::TestWithParam<ExpansionCase> {};

TEST_P(IcalendarExpansion, ShowsTheDaysOfTheWindow) {
  const ExpansionCase& c = GetParam();
  const auto calendar = ICalendar::Read(Calendar(c.events));
  ASSERT_TRUE(calendar->Ok()) << calendar->Error();
  EXPECT_EQ(Shown(*calendar, c.first, c.last, c.zone), c.shown) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Calendars, IcalendarExpansion, ::testing::ValuesIn(kCases));

TEST(IcalendarReading, UnknownZoneReadsAsLocalTimeAndSaysSo) {
  const auto calendar = ICalendar::Read(
      Calendar("BEGIN:VEVENT\nUID:x\nDTSTART;TZID=Mars/Olympus:20250401T100000\nSUMMARY:Away\n"
               "END:VEVENT\n"));
  ASSERT_TRUE(calendar->Ok());
  EXPECT_EQ(Shown(*calendar, "2025/04/01", "2025/04/01", "Asia/Tokyo"),
            std::vector<std::string>{"2025/04/01 10:00 Away"});
  ASSERT_EQ(calendar->Warnings().size(), 1u);
  EXPECT_NE(calendar->Warnings()[0].find("Mars/Olympus"), std::string::npos);
}

TEST(IcalendarReading, EventWithoutStartIsLeftOutAndCounted) {
  const auto calendar = ICalendar::Read(
      Calendar("BEGIN:VEVENT\nUID:a\nSUMMARY:No start\nEND:VEVENT\n"
               "BEGIN:VEVENT\nUID:b\nDTSTART;VALUE=DATE:20250401\nSUMMARY:Fine\nEND:VEVENT\n"));
  ASSERT_TRUE(calendar->Ok());
  EXPECT_EQ(calendar->EventCount(), 1u);
  ASSERT_EQ(calendar->Warnings().size(), 1u);
  EXPECT_NE(calendar->Warnings()[0].find("1 件"), std::string::npos);
}

struct RefusedCase {
  std::string text;
  const char* reason;
};

TEST(IcalendarReading, TextsThatAreNoCalendarAreRefusedWithTheReason) {
  const std::string event = "BEGIN:VEVENT\r\nUID:a\r\nDTSTART:20250401T100000Z\r\n";
  const RefusedCase cases[] = {
      {"", "空"},
      {"<!DOCTYPE html><html><body>Sign in</body></html>", "HTML"},
      {"Not Found\n", "iCalendar 形式ではありません"},
      {"BEGIN:VCALENDAR\r\n" + event, "途中で切れています"},
      {"BEGIN:VCALENDAR\r\n" + event + "END:VEVENT\r\nEND:VCAL", "途中で切れています"},
      {"BEGIN:VCALENDAR\r\n" + event + std::string(1, '\0') + "END:VEVENT\r\nEND:VCALENDAR\r\n",
       "NUL"},
      {"BEGIN:VCALENDAR\r\n" + std::string(kCalendarTextLimit, 'x') + "\r\nEND:VCALENDAR\r\n",
       "大きすぎます"},
  };
  for (const RefusedCase& c : cases) {
    const auto calendar = ICalendar::Read(c.text);
    EXPECT_FALSE(calendar->Ok()) << c.reason;
    EXPECT_NE(calendar->Error().find(c.reason), std::string::npos) << calendar->Error();
    EXPECT_TRUE(calendar->Occurrences({2025, 1, 1}, {2025, 12, 31}, DisplayZone::System()).empty());
  }
}

TEST(IcalendarReading, EveryStepRuleIsCutShortWithAWarning) {
  const auto calendar = ICalendar::Read(
      Calendar("BEGIN:VEVENT\nUID:s\nDTSTART:20250401T000000Z\nRRULE:FREQ=SECONDLY\n"
               "SUMMARY:Tick\nEND:VEVENT\n"));
  std::vector<std::string> warnings;
  const DisplayZone utc = *DisplayZone::Named("UTC");
  const auto occurrences = calendar->Occurrences({2025, 4, 1}, {2025, 4, 30}, utc, &warnings);
  EXPECT_FALSE(occurrences.empty());
  EXPECT_LT(occurrences.size(), 100000u);
  EXPECT_EQ(warnings.size(), 1u);
}

TEST(CalendarLines, OccurrencesJoinTheListAsItsPeriodShowsThem) {
  const auto calendar = ICalendar::Read(
      Calendar("BEGIN:VEVENT\nUID:a\nDTSTART;TZID=Asia/Tokyo:20250402T093000\nSUMMARY:会議\n"
               "END:VEVENT\n"
               "BEGIN:VEVENT\nUID:b\nDTSTART;VALUE=DATE:20250420\nSUMMARY:遠足\nEND:VEVENT\n"));
  const TodayFields today = TodayFields::Of(2025, 4, 1);
  const DateWindow window = CalendarWindowOf(kPeriodOneWeek, today);
  EXPECT_EQ(window.first, (CivilDate{2025, 4, 1}));
  EXPECT_EQ(window.last, (CivilDate{2025, 4, 8}));
  std::vector<DatedLine> lines;
  const DisplayZone tokyo = *DisplayZone::Named("Asia/Tokyo");
  for (const CalendarOccurrence& occurrence :
       calendar->Occurrences({2025, 4, 1}, {2025, 4, 30}, tokyo)) {
    lines.push_back(OccurrenceLine(occurrence, "Red"));
  }
  ScheduleOptions options;
  options.period = kPeriodOneWeek;
  const FixedClock clock(LocalDateTime{2025, 4, 1, 8, 0, 0});
  const ScheduleList output =
      ExpandMergedLines({ToCp932("25/04/03 00 1 entry")}, options, today, clock, lines);
  ASSERT_EQ(output.Size(), 2u);  // the 20th lies beyond the week
  EXPECT_EQ(DecodeCp932Lossy(output[0]), "2025/04/02 09:30 会議%Red%");
  EXPECT_EQ(DecodeCp932Lossy(output[1]), "2025/04/03 entry");
}

}  // namespace
}  // namespace murva
