// An automatic run without a window: the run cycle as at every automatic
// start, with a view that shows nothing. Messages go where the caller says
// (standard error and a notice for a run nobody watches; message boxes that
// wait for an answer for "-e" on a desktop that cannot minimise), and the
// countdown, if any, is a desktop notification.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "app/message_icon.h"
#include "app/run_cycle.h"
#include "app/run_view.h"

namespace murva {

class CountdownNotification;

struct HeadlessOptions {
  // Where the run's messages go; waits for the answer when it shows a box.
  std::function<void(const std::string&, MessageIcon)> show_message;
  // A countdown notification (with buttons where the server has them).
  bool notification_countdown = false;
  bool notification_buttons = false;
  // The screen the window would have been placed on (for the run cycle's
  // window placement, which does nothing here).
  ScreenSize screen;
};

class HeadlessRun final : public QObject, public RunView {
 public:
  HeadlessRun(RunEnvironment environment, HeadlessOptions options);
  ~HeadlessRun() override;

  // Runs the automatic run to its end in the application's event loop;
  // returns the program's exit code (0, or kExitRunFailed when it built or
  // installed nothing).
  int Exec();
  // The run cycle, for a stop signal and for tests.
  RunCycle& Cycle() { return *cycle_; }
  // Ends the run between two steps, as closing the window would.
  void Stop();

  // RunView
  void SetCaption(const std::string&) override {}
  void SetStatus(const std::string&, Color) override {}
  void SetCountdown(int seconds) override;
  void ShowMessage(const std::string& text, MessageIcon icon) override;
  void MinimizeApplication() override {}
  void CloseMainWindow() override;
  void Repaint() override {}
  void SetTimerEnabled(bool enabled) override;
  void ShowInfoPanel() override {}
  void RefreshControls() override {}
  void RefreshPagePositions() override {}
  void ShowModeIndicator(const std::string&, Color, Color) override {}
  void SetShrunk(bool, int) override {}
  int ClientHeight() const override { return 0; }
  void MarkTestRun() override {}
  void HighlightWeekdaySelector(int) override {}
  void SetVersionLabels(const std::string&) override {}
  ScreenSize Screen() const override { return options_.screen; }
  ScreenSize WindowSize() const override { return {0, 0}; }
  void MoveWindow(int, int) override {}

 private:
  HeadlessOptions options_;
  std::unique_ptr<RunCycle> cycle_;
  QTimer timer_;
  std::unique_ptr<CountdownNotification> countdown_;
  bool closed_ = false;
};

}  // namespace murva
