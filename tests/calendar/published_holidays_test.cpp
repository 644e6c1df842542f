// The built-in holiday rules day by day against the published national
// holidays of every year the published list covers.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "calendar/calendar_ex.h"
#include "calendar/calendar_ex1.h"
#include "calendar/day_type.h"
#include "calendar/julius.h"
#include "published_holidays.h"

namespace murva {
namespace {

using DayKey = std::tuple<int, int, int>;

constexpr std::string_view kPublishedSubstituteSuffix = " 振替休日";

bool IsPublishedSubstitute(std::string_view name) {
  return name.size() > kPublishedSubstituteSuffix.size() &&
         name.substr(name.size() - kPublishedSubstituteSuffix.size()) == kPublishedSubstituteSuffix;
}

// Days the calendar names otherwise than the published list, by design:
// the published list names the enthronement days of 2019 after the law that
// made them rest days, and adds the coming name to 体育の日 of 2019.
const std::map<DayKey, std::pair<std::string_view, std::string_view>>& RenamedDays() {
  static const std::map<DayKey, std::pair<std::string_view, std::string_view>> renamed = {
      {{2019, 5, 1}, {"休日（祝日扱い）", "即位の日"}},
      {{2019, 10, 22}, {"休日（祝日扱い）", "即位礼正殿の儀"}},
      {{2019, 10, 14}, {"体育の日（スポーツの日）", "体育の日"}},
  };
  return renamed;
}

// The name DayTextOf gives a published day: a substitute holiday is
// "振替休日" whatever it stands for, a citizens' holiday "国民の休日".
std::string ExpectedName(const test::PublishedHoliday& holiday) {
  if (IsPublishedSubstitute(holiday.name)) return "振替休日";
  if (holiday.name == "休日") return "国民の休日";
  const auto renamed = RenamedDays().find({holiday.year, holiday.month, holiday.day});
  if (renamed != RenamedDays().end()) {
    EXPECT_EQ(holiday.name, renamed->second.first) << "the published name changed";
    return std::string(renamed->second.second);
  }
  return std::string(holiday.name);
}

class PublishedHolidaysTest : public ::testing::Test {
 protected:
  FixedClock clock_{LocalDateTime{2026, 12, 6, 9, 0, 0}};
  std::unique_ptr<TCalendarEx> calendar_ = MakeCalendarEx1(clock_);
  TCalendarEx& cal() { return *calendar_; }
};

TEST_F(PublishedHolidaysTest, TheListCoversWholeYearsInOrder) {
  EXPECT_EQ(test::kPublishedFirstYear, 1970);
  EXPECT_EQ(test::kPublishedLastYear, 2050);
  DayKey previous{0, 0, 0};
  for (const test::PublishedHoliday& holiday : test::kPublishedHolidays) {
    const DayKey key{holiday.year, holiday.month, holiday.day};
    EXPECT_LT(previous, key);
    EXPECT_TRUE(IsValidDate(holiday.year, holiday.month, holiday.day));
    previous = key;
  }
  for (const auto& [key, names] : RenamedDays()) {
    bool listed = false;
    for (const test::PublishedHoliday& holiday : test::kPublishedHolidays) {
      listed = listed || DayKey{holiday.year, holiday.month, holiday.day} == key;
    }
    EXPECT_TRUE(listed) << names.second;
  }
}

TEST_F(PublishedHolidaysTest, EveryDayHasThePublishedTypeAndName) {
  std::map<DayKey, const test::PublishedHoliday*> published;
  for (const test::PublishedHoliday& holiday : test::kPublishedHolidays) {
    published[{holiday.year, holiday.month, holiday.day}] = &holiday;
  }
  int holidays = 0;
  int substitutes = 0;
  const std::int32_t first = DateToJulius(test::kPublishedFirstYear, 1, 1);
  const std::int32_t last = DateToJulius(test::kPublishedLastYear, 12, 31);
  for (std::int32_t julius = first; julius <= last; ++julius) {
    const DateTriple d = JuliusToDate(julius);
    const int flags = cal().DayTypeOf(d.year, d.month, d.day);
    const std::string text = cal().DayTextOf(d.year, d.month, d.day);
    const auto found = published.find({d.year, d.month, d.day});
    if (found == published.end()) {
      EXPECT_EQ(flags & (dtHoliday | dtSubstitute), 0)
          << d.year << "-" << d.month << "-" << d.day << " is no holiday: " << text;
      EXPECT_EQ(text, "") << d.year << "-" << d.month << "-" << d.day;
      continue;
    }
    const test::PublishedHoliday& holiday = *found->second;
    if (IsPublishedSubstitute(holiday.name)) {
      ++substitutes;
      EXPECT_EQ(flags & (dtHoliday | dtSubstitute), dtSubstitute)
          << d.year << "-" << d.month << "-" << d.day << " " << holiday.name;
    } else {
      ++holidays;
      EXPECT_EQ(flags & (dtHoliday | dtSubstitute), dtHoliday)
          << d.year << "-" << d.month << "-" << d.day << " " << holiday.name;
    }
    EXPECT_EQ(text, ExpectedName(holiday)) << d.year << "-" << d.month << "-" << d.day;
  }
  EXPECT_EQ(holidays + substitutes, static_cast<int>(test::kPublishedHolidays.size()));
  EXPECT_GT(substitutes, 100);
}

}  // namespace
}  // namespace murva
