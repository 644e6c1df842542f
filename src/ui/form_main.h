// TFormMain, the control panel. It composes the strip with the bars and the
// build button, the wallpaper pages, the settings tabs, the information
// panel and the schedule page, shows the working copy through them and hands
// the window's events to the run cycle.
#pragma once

#include <QWidget>
#include <memory>
#include <optional>

#include "app/run_cycle.h"
#include "app/run_view.h"
#include "ui/panel_context.h"

class QTabWidget;
class QTimer;

namespace murva {

class BasicSettingsTab;
class ConvenienceTab;
class ExtraSettingsTab;
class HolidayTab;
class InfoPanel;
class PreviewPanel;
class SchedulePage;
class TabPageMaker;
class TFormMsg;
class TitleTab;
class UpperPanel;
class WallpaperPages;

class TFormMain : public QWidget, public RunView, public PanelContext {
  Q_OBJECT

 public:
  explicit TFormMain(RunEnvironment environment, QWidget* parent = nullptr);
  ~TFormMain() override;

  // FormCreate: the run cycle's start-up, then the calendar control takes
  // the engine it created.
  void Create();
  // Create, then the first activation once the window is shown.
  // On a tiling desktop: the window keeps its own size and floats (a
  // dialog-like window of fixed size) instead of being tiled beside the
  // user's windows. Called before Start.
  void KeepFloating() { floating_ = true; }
  void Start();
  // The dialogs the panel opens (tests answer them through their own).
  void SetDialogs(Dialogs& dialogs);
  // The author's message window, created hidden with the main window (or
  // when first asked for, in an automatic run that makes only what it shows).
  TFormMsg& FormMsg();

  // PanelContext
  RunCycle& Cycle() override { return *cycle_; }
  Dialogs& Dialog() override { return *dialogs_; }
  void Guarded(const std::function<void()>& step) override;
  void PictureChanged() override { emit PictureInputsChanged(); }

  // RunView (ShowMessage, RefreshControls and Screen serve both)
  void SetCaption(const std::string& caption) override;
  void SetStatus(const std::string& text, Color color) override;
  void SetCountdown(int seconds) override;
  void ShowMessage(const std::string& text,
                   MessageIcon icon = MessageIcon::kInformation) override;
  void MinimizeApplication() override;
  void CloseMainWindow() override;
  void Repaint() override;
  void SetTimerEnabled(bool enabled) override;
  void ShowInfoPanel() override;
  void RefreshControls() override;
  void RefreshPagePositions() override;
  void ShowModeIndicator(const std::string& text, Color panel, Color font) override;
  void SetShrunk(bool shrunk, int full_client_height) override;
  int ClientHeight() const override;
  void MarkTestRun() override;
  void HighlightWeekdaySelector(int weekday) override;
  void SetVersionLabels(const std::string& text) override;
  ScreenSize Screen() const override;
  ScreenSize WindowSize() const override;
  void MoveWindow(int left, int top) override;

 signals:
  // A value the wallpaper's picture depends on has changed.
  void PictureInputsChanged();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildCalendarPanel();
  QTabWidget* BuildSettingsTabs();
  QWidget* MakeBasicTab(QWidget* parent);
  QWidget* MakeConvenienceTab(QWidget* parent);
  QWidget* MakeExtraSettingsTab(QWidget* parent);
  void ConnectTabs();
  void PageControl2Change(int index);
  // The area a window may take on the screen: the named screen, or the
  // primary screen without its panels.
  QRect AvailableArea() const;
  // The first size: what the controls ask for, within the screen.
  void FitToScreen();
  void SpeedButtonProRefClick();
  // Whether the window may close now: with unsaved changes the user is
  // asked once whether to save them, not to save them, or to stay.
  bool MayClose();
  // Saves every unsaved part, each as its own save does.
  void SaveEverything();

  // What the run cycle has shown on pages not made yet, for them to show
  // when they are made.
  struct ModeIndicator {
    std::string text;
    Color panel;
    Color font;
  };

  std::unique_ptr<RunCycle> cycle_;
  std::unique_ptr<TabPageMaker> page_maker_;
  Dialogs* dialogs_ = &StandardDialogs();
  UpperPanel* upper_panel_ = nullptr;
  QTabWidget* main_tabs_ = nullptr;
  WallpaperPages* page_control1_ = nullptr;
  QTabWidget* page_control2_ = nullptr;
  BasicSettingsTab* basic_tab_ = nullptr;
  TitleTab* title_tab_ = nullptr;
  ConvenienceTab* convenience_tab_ = nullptr;
  HolidayTab* holiday_tab_ = nullptr;
  ExtraSettingsTab* extra_settings_tab_ = nullptr;
  InfoPanel* info_panel_ = nullptr;
  PreviewPanel* preview_ = nullptr;
  SchedulePage* schedule_page_ = nullptr;
  TFormMsg* form_msg_ = nullptr;
  QTimer* timer_delay_ = nullptr;
  std::optional<ScreenSize> screen_override_;
  // The window's size before it shrank to the strip during a build.
  std::optional<QSize> size_before_shrink_;
  bool closing_ = false;
  // The Esc now on its way was offered to an open list, menu or dialog.
  bool escape_taken_ = false;
  bool created_ = false;    // the run cycle's start-up has run
  bool refreshed_ = false;  // the controls have shown the working copy
  std::optional<std::string> version_text_;
  std::optional<ModeIndicator> mode_indicator_;
  int highlighted_weekday_ = 0;
  bool floating_ = false;
};

}  // namespace murva
