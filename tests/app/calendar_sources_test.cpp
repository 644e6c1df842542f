// The calendar sources between the cache, the build, the resident mode's
// refresh and the command line's agenda: fetches through a fake at the
// seam, what a build takes from the copies, and the messages that name a
// source without its private address.
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include <deque>

#include "app/agenda.h"
#include "app/calendar_collection.h"
#include "app/calendar_refresh.h"
#include "app/calendar_watch.h"
#include "app/imported_holidays.h"
#include "app/wallpaper_build.h"
#include "app_test_support.h"
#include "calendar/calendar_ex1.h"
#include "calendar/day_type.h"
#include "calendar/julius.h"
#include "platform/scoped_environment.h"
#include "render/calendar_drawing.h"
#include "render/recording_canvas.h"
#include "schedule/schedule_period.h"
#include "settings/calendar_source_store.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"

namespace murva {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

constexpr const char* kSecret = "https://calendar.example.com/private-5ecret/basic.ics";

std::string Calendar(const std::string& events) {
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + events + "END:VCALENDAR\r\n";
}

std::string Event(const std::string& uid, const std::string& start, const std::string& summary) {
  return "BEGIN:VEVENT\r\nUID:" + uid + "\r\nDTSTART" + start + "\r\nSUMMARY:" + summary +
         "\r\nEND:VEVENT\r\n";
}

// Answers fetches from a script, one result per fetch, on the event loop.
class ScriptedFetcher : public CalendarFetcher {
 public:
  std::deque<CalendarFetchResult> answers;
  std::vector<CalendarFetchRequest> asked;
  void Fetch(const CalendarFetchRequest& request, Done done) override {
    asked.push_back(request);
    CalendarFetchResult result;
    if (!answers.empty()) {
      result = answers.front();
      answers.pop_front();
    }
    QTimer::singleShot(0, [done = std::move(done), result] { done(result); });
  }
};

CalendarFetchResult Fetched(const std::string& body, const std::string& etag = "\"1\"") {
  CalendarFetchResult result;
  result.outcome = FetchOutcome::kFetched;
  result.status = 200;
  result.body = body;
  result.etag = etag;
  return result;
}

class CalendarSourcesTest : public ::testing::Test {
 protected:
  CalendarSourcesTest() {
    environment_.Set("XDG_CACHE_HOME", (folder_ / "cache").string());
    WriteBytes(folder_ / "MURVA32.INI", "[Murva32V4]\r\nCalSchedul=5\r\n");
  }

  std::vector<RefreshReport> Refresh(const CalendarSettings& settings, std::int64_t min_age = 0) {
    CalendarRefresh refresh(fetcher_, CalendarCache::Default());
    std::vector<RefreshReport> reports;
    QEventLoop loop;
    EXPECT_TRUE(refresh.Start(settings, min_age, [&](const std::vector<RefreshReport>& done) {
      reports = done;
      loop.quit();
    }));
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    return reports;
  }

  CalendarSettings Subscription(CalendarUse use = CalendarUse::kSchedule) {
    CalendarSettings settings;
    settings.sources = {{"仕事", "Red", true, kSecret, use}};
    return settings;
  }

  TempFolder folder_;
  testing::ScopedEnvironment environment_;
  ScriptedFetcher fetcher_;
};

TEST_F(CalendarSourcesTest, AGoodAnswerIsKeptAndABadOneNeverReplacesIt) {
  const CalendarSettings settings = Subscription();
  const std::string good = Calendar(Event("a", ";VALUE=DATE:20260810", "Meeting"));
  fetcher_.answers.push_back(Fetched(good));
  auto reports = Refresh(settings);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_TRUE(reports[0].changed);
  EXPECT_TRUE(reports[0].problem.empty()) << reports[0].problem;
  const CalendarCache cache = CalendarCache::Default();
  EXPECT_EQ(testing::ReadBytes(cache.BodyPath(kSecret)), good);
  EXPECT_EQ(fetcher_.asked.back().url, kSecret);

  struct BadAnswer {
    CalendarFetchResult result;
    const char* reason;
  };
  CalendarFetchResult server_error;
  server_error.status = 500;
  server_error.reason = "サーバのエラーです（HTTP 500）";
  const BadAnswer bad[] = {
      {Fetched("<html><body>Sign in to continue</body></html>"), "HTML"},
      {Fetched("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:x\r\n"), "途中で切れています"},
      {server_error, "HTTP 500"},
  };
  for (const BadAnswer& answer : bad) {
    fetcher_.answers.push_back(answer.result);
    reports = Refresh(settings);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_FALSE(reports[0].changed);
    EXPECT_NE(reports[0].problem.find(answer.reason), std::string::npos) << reports[0].problem;
    EXPECT_NE(reports[0].problem.find("calendar.example.com"), std::string::npos);
    EXPECT_EQ(reports[0].problem.find("5ecret"), std::string::npos) << reports[0].problem;
    EXPECT_EQ(testing::ReadBytes(cache.BodyPath(kSecret)), good);
    // The conditional request asks with the validators of the copy kept.
    EXPECT_EQ(fetcher_.asked.back().etag, "\"1\"");
  }
  const CalendarCacheState state = cache.ReadState(kSecret);
  EXPECT_NE(state.error.find("HTTP 500"), std::string::npos);

  // The build uses the copy and says since when.
  const CalendarContribution contribution =
      CollectCalendars(settings, cache, {{2026, 8, 10}, {2026, 8, 17}}, {{2026, 8, 1}, {2026, 9, 1}},
                       DisplayZone::System());
  ASSERT_EQ(contribution.lines.size(), 1u);
  EXPECT_EQ(contribution.lines[0].text, "Meeting%Red%");
  ASSERT_EQ(contribution.problems.size(), 1u);
  EXPECT_NE(contribution.problems[0].find("写しを使います"), std::string::npos);
  EXPECT_EQ(contribution.problems[0].find("5ecret"), std::string::npos);

  // A 304 keeps the copy and clears the error.
  CalendarFetchResult same;
  same.outcome = FetchOutcome::kNotModified;
  fetcher_.answers.push_back(same);
  reports = Refresh(settings);
  EXPECT_TRUE(reports[0].problem.empty());
  EXPECT_TRUE(cache.ReadState(kSecret).error.empty());
  // Copies younger than the period are not fetched again.
  const std::size_t asked = fetcher_.asked.size();
  Refresh(settings, 1800);
  EXPECT_EQ(fetcher_.asked.size(), asked);
}

TEST_F(CalendarSourcesTest, BuildTakesFilesAndCopiesAndNamesWhatItCannotRead) {
  WriteBytes(folder_ / "work.ics",
             Calendar(Event("w", ";TZID=Asia/Tokyo:20260811T093000", "Review") +
                      Event("h", ";VALUE=DATE:20260812", "Offsite")));
  WriteBytes(folder_ / "broken.ics", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\n");
  WriteBytes(folder_ / "days.ics", Calendar(Event("d", ";VALUE=DATE:20260814", "創立記念日")));
  CalendarSettings settings;
  settings.sources = {
      {"Work", "Blue", true, (folder_ / "work.ics").string(), CalendarUse::kSchedule},
      {"Broken", "", true, (folder_ / "broken.ics").string(), CalendarUse::kSchedule},
      {"Off", "", false, (folder_ / "missing.ics").string(), CalendarUse::kSchedule},
      {"Company", "", true, (folder_ / "days.ics").string(), CalendarUse::kHolidays},
      {"Never fetched", "", true, kSecret, CalendarUse::kSchedule},
  };
  SaveCalendarSettings(folder_ / "MURVA32.INI", settings);

  WorkingCopy copy;
  copy.schedule_range = kPeriodOneWeek;
  const TodayFields today = TodayFields::Of(2026, 8, 10);
  const CalendarContribution contribution = CalendarsForBuild(copy, folder_.Path(), today);
  std::vector<std::string> lines;
  for (const DatedLine& line : contribution.lines) lines.push_back(line.date + " " + line.text);
  std::sort(lines.begin(), lines.end());
  // Times in the machine's zone: the test's TZ is whatever it is, so the
  // all-day line is the one compared exactly.
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], "2026/08/12 Offsite%Blue%");
  EXPECT_EQ(contribution.holidays.count(DateToJulius(2026, 8, 14)), 1u);
  ASSERT_EQ(contribution.problems.size(), 2u);
  EXPECT_NE(contribution.problems[0].find("「Broken」"), std::string::npos);
  EXPECT_NE(contribution.problems[0].find("途中で切れています"), std::string::npos);
  EXPECT_NE(contribution.problems[1].find("まだ取得していません"), std::string::npos);
  EXPECT_EQ(contribution.problems[1].find("5ecret"), std::string::npos);

  // A build draws with them: the company's day is a holiday of the engine,
  // and every problem is remarked.
  struct Host : SilentBuildHost {
    std::vector<std::string> remarks;
    void Remark(const std::string& text) override { remarks.push_back(text); }
  } host;
  const FixedClock clock({2026, 8, 10, 9, 0, 0});
  auto engine = MakeCalendarEx1(clock);
  const SettingsStore store(folder_ / "MURVA32.INI");
  ScheduleList schedules;
  testing::ScriptedRandom random;
  const BuildInputs inputs{copy, store, *engine, schedules, today, clock, random, nullptr,
                           ScreenSize{640, 480}, folder_.Path()};
  WallpaperCanvas canvas;
  canvas.image = QImage(640, 480, QImage::Format_RGB32);
  canvas.image.fill(Qt::black);
  DrawWallpaper(canvas, inputs, host);
  EXPECT_EQ(host.remarks, contribution.problems);
  EXPECT_NE(engine->DayTypeOf(2026, 8, 14) & dtHoliday, 0);
}

TEST_F(CalendarSourcesTest, AgendaListsFileEntriesAndCalendarsDayByDay) {
  WriteBytes(folder_ / "MURVA32.SCH",
             "@@/@@/W3 00 4 Gym%Red%\r\n26/08/11 00 1 Dentist\r\n");
  WriteBytes(folder_ / "cal.ics",
             Calendar(Event("a", ";VALUE=DATE:20260811", "Trip \"east\"") +
                      Event("b", ":20260812T083000", "Floating breakfast")));
  AgendaRequest request;
  request.program_folder = folder_.Path();
  request.first = {2026, 8, 10};
  request.days = 3;
  request.calendars.sources = {CommandLineSource((folder_ / "cal.ics").string())};
  request.calendars.sources[0].color = "Lime";
  std::vector<std::string> problems;
  const std::vector<AgendaItem> items = CollectAgenda(request, DisplayZone::System(), problems);
  EXPECT_TRUE(problems.empty());
  std::vector<std::string> lines;
  for (const AgendaItem& item : items) lines.push_back(AgendaLine(item));
  EXPECT_EQ(lines, (std::vector<std::string>{"2026/08/11 Dentist", "2026/08/11 Gym",
                                             "2026/08/11 Trip \"east\"",
                                             "2026/08/12 08:30 Floating breakfast"}));
  const std::string json = AgendaJson(items);
  EXPECT_NE(json.find("{\"date\":\"2026-08-11\",\"time\":null,\"text\":\"Gym\",\"colour\":\"Red\","
                      "\"source\":\"MURVA32.SCH\"}"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"text\":\"Trip \\\"east\\\"\",\"colour\":\"Lime\",\"source\":\"cal.ics\""),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"time\":\"08:30\""), std::string::npos);
}

TEST_F(CalendarSourcesTest, ResidentRebuildsOnlyWhenTheShownEventsChange) {
  const CalendarSettings settings = Subscription();
  SaveCalendarSettings(folder_ / "MURVA32.INI", settings);
  SettingsStore store(folder_ / "MURVA32.INI");
  WorkingCopy copy;
  store.WriteRecord(copy, KeyName(keys::kCalMakeDay), "today");
  const LocalDateTime now = SystemLocalClock().Now();
  char date[16];
  std::snprintf(date, sizeof date, "%04d%02d%02d", now.year, now.month, now.day);
  const std::string first = Calendar(Event("a", std::string(";VALUE=DATE:") + date, "One"));
  const std::string second =
      Calendar(Event("a", std::string(";VALUE=DATE:") + date, "One") + "X-NOTE:same events\r\n");
  const std::string third = Calendar(Event("a", std::string(";VALUE=DATE:") + date, "Two"));
  auto fetcher = std::make_unique<ScriptedFetcher>();
  ScriptedFetcher& script = *fetcher;
  script.answers = {Fetched(first), Fetched(second), Fetched(third)};
  int rebuilds = 0;
  CalendarWatch watch(folder_.Path(), [&] { ++rebuilds; }, std::move(fetcher));
  const auto round = [&] {
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
  };
  watch.Start();  // nothing cached yet, then the first copy
  round();
  EXPECT_EQ(rebuilds, 1);
  EXPECT_EQ(store.ReadRecord(copy, KeyName(keys::kCalMakeDay)), "");
  std::filesystem::remove(CalendarCache::Default().StatePath(kSecret));  // due again
  watch.Refresh();  // another copy, the same events
  round();
  EXPECT_EQ(rebuilds, 1);
  std::filesystem::remove(CalendarCache::Default().StatePath(kSecret));
  watch.Refresh();
  round();
  EXPECT_EQ(rebuilds, 2);
}

// The colours "15" is drawn in when the wallpaper's calendars show June
// 2027, with the engine set up as the run cycle sets it up.
std::vector<Color> ColoursOfThe15th(const std::filesystem::path& folder) {
  const FixedClock clock({2027, 6, 1, 9, 0, 0});
  auto engine = MakeCalendarEx1(clock);
  ApplyImportedHolidays(*engine, folder);
  engine->Today();
  WorkingCopy copy;
  copy.calendar_style = kCalendarStyleBox;
  copy.period = 0;
  copy.month_label_style = 1;
  copy.weekday_label_style = 1;
  RecordingCanvas canvas;
  testing::ScriptedRandom random;
  DrawCalendars(canvas, *engine, copy, TodayFields::Of(2027, 6, 1), random, [](const std::string&) {});
  std::vector<Color> colours;
  for (const DrawnText& drawn : canvas.Drawn()) {
    if (drawn.text == "15") colours.push_back(drawn.font.color);
  }
  return colours;
}

TEST(HolidayImport, AListedDayIsDrawnAsAHolidayOnTheWallpaper) {
  TempFolder folder;
  const WorkingCopy copy;
  const Color holiday = copy.pages[0].holiday;
  std::vector<Color> before = ColoursOfThe15th(folder.Path());
  ASSERT_FALSE(before.empty());
  EXPECT_EQ(std::count(before.begin(), before.end(), holiday), 0);
  WriteBytes(folder / "list.csv", "国民の祝日・休日月日,国民の祝日・休日名称\n2027/1/1,元日\n2027/6/15,新しい祝日\n");
  ASSERT_TRUE(ImportHolidayList(folder / "list.csv", folder.Path()).list);
  std::vector<Color> after = ColoursOfThe15th(folder.Path());
  EXPECT_EQ(std::count(after.begin(), after.end(), holiday), 1);
}

}  // namespace
}  // namespace murva
