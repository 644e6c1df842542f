#include "app/resident_mode.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <functional>
#include <iostream>
#include <memory>

#include "app/calendar_watch.h"
#include "app/last_wallpaper.h"
#include "app/page_choice.h"
#include "app/command_line.h"
#include "app/unattended_report.h"
#include "app/watch_clock.h"
#include "app/watch_loop.h"
#include "platform/autostart_entry.h"
#include "platform/display_connection_watch.h"
#include "platform/instance_lock.h"
#include "platform/instance_release_watch.h"
#include "platform/monitor_change_watch.h"
#include "platform/program_folder.h"
#include "platform/real_time_alarm.h"
#include "platform/sleep_signal.h"
#include "platform/stop_signals.h"
#include "platform/time_zone_watch.h"
#include "platform/wallpaper_installer.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"

namespace murva {
namespace {

// The fallback check: catches a change of day no alarm or signal told of.
constexpr int kPeriodicSeconds = 300;
// The longest countdown (600 seconds) and a slow build, with room to spare.
constexpr int kRunLimitSeconds = 20 * 60;
// Monitor changes closer together than this are one change.
constexpr int kMonitorSettleMilliseconds = 2000;
// How long a run in progress may take to end when the resident stops.
constexpr int kStopWaitMilliseconds = 5000;

constexpr const char* kRunCannotStart = "壁紙の自動作成を開始できません : ";
constexpr const char* kRunCrashed = "壁紙の自動作成が異常終了しました";
constexpr const char* kRunTooLong = "壁紙の自動作成が終わらないため中止しました";
constexpr const char* kZoneStandIn =
    "the time-zone file is not a regular file: UTC stands in until it is one again";

class Resident final : public QObject, private WatchHost {
 public:
  Resident(std::filesystem::path executable, std::string run_switch,
           std::filesystem::path program_folder, const EnvironmentLookup& environment)
      : executable_(std::move(executable)),
        run_switch_(std::move(run_switch)),
        program_folder_(std::move(program_folder)),
        zone_watch_(ZoneFiles(environment)),
        instance_(InstanceLock::DefaultLockFile()),
        display_(environment),
        monitors_(environment) {}

  void Start();

 private:
  // WatchHost
  WatchRecord ReadRecord() override;
  bool InstanceBusy() override { return instance_.Busy(); }
  bool StartAutomaticRun(bool rebuild) override;
  void PutBackWallpaper() override;
  void ArmAlarm(std::int64_t instant) override;
  void Log(const std::string& line) override { std::cerr << "murva32: " << line << std::endl; }

  void WhenReadable(int fd, std::function<void()> handler);
  // The settings of the set in use, as the automatic run reads them.
  bool LoadCopy(const SettingsStore& store, WorkingCopy& copy);
  void RunFinished(int exit_code, QProcess::ExitStatus status);
  void Stop(const std::string& why);

  std::filesystem::path executable_;
  std::string run_switch_;
  std::filesystem::path program_folder_;
  SystemWatchClock clock_;
  WatchLoop loop_{clock_, *this};
  RealTimeAlarm alarm_;
  TimeZoneWatch zone_watch_;
  InstanceReleaseWatch instance_;
  DisplayConnectionWatch display_;
  SleepSignal sleep_;
  QTimer periodic_;
  int stop_fd_ = -1;
  CalendarWatch calendars_{program_folder_, [this] { loop_.Handle(WatchCause::kCalendars); }};
  MonitorChangeWatch monitors_;
  QTimer monitors_settle_;  // a change of monitors comes in several events
  std::unique_ptr<WallpaperInstaller> installer_;  // made when first needed
  std::unique_ptr<QProcess> run_;
  QTimer run_limit_;
  bool run_timed_out_ = false;
  bool stopping_ = false;
};

void Resident::WhenReadable(int fd, std::function<void()> handler) {
  auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, std::move(handler));
}

void Resident::Start() {
  std::string watched;
  stop_fd_ = CatchStopSignals();
  if (!LoadTimeZone()) Log(kZoneStandIn);
  if (stop_fd_ >= 0) {
    WhenReadable(stop_fd_, [this] {
      const int signal_number = TakeStopSignal(stop_fd_);
      if (IsRequestSignal(signal_number)) {
        loop_.Handle(WatchCause::kRequested);
      } else if (signal_number != 0) {
        Stop("stopped (" + StopSignalText(signal_number) + ")");
      }
    });
  }
  if (display_.Valid()) {
    WhenReadable(display_.Fd(), [this] {
      if (display_.Ended()) Stop("the session on display " + display_.Name() + " has ended");
    });
    watched += "the session on " + display_.Name() + ", ";
  }
  if (alarm_.Valid()) {
    WhenReadable(alarm_.Fd(), [this] {
      switch (alarm_.Take()) {
        case RealTimeAlarm::Event::kFired: loop_.Handle(WatchCause::kMidnight); break;
        case RealTimeAlarm::Event::kClockSet: loop_.Handle(WatchCause::kClockSet); break;
        case RealTimeAlarm::Event::kNone: break;
      }
    });
    watched += "midnight and clock changes, ";
  } else {
    Log("no real-time alarm: the periodic check stands in for midnight");
  }
  if (monitors_.Valid()) {
    // A monitor plugged in, taken away or set to another mode or scale:
    // every picture is made anew once the changes have settled.
    monitors_settle_.setSingleShot(true);
    monitors_settle_.setInterval(kMonitorSettleMilliseconds);
    connect(&monitors_settle_, &QTimer::timeout, this, [this] { loop_.Handle(WatchCause::kMonitors); });
    auto* notifier = new QSocketNotifier(monitors_.Fd(), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this, notifier] {
      if (monitors_.TakeChange()) monitors_settle_.start();
      // The display's end is seen by the display watch; this one stops.
      if (!monitors_.Valid()) notifier->setEnabled(false);
    });
    watched += "monitor changes, ";
  }
  if (zone_watch_.Valid()) {
    WhenReadable(zone_watch_.Fd(), [this] {
      if (!zone_watch_.TakeChanged()) return;
      if (!ReloadTimeZone()) Log(kZoneStandIn);
      loop_.Handle(WatchCause::kTimeZone);
    });
    watched += "time-zone changes, ";
  }
  if (instance_.Fd() >= 0) {
    WhenReadable(instance_.Fd(), [this] {
      if (instance_.TakeReleased()) loop_.Handle(WatchCause::kInstanceFreed);
    });
  }
  connect(&sleep_, &SleepSignal::Resumed, this, [this] { loop_.Handle(WatchCause::kWake); });
  connect(&sleep_, &SleepSignal::Suspending, this, [this] { Log("going to sleep"); });
  if (sleep_.Listen()) {
    watched += "wakes from suspend, ";
  } else {
    Log("no system bus (" + sleep_.Problem().toStdString() +
        "): a wake is noticed by the periodic check");
  }
  periodic_.setTimerType(Qt::VeryCoarseTimer);
  periodic_.setInterval(kPeriodicSeconds * 1000);
  connect(&periodic_, &QTimer::timeout, this, [this] {
    sleep_.Listen();  // again, when the system bus was restarted
    loop_.Handle(WatchCause::kPeriodic);
  });
  periodic_.start();
  run_limit_.setSingleShot(true);
  run_limit_.setInterval(kRunLimitSeconds * 1000);
  connect(&run_limit_, &QTimer::timeout, this, [this] {
    if (!run_) return;
    run_timed_out_ = true;
    ReportUnattended(kRunTooLong);
    run_->terminate();
    QTimer::singleShot(10000, run_.get(), [process = run_.get()] { process->kill(); });
  });
  Log("keeping the wallpaper current: watching " + watched + "and checking every " +
      std::to_string(kPeriodicSeconds / 60) + " minutes");
  QTimer::singleShot(0, this, [this] { loop_.Handle(WatchCause::kStart); });
  calendars_.Start();
}

bool Resident::LoadCopy(const SettingsStore& store, WorkingCopy& copy) {
  try {
    return store.LoadQuietly(copy);
  } catch (const std::exception& error) {
    Log(std::string("the settings could not be read: ") + error.what());
    return false;
  }
}

WatchRecord Resident::ReadRecord() {
  WatchRecord record;
  const SettingsStore store(program_folder_ / "MURVA32.INI");
  WorkingCopy copy;
  if (!LoadCopy(store, copy)) return record;
  try {
    record.make_day = store.ReadRecord(copy, KeyName(keys::kCalMakeDay));
  } catch (const std::exception& error) {
    Log(std::string("the settings could not be read: ") + error.what());
  }
  record.always_build = copy.always_build;
  record.random_mode = copy.page_choice_mode == kModeRandom;
  return record;
}

void Resident::PutBackWallpaper() {
  const SettingsStore store(program_folder_ / "MURVA32.INI");
  WorkingCopy copy;
  if (!LoadCopy(store, copy)) return;
  if (!installer_) installer_ = MakeWallpaperInstaller(ProcessEnvironment());
  PutBackLastWallpaper(copy, store, program_folder_, installer_.get());
}

void Resident::ArmAlarm(std::int64_t instant) {
  if (!alarm_.Valid()) return;
  if (!alarm_.Arm(instant)) {
    Log(std::string("the midnight alarm could not be armed (") + std::strerror(errno) +
        "): the periodic check stands in");
  }
}

bool Resident::StartAutomaticRun(bool rebuild) {
  run_ = std::make_unique<QProcess>();
  run_->setProgram(QString::fromStdString(executable_.string()));
  run_->setArguments({QString::fromStdString(run_switch_), "--unattended"});
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  if (rebuild) environment.insert(kBuildNowVariable, "1");
  run_->setProcessEnvironment(environment);
  run_->setProcessChannelMode(QProcess::ForwardedChannels);
  run_->setStandardInputFile(QProcess::nullDevice());
  connect(run_.get(), &QProcess::finished, this, &Resident::RunFinished);
  run_->start();
  if (!run_->waitForStarted(10000)) {
    ReportUnattended(kRunCannotStart + run_->errorString().toStdString());
    run_.reset();
    return false;
  }
  run_timed_out_ = false;
  run_limit_.start();
  ForwardStopTo(static_cast<pid_t>(run_->processId()));
  return true;
}

void Resident::RunFinished(int exit_code, QProcess::ExitStatus status) {
  if (stopping_ || !run_) return;
  ForwardStopTo(0);
  run_limit_.stop();
  run_.release()->deleteLater();
  RunOutcome outcome = RunOutcome::kDone;
  if (status == QProcess::CrashExit || run_timed_out_) {
    outcome = RunOutcome::kFailed;
    if (!run_timed_out_) ReportUnattended(kRunCrashed);
  } else if (exit_code == kExitInstanceBusy) {
    outcome = RunOutcome::kBusy;
  } else if (exit_code != 0) {
    outcome = RunOutcome::kFailed;  // the run has reported its error itself
  }
  loop_.RunEnded(outcome);
}

void Resident::Stop(const std::string& why) {
  if (stopping_) return;
  stopping_ = true;
  Log(why);
  periodic_.stop();
  alarm_.Disarm();
  if (run_ && run_->state() != QProcess::NotRunning) {
    // The run ends between two steps (it catches SIGTERM the same way).
    run_->terminate();
    if (!run_->waitForFinished(kStopWaitMilliseconds)) {
      run_->kill();
      run_->waitForFinished(1000);
    }
  }
  QCoreApplication::exit(0);
}

}  // namespace

int RunResident(int& argc, char** argv, const std::string& run_switch) {
  QCoreApplication application(argc, argv);
  application.setApplicationName("MURVA32");
  const std::optional<InstanceLock> watch_lock =
      InstanceLock::Acquire(InstanceLock::LockFileNamed("Murva32-watch"));
  if (!watch_lock) {
    std::cerr << "murva32: another murva32 --watch already keeps the wallpaper current\n";
    return 0;
  }
  const EnvironmentLookup environment = ProcessEnvironment();
  Resident resident(ExecutableFile(), run_switch,
                    ResolveProgramFolder(ExecutableFolder(), environment), environment);
  resident.Start();
  return application.exec();
}

}  // namespace murva
