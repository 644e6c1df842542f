// TFormMain, the control panel: the wallpaper pages, the settings tabs, the
// build and close buttons and the information panel. It shows the working
// copy of the settings and hands its events to the run cycle.
#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "app/run_cycle.h"
#include "app/run_view.h"

class QLabel;
class QPushButton;
class QScrollBar;
class QTabWidget;
class QTimer;
class QFrame;

namespace murva {

class ConvenienceTab;
class ExtraSettingsTab;
class TCalendarWidget;
class WallpaperPage;

class TFormMain : public QWidget, public RunView {
  Q_OBJECT

 public:
  explicit TFormMain(RunEnvironment environment, QWidget* parent = nullptr);
  ~TFormMain() override;

  RunCycle& Cycle() { return *cycle_; }

  // FormCreate: the run cycle's start-up, then the calendar control takes
  // the engine it created.
  void Create();
  // Create, then the first activation once the window is shown.
  void Start();

  // RunView
  void SetCaption(const std::string& caption) override;
  void SetStatus(const std::string& text, Color color) override;
  void SetCountdown(int seconds) override;
  void ShowMessage(const std::string& text) override;
  void MinimizeApplication() override;
  void CloseMainWindow() override;
  void Repaint() override;
  void SetTimerEnabled(bool enabled) override;
  void ShowInfoPanel() override;
  void RefreshControls() override;
  void ShowModeIndicator(const std::string& text, Color panel, Color font) override;
  void SetShrunk(bool shrunk, int full_client_height) override;
  int ClientHeight() const override;
  void MarkTestRun() override;
  void HighlightWeekdaySelector(int weekday) override;
  void SetVersionLabels(const std::string& text) override;
  ScreenSize Screen() const override;
  ScreenSize WindowSize() const override;
  void MoveWindow(int left, int top) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildUpperPanel();
  void BuildPages();
  void BuildSettingsTabs();
  void BuildInfoPanel();
  void ConnectPages();
  void ShowLayout();
  void RunGuarded(const std::function<void()>& action);

  // Handlers of the per-page controls (page n is always the shown page).
  void PageControl1Change(int index);
  void PageControl2Change(int index);
  void SpeedButtonPathWClick(int page);
  void SpeedButtonHVClick(int page);
  void SwatchClick(int page, int swatch);
  void SpeedButtonIniClick(int page);
  void Label3DClick(int page);
  void SpeedButtonProRefClick();
  void SpeedButtonHint2Click();

  std::unique_ptr<RunCycle> cycle_;
  QTabWidget* main_tabs_ = nullptr;
  QFrame* upper_panel_ = nullptr;
  QTabWidget* page_control1_ = nullptr;
  QTabWidget* page_control2_ = nullptr;
  std::array<WallpaperPage*, kPageCount> pages_{};
  ConvenienceTab* convenience_tab_ = nullptr;
  ExtraSettingsTab* extra_settings_tab_ = nullptr;
  TCalendarWidget* calendar_ex1_ = nullptr;
  QPushButton* make_button_ = nullptr;
  QPushButton* close_button_ = nullptr;
  QFrame* info_panel_ = nullptr;
  QLabel* info_label_ = nullptr;
  QLabel* wait_panel_ = nullptr;
  QLabel* mode_panel_ = nullptr;
  QLabel* last_page_panel_ = nullptr;
  QLabel* version1_ = nullptr;
  QLabel* version2_ = nullptr;
  QWidget* schedule_panel_ = nullptr;
  std::array<QScrollBar*, 7> layout_bars_{};
  std::array<QLabel*, 3> spacing_panels_{};
  std::array<QLabel*, 4> position_panels_{};
  QTimer* timer_delay_ = nullptr;
  bool closing_ = false;
};

}  // namespace murva
