// The official holiday list: read from its published form, refused with
// the line of its first fault, and in the years it covers standing instead
// of the built-in rules; and the days calendar sources mark.
#include "calendar/listed_holidays.h"

#include <gtest/gtest.h>

#include "calendar/calendar_ex1.h"
#include "calendar/day_list_lines.h"
#include "calendar/day_type.h"
#include "calendar/julius.h"

namespace murva {
namespace {

// The list the built-in rules give for the years, in the published form.
std::string ListOfRules(int first, int last) {
  const FixedClock clock(LocalDateTime{first, 1, 1, 0, 0, 0});
  const auto engine = MakeCalendarEx1(clock);
  engine->ClearSpecialDayList();
  std::string text = "国民の祝日・休日月日,国民の祝日・休日名称\r\n";
  for (int year = first; year <= last; ++year) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= MonthDays(year, month); ++day) {
        if ((engine->DayTypeOf(year, month, day) & (dtHoliday | dtSubstitute)) == 0) continue;
        text += std::to_string(year) + "/" + std::to_string(month) + "/" + std::to_string(day) + "," +
                engine->DayTextOf(year, month, day) + "\r\n";
      }
    }
  }
  return text;
}

TEST(HolidayList, ReadsThePublishedForm) {
  const HolidayListReading reading = ReadHolidayList(
      "\xEF\xBB\xBF国民の祝日・休日月日,国民の祝日・休日名称\r\n1955/1/1,元日\r\n"
      "1955/1/15,成人の日\r\n2027/03/21,春分の日\r\n\r\n");
  ASSERT_TRUE(reading.list) << reading.error;
  EXPECT_EQ(reading.list->first_year, 1955);
  EXPECT_EQ(reading.list->last_year, 2027);
  EXPECT_TRUE(reading.list->Covers(2000));
  EXPECT_FALSE(reading.list->Covers(2028));
  ASSERT_NE(reading.list->NameOf(DateToJulius(1955, 1, 15)), nullptr);
  EXPECT_EQ(*reading.list->NameOf(DateToJulius(1955, 1, 15)), "成人の日");
  EXPECT_EQ(ReadHolidayList(FormatHolidayList(*reading.list)).list, reading.list);
  EXPECT_EQ(CoveredYearsText(*reading.list), "1955年～2027年");
}

struct BrokenCase {
  const char* text;
  int line;
  const char* reason;
};

TEST(HolidayList, AFaultyLineRefusesTheListWithItsNumber) {
  const BrokenCase cases[] = {
      {"見出し\n2025/1/1,元日\n2025/2/30,ない日\n", 3, "存在しない"},
      {"見出し\n2025/1/1,元日\n2025-2-11,建国記念の日\n", 3, "年/月/日"},
      {"見出し\n2025/1/1\n", 2, "形ではありません"},
      {"見出し\n2025/1/1,\n", 2, "名称"},
      {"見出し\n2025/1/1,元日\n2025/1/1,元日\n", 3, "二度"},
      {"見出し\n1800/1/1,昔\n", 2, "1800年"},
      {"見出し\n", 2, "一つもありません"},
  };
  for (const BrokenCase& c : cases) {
    const HolidayListReading reading = ReadHolidayList(c.text);
    EXPECT_FALSE(reading.list) << c.text;
    EXPECT_EQ(reading.error_line, c.line) << c.text;
    EXPECT_NE(reading.error.find(c.reason), std::string::npos) << reading.error;
  }
}

TEST(HolidayList, ChangesExactlyTheDaysItChangesInTheYearsItCovers) {
  // The rules' list for 2025..2027 with one holiday removed (海の日 2027)
  // and one added (a new holiday on 2027/6/15).
  std::string text = ListOfRules(2025, 2027);
  const std::string removed = "2027/7/19,海の日\r\n";
  ASSERT_NE(text.find(removed), std::string::npos);
  text.erase(text.find(removed), removed.size());
  text += "2027/6/15,新しい祝日\r\n";
  const HolidayListReading reading = ReadHolidayList(text);
  ASSERT_TRUE(reading.list) << reading.error_line << ": " << reading.error;

  const FixedClock clock(LocalDateTime{2027, 1, 1, 0, 0, 0});
  const auto rules = MakeCalendarEx1(clock);
  const auto listed = MakeCalendarEx1(clock);
  listed->SetListedHolidays(std::make_shared<const ListedHolidays>(*reading.list));
  for (int year : {2025, 2026, 2027, 2028}) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= MonthDays(year, month); ++day) {
        const int mask = dtHoliday | dtSubstitute;
        const bool changed = year == 2027 && ((month == 7 && day == 19) || (month == 6 && day == 15));
        const bool rule = (rules->DayTypeOf(year, month, day) & mask) != 0;
        const bool list = (listed->DayTypeOf(year, month, day) & mask) != 0;
        EXPECT_EQ(list, changed ? !rule : rule) << year << "/" << month << "/" << day;
      }
    }
  }
  EXPECT_EQ(listed->DayTextOf(2027, 6, 15), "新しい祝日");
  EXPECT_TRUE(listed->ListsHolidaysOf(2027));
  EXPECT_FALSE(listed->ListsHolidaysOf(2028));

  // The user's own holidays replace the system's, the list with them.
  DayGrid grid;
  grid[5] = {"15"};
  LoadHolidayLines(*listed, grid, kHolidayMethodUser, 2027, 1);
  EXPECT_FALSE(listed->ListsHolidaysOf(2027));
  EXPECT_EQ(listed->DayTypeOf(2027, 7, 19) & dtHoliday, 0);
  ConfigureCalendarEx1(*listed);
  EXPECT_TRUE(listed->ListsHolidaysOf(2027));
}

TEST(CalendarDays, MarkHolidaysAndSpecialDaysWithoutSubstitutes) {
  const FixedClock clock(LocalDateTime{2025, 1, 1, 0, 0, 0});
  const auto engine = MakeCalendarEx1(clock);
  DayNames holidays;
  holidays[DateToJulius(2025, 4, 6)].push_back("創立記念日");  // a Sunday
  DayNames special;
  special[DateToJulius(2025, 4, 9)].push_back("始業式");
  engine->SetCalendarDays(holidays, special);
  EXPECT_NE(engine->DayTypeOf(2025, 4, 6) & dtHoliday, 0);
  EXPECT_EQ(engine->DayTypeOf(2025, 4, 7) & (dtHoliday | dtSubstitute), 0);
  EXPECT_NE(engine->DayTypeOf(2025, 4, 9) & dtSpecialDay, 0);
  EXPECT_EQ(engine->DayTextOf(2025, 4, 6), "創立記念日");
  EXPECT_EQ(engine->DayTextOf(2025, 4, 9), "始業式");
}

}  // namespace
}  // namespace murva
