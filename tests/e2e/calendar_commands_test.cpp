// The command line's calendar switches run as a user runs them: --agenda
// with a file source, a subscription on a server of the test's own and the
// schedule file, and with --calendar alone on an empty program folder; the
// official holiday list imported and listed, and a broken one refused.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <sstream>

#include "program_runner.h"
#include "settings/calendar_source_store.h"
#include "settings/cp932.h"
#include "support/local_http_server.h"
#include "support/temp_folder.h"

namespace murva {
namespace {

using testing::LocalHttpServer;
using testing::TempFolder;
using testing::WriteBytes;

struct Output {
  int exit_code = -1;
  std::string out;
  std::string errors;
  double seconds = 0;
};

// The program with the folder as its program folder and home, in the zone
// of Tokyo, standard output and error kept.
Output RunProgram(const std::filesystem::path& folder, const std::vector<std::string>& arguments) {
  const std::filesystem::path out = folder / "stdout.txt";
  const std::filesystem::path errors = folder / "stderr.txt";
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    setenv("MURVA32_HOME", folder.c_str(), 1);
    setenv("HOME", folder.c_str(), 1);
    unsetenv("XDG_CACHE_HOME");
    unsetenv("XDG_CONFIG_HOME");
    setenv("TZ", "Asia/Tokyo", 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    unsetenv("DISPLAY");
    const int fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(fd, STDOUT_FILENO);
    testing::ExecProgram(std::string(MURVA_TEST_BIN_DIR) + "/murva32", arguments, errors);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  Output result;
  result.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = testing::ReadBytes(out);
  result.errors = testing::ReadBytes(errors);
  return result;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Calendar(const std::string& events) {
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + events + "END:VCALENDAR\r\n";
}

TEST(CalendarCommands, AgendaJoinsFileSourcesSubscriptionsAndTheScheduleFile) {
  TempFolder folder;
  std::atomic<int> mode{0};  // 0 the calendar, 1 a server error, 2 a slow answer
  LocalHttpServer server([&mode](const LocalHttpServer::Request& request) {
    LocalHttpServer::Response response;
    if (request.path != "/private-5ecret/team.ics") {
      response.status = 404;
    } else if (mode == 1) {
      response.status = 500;
    } else {
      response.delay_ms = mode == 2 ? 10000 : 0;
      response.headers = {{"ETag", "\"t1\""}};
      response.body = Calendar(
          "BEGIN:VEVENT\r\nUID:s\r\nDTSTART:20260811T010000Z\r\nSUMMARY:Standup\r\nEND:VEVENT\r\n");
    }
    return response;
  });
  WriteBytes(folder / "MURVA32.SCH", EncodeCp932("26/08/12 00 1 歯医者%Red%\r\n").value());
  WriteBytes(folder / "home.ics",
             Calendar("BEGIN:VEVENT\r\nUID:h\r\nDTSTART;VALUE=DATE:20260810\r\n"
                      "DTEND;VALUE=DATE:20260812\r\nSUMMARY:帰省\r\nEND:VEVENT\r\n"));
  WriteBytes(folder / "MURVA32.INI",
             "[MURVA32PRE]\r\nCalenSelBa=1\r\nCalenSelEx=0\r\n[Murva32V4]\r\nCalSchedul=5\r\n");
  const std::string address = server.Url("/private-5ecret/team.ics");
  CalendarSettings settings;
  settings.sources = {{"家", "Lime", true, (folder / "home.ics").string(), CalendarUse::kSchedule},
                      {"Team", "Aqua", true, address, CalendarUse::kSchedule}};
  SaveCalendarSettings(folder / "MURVA32.INI", settings);

  // In the list's order: a line's bytes, the time's digits before the
  // Japanese text.
  const std::vector<std::string> expected = {"2026/08/10 帰省", "2026/08/11 10:00 Standup",
                                             "2026/08/11 帰省", "2026/08/12 歯医者"};
  Output run = RunProgram(folder.Path(), {"--agenda", "3", "--date", "2026-08-10"});
  EXPECT_EQ(run.exit_code, 0) << run.errors;
  EXPECT_EQ(Lines(run.out), expected) << run.errors;
  EXPECT_EQ(run.errors, "");

  run = RunProgram(folder.Path(), {"--agenda", "--date=2026-08-11", "--json", "1"});
  EXPECT_NE(run.out.find("{\"date\":\"2026-08-11\",\"time\":\"10:00\",\"text\":\"Standup\","
                         "\"colour\":\"Aqua\",\"source\":\"Team\"}"),
            std::string::npos)
      << run.out;

  // The server fails: the copy of the last fetch stands, the message names
  // the source with its address masked.
  const auto forget_fetch = [&folder] {
    for (const auto& entry :
         std::filesystem::directory_iterator(folder / ".cache" / "murva32" / "calendars")) {
      if (entry.path().extension() == ".state") std::filesystem::remove(entry.path());
    }
  };
  mode = 1;
  forget_fetch();
  run = RunProgram(folder.Path(), {"--agenda", "3", "--date", "2026-08-10"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(Lines(run.out), expected);
  EXPECT_NE(run.errors.find("「Team」（http://127.0.0.1:" + std::to_string(server.Port()) + "/…）"),
            std::string::npos)
      << run.errors;
  EXPECT_NE(run.errors.find("HTTP 500"), std::string::npos) << run.errors;
  EXPECT_EQ(run.errors.find("5ecret"), std::string::npos) << run.errors;

  // A server that answers slowly holds the agenda up a few seconds at most.
  mode = 2;
  forget_fetch();
  run = RunProgram(folder.Path(), {"--agenda", "3", "--date", "2026-08-10"});
  EXPECT_EQ(Lines(run.out), expected);
  EXPECT_LT(run.seconds, 8.0);
  EXPECT_NE(run.errors.find("秒以内に答えがありません"), std::string::npos) << run.errors;
  EXPECT_EQ(run.errors.find("5ecret"), std::string::npos) << run.errors;
}

TEST(CalendarCommands, CalendarSwitchAloneOnAnEmptyProgramFolder) {
  TempFolder folder;
  TempFolder elsewhere;
  WriteBytes(elsewhere / "trip.ics",
             Calendar("BEGIN:VEVENT\r\nUID:t\r\nDTSTART;TZID=America/New_York:20260809T200000\r\n"
                      "DTEND;TZID=America/New_York:20260809T210000\r\nSUMMARY:Flight\r\nEND:VEVENT\r\n"));
  const Output run = RunProgram(folder.Path(), {"--agenda", "2", "--date", "2026-08-10",
                                                "--calendar", (elsewhere / "trip.ics").string()});
  EXPECT_EQ(run.exit_code, 0) << run.errors;
  EXPECT_EQ(Lines(run.out), std::vector<std::string>{"2026/08/10 09:00 Flight"});
  EXPECT_FALSE(std::filesystem::exists(folder / "MURVA32.INI"));
  EXPECT_FALSE(std::filesystem::exists(folder / "MURVA32.SCH"));
}

TEST(CalendarCommands, OfficialHolidayListChangesExactlyItsDaysAndABrokenOneIsRefused) {
  TempFolder folder;
  const auto list_of = [&folder](int year) {
    const Output run = RunProgram(folder.Path(), {"--list-holidays", std::to_string(year)});
    EXPECT_EQ(run.exit_code, 0) << run.errors;
    return Lines(run.out);
  };
  const std::vector<std::string> before_2027 = list_of(2027);
  const std::vector<std::string> before_2028 = list_of(2028);
  ASSERT_FALSE(before_2027.empty());
  EXPECT_EQ(before_2027.front(), "2027/01/01 元日");

  // The official form: CP932, CR LF, a header, dates without zeros.
  std::string csv = "国民の祝日・休日月日,国民の祝日・休日名称\r\n";
  for (int year : {2025, 2026, 2027}) {
    for (const std::string& line : list_of(year)) {
      if (line == "2027/07/19 海の日") continue;  // removed by a law of the test
      const int month = std::stoi(line.substr(5, 2));
      const int day = std::stoi(line.substr(8, 2));
      csv += line.substr(0, 4) + "/" + std::to_string(month) + "/" + std::to_string(day) + "," +
             line.substr(11) + "\r\n";
    }
  }
  csv += "2027/6/15,新しい祝日\r\n";
  WriteBytes(folder / "syukujitsu.csv", EncodeCp932(csv).value());
  Output run = RunProgram(folder.Path(), {"--import-holidays", (folder / "syukujitsu.csv").string()});
  ASSERT_EQ(run.exit_code, 0) << run.errors;
  EXPECT_NE(run.out.find("2025年～2027年"), std::string::npos) << run.out;

  std::vector<std::string> expected = before_2027;
  std::erase(expected, "2027/07/19 海の日");
  expected.push_back("2027/06/15 新しい祝日");
  std::sort(expected.begin(), expected.end());
  const std::vector<std::string> after_2027 = list_of(2027);
  EXPECT_EQ(after_2027, expected);
  EXPECT_EQ(list_of(2028), before_2028);

  // A broken line: refused with its number, the imported list stays.
  std::string broken = EncodeCp932("国民の祝日・休日月日,国民の祝日・休日名称\r\n2027/1/1,元日\r\n"
                                   "2027/1/11,成人の日\r\n2027/2/11,建国記念の日\r\n2027/2/30,幻\r\n")
                           .value();
  WriteBytes(folder / "broken.csv", broken);
  run = RunProgram(folder.Path(), {"--import-holidays", (folder / "broken.csv").string()});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.errors.find("broken.csv の 5 行目"), std::string::npos) << run.errors;
  EXPECT_EQ(list_of(2027), after_2027);
}

}  // namespace
}  // namespace murva
