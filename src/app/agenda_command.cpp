#include <QCoreApplication>
#include <iostream>
#include <memory>

#include "app/agenda.h"
#include "app/calendar_refresh.h"
#include "app/script_commands.h"
#include "calendar/clock.h"
#include "platform/calendar_cache.h"
#include "platform/calendar_fetcher.h"
#include "platform/program_folder.h"
#include "settings/calendar_source_store.h"
#include "settings/settings_store.h"

namespace murva {

int RunAgendaCommand(const CommandLine& command) {
  const std::filesystem::path folder =
      ResolveProgramFolder(ExecutableFolder(), ProcessEnvironment());
  AgendaRequest request;
  request.program_folder = folder;
  request.days = command.agenda_days;
  const SettingsStore store(folder / "MURVA32.INI");
  try {
    if (!store.LoadQuietly(request.copy)) {
      // Something unreadable in the settings file's place is named; the
      // agenda goes on from the defaults.
      if (const std::string problem = store.ReadProblemMessage(); !problem.empty()) {
        std::cerr << "murva32: " << problem << '\n';
      }
    }
    request.calendars = LoadCalendarSettings(store.Path());
  } catch (const std::exception& error) {
    std::cerr << "murva32: " << error.what() << '\n';
    return kExitRunFailed;
  }
  for (const std::string& calendar : command.calendars) {
    request.calendars.sources.push_back(CommandLineSource(calendar));
  }
  if (command.date) {
    request.first = {command.date->year, command.date->month, command.date->day};
  } else {
    request.first = DateOf(SystemLocalClock().Now());
  }

  std::vector<std::string> problems;
  // Subscriptions whose copy is older than the resident mode's period are
  // fetched first, for a few seconds at most; the copies there are serve
  // the rest.
  const bool subscribed = std::any_of(
      request.calendars.sources.begin(), request.calendars.sources.end(),
      [](const CalendarSource& source) { return source.on && source.Kind() == CalendarKind::kSubscription; });
  std::unique_ptr<QCoreApplication> application;
  std::unique_ptr<CalendarFetcher> fetcher;
  if (subscribed) {
    static int argc = 1;
    static char name[] = "murva32";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
      application = std::make_unique<QCoreApplication>(argc, argv);
    }
    fetcher = MakeNetworkCalendarFetcher();
    for (const RefreshReport& report :
         RefreshAndWait(*fetcher, CalendarCache::Default(), request.calendars,
                        std::int64_t{request.calendars.refresh_minutes} * 60,
                        kNetworkWaitMilliseconds)) {
      if (!report.problem.empty()) problems.push_back(report.problem);
    }
  }
  const std::vector<AgendaItem> items = CollectAgenda(request, DisplayZone::System(), problems);
  for (const std::string& problem : problems) std::cerr << "murva32: " << problem << '\n';
  if (command.json) {
    std::cout << AgendaJson(items);
  } else {
    for (const AgendaItem& item : items) std::cout << AgendaLine(item) << '\n';
  }
  std::cout.flush();
  return 0;
}

}  // namespace murva
