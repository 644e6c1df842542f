#include "app/headless_run.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>

#include "app/command_line.h"
#include "platform/countdown_notification.h"
#include "platform/stop_signals.h"

namespace murva {
namespace {

std::string SecondsLeft(int seconds) {
  return "あと " + std::to_string(seconds) + " 秒で壁紙を作成します（" + std::to_string(seconds) +
         " seconds until the wallpaper is built）";
}

}  // namespace

HeadlessRun::HeadlessRun(RunEnvironment environment, HeadlessOptions options)
    : options_(std::move(options)) {
  cycle_ = std::make_unique<RunCycle>(*this, std::move(environment));
  timer_.setInterval(1000);
  connect(&timer_, &QTimer::timeout, this, [this] { cycle_->TimerDelayTimer(); });
  if (options_.notification_countdown) {
    countdown_ = std::make_unique<CountdownNotification>(options_.notification_buttons);
    countdown_->on_build_now = [this] { cycle_->BuildNow(); };
    countdown_->on_cancel = [this] { cycle_->CancelAutoRun(); };
  }
}

HeadlessRun::~HeadlessRun() = default;

int HeadlessRun::Exec() {
  // SIGTERM (or SIGINT, SIGHUP) ends the run between two of its steps, so
  // that no file is left half-written.
  const int stop_fd = CatchStopSignals();
  std::unique_ptr<QSocketNotifier> notifier;
  if (stop_fd >= 0) {
    notifier = std::make_unique<QSocketNotifier>(stop_fd, QSocketNotifier::Read);
    connect(notifier.get(), &QSocketNotifier::activated, this, [this, stop_fd] {
      if (TakeStopSignal(stop_fd) != 0) Stop();
    });
  }
  cycle_->FormCreate();
  // As the window's first activation: the run is decided once it is up.
  QTimer::singleShot(0, this, [this] { cycle_->FormActivate(); });
  QEventLoop loop;
  while (!closed_) loop.processEvents(QEventLoop::WaitForMoreEvents);
  if (countdown_) countdown_->Close();
  notifier.reset();
  if (stop_fd >= 0) ReleaseStopSignals();
  return cycle_->Failed() ? kExitRunFailed : 0;
}

void HeadlessRun::Stop() {
  timer_.stop();
  closed_ = true;
  QCoreApplication::postEvent(this, new QEvent(QEvent::User));  // wakes the loop
}

void HeadlessRun::SetCountdown(int seconds) {
  if (!countdown_ || seconds <= 0) return;
  countdown_->Show("MURVA32", SecondsLeft(seconds));
}

void HeadlessRun::ShowMessage(const std::string& text, MessageIcon icon) {
  if (options_.show_message) options_.show_message(text, icon);
}

void HeadlessRun::CloseMainWindow() {
  timer_.stop();
  // As a window closes after the handler that closed it: the loop ends when
  // the step that asked for it has returned.
  QTimer::singleShot(0, this, [this] { closed_ = true; });
}

void HeadlessRun::SetTimerEnabled(bool enabled) {
  if (enabled) {
    timer_.start();
  } else {
    timer_.stop();
  }
}

}  // namespace murva
