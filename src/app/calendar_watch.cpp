#include "app/calendar_watch.h"

#include <QCryptographicHash>
#include <iostream>

#include "app/calendar_collection.h"
#include "calendar/clock.h"
#include "render/set_today_fields.h"
#include "settings/calendar_source_store.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"

namespace murva {
namespace {

constexpr const char* kSettingsFileName = "MURVA32.INI";

bool LoadCopy(const SettingsStore& store, WorkingCopy& copy) {
  try {
    return store.LoadQuietly(copy);
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

CalendarWatch::CalendarWatch(std::filesystem::path program_folder, std::function<void()> rebuild,
                             std::unique_ptr<CalendarFetcher> fetcher)
    : program_folder_(std::move(program_folder)),
      rebuild_(std::move(rebuild)),
      fetcher_(std::move(fetcher)),
      refresh_(std::make_unique<CalendarRefresh>(*fetcher_, CalendarCache::Default())) {
  timer_.setTimerType(Qt::VeryCoarseTimer);
  connect(&timer_, &QTimer::timeout, this, &CalendarWatch::Refresh);
}

CalendarWatch::~CalendarWatch() = default;

void CalendarWatch::Start() {
  // What the wallpaper of the start shows, before anything is fetched.
  last_ = Fingerprint();
  Refresh();
}

void CalendarWatch::Refresh() {
  const CalendarSettings settings = LoadCalendarSettings(program_folder_ / kSettingsFileName);
  timer_.start(settings.refresh_minutes * 60 * 1000);
  // A copy fetched a little before (by the control panel, by the run at
  // start) is not fetched again at once.
  refresh_->Start(settings, 60, [this](const std::vector<RefreshReport>& reports) {
    for (const RefreshReport& report : reports) {
      if (!report.problem.empty()) std::cerr << "murva32: " << report.problem << std::endl;
    }
    Compare();
  });
}

std::string CalendarWatch::Fingerprint() const {
  const SettingsStore store(program_folder_ / kSettingsFileName);
  WorkingCopy copy;
  if (!LoadCopy(store, copy)) return {};
  const LocalDateTime now = SystemLocalClock().Now();
  const TodayFields today = TodayFields::Of(now.year, now.month, now.day);
  const CalendarContribution contribution = CalendarsForBuild(copy, program_folder_, today);
  QCryptographicHash hash(QCryptographicHash::Sha256);
  for (const DatedLine& line : contribution.lines) {
    hash.addData(QByteArray::fromStdString(line.date + line.text + "\n"));
  }
  for (const DayNames* days : {&contribution.holidays, &contribution.special_days}) {
    for (const auto& [julius, names] : *days) {
      hash.addData(QByteArray::number(julius));
      for (const std::string& name : names) hash.addData(QByteArray::fromStdString(name + "\n"));
    }
    hash.addData("|");
  }
  return today.TodayText() + " " + hash.result().toHex().toStdString();
}

void CalendarWatch::Compare() {
  const std::string now = Fingerprint();
  const std::optional<std::string> before = last_;
  last_ = now;
  if (!before || now.empty() || *before == now) return;
  // Another day: the run of the new day shows it.
  if (before->substr(0, before->find(' ')) != now.substr(0, now.find(' '))) return;
  std::cerr << "murva32: the calendars' events of the shown days have changed" << std::endl;
  const SettingsStore store(program_folder_ / kSettingsFileName);
  WorkingCopy copy;
  if (LoadCopy(store, copy)) {
    try {
      store.WriteRecord(copy, KeyName(keys::kCalMakeDay), "");
    } catch (const std::exception& error) {
      std::cerr << "murva32: " << error.what() << std::endl;
      return;
    }
  }
  rebuild_();
}

}  // namespace murva
