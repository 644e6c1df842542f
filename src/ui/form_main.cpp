#include "ui/form_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "app/messages.h"
#include "app/monitor_pages.h"
#include "app/unsaved_edits.h"
#include "app/tile_explanation.h"
#include "ui/application_look.h"
#include "ui/basic_settings_tab.h"
#include "ui/browse_shortcut.h"
#include "ui/calendar_widget.h"
#include "ui/convenience_tab.h"
#include "ui/extra_settings_tab.h"
#include "ui/form_msg.h"
#include "ui/holiday_tab.h"
#include "ui/info_panel.h"
#include "ui/pending_tab.h"
#include "ui/preview_panel.h"
#include "ui/qt_colors.h"
#include "ui/schedule_explanation_tab.h"
#include "ui/schedule_page.h"
#include "ui/title_tab.h"
#include "ui/upper_panel.h"
#include "ui/wallpaper_pages.h"

namespace murva {

TFormMain::TFormMain(RunEnvironment environment, QWidget* parent) : QWidget(parent) {
  setObjectName("FormMain");
  setWindowTitle(text::kApplicationTitle);
  setWindowIcon(ApplicationIcon());
  screen_override_ = environment.screen;
  const std::filesystem::path sizes_file = environment.page_sizes_file;
  cycle_ = std::make_unique<RunCycle>(*this, std::move(environment));
  // An automatic run makes only the pages it shows, when the sizes of the
  // others are known from an earlier start on this desktop, for the area
  // the window is fitted into.
  const QRect area = AvailableArea();
  std::string sizes_key = sizes_file.empty() ? std::string() : PageSizeKey();
  if (!sizes_key.empty()) {
    sizes_key += " area " + std::to_string(area.width()) + "x" + std::to_string(area.height());
  }
  std::optional<PageSizes> remembered;
  if (cycle_->IsAutomaticStart() && !sizes_key.empty()) {
    remembered = PageSizes::Read(sizes_file, sizes_key, {area.width(), area.height()});
  }
  page_maker_ = std::make_unique<TabPageMaker>(std::move(remembered));

  auto* layout = new QVBoxLayout(this);
  upper_panel_ = new UpperPanel(*this, this);
  layout->addWidget(upper_panel_);

  main_tabs_ = new QTabWidget(this);
  main_tabs_->setObjectName("PageControlMain");
  main_tabs_->addTab(BuildCalendarPanel(), "  カレンダ機能パネル  ");
  page_maker_->AddPage(*main_tabs_, "main.schedule", " スケジュール機能パネル ",
                       [this](QWidget* parent) {
                         schedule_page_ = new SchedulePage(*this, parent);
                         if (refreshed_) schedule_page_->Show();
                         return schedule_page_;
                       });
  page_maker_->AddPage(*main_tabs_, "main.explanation", "  予定入力形式の解説  ",
                       [](QWidget* parent) { return new ScheduleExplanationTab(parent); });
  connect(main_tabs_, &QTabWidget::currentChanged, this,
          [this](int index) { MakePendingPage(*main_tabs_, index); });
  layout->addWidget(main_tabs_, 1);

  timer_delay_ = new QTimer(this);
  timer_delay_->setObjectName("TimerDelay");
  timer_delay_->setInterval(1000);
  connect(timer_delay_, &QTimer::timeout, this, [this] { cycle_->TimerDelayTimer(); });

  // TFormMsg: created with the main window, hidden until asked for (an
  // automatic run that makes only what it shows makes it when asked for).
  if (!page_maker_->Pending()) FormMsg();
  new BrowseShortcut(*this);
  qApp->installEventFilter(this);
  ConnectTabs();
  FitToScreen();
  if (!page_maker_->Pending() && !sizes_key.empty()) {
    page_maker_->Measure(sizes_key).Write(sizes_file);
  }
}

void TFormMain::SetDialogs(Dialogs& dialogs) {
  dialogs_ = &dialogs;
  if (form_msg_) form_msg_->SetDialogs(dialogs);
}

TFormMsg& TFormMain::FormMsg() {
  if (!form_msg_) {
    form_msg_ = new TFormMsg(this);
    form_msg_->SetDialogs(*dialogs_);
  }
  return *form_msg_;
}

TFormMain::~TFormMain() = default;

// The first large tab: the wallpaper pages on top with the preview beside
// them, the settings tabs below across the whole width. The preview takes
// every pixel the window has to spare, across and down; the pages and the
// tabs keep the size their controls ask for. The information panel of an
// automatic run or a test run appears under the preview and takes its room,
// never the settings tabs'.
QWidget* TFormMain::BuildCalendarPanel() {
  auto* panel = new QWidget(main_tabs_);
  auto* layout = new QGridLayout(panel);
  layout->setContentsMargins(4, 4, 4, 4);
  page_control1_ = new WallpaperPages(*this, *upper_panel_, *page_maker_, panel);
  // The preview stands beside the wallpaper pages.
  const auto bar = [this](const char* name) { return upper_panel_->findChild<QScrollBar*>(name); };
  preview_ = new PreviewPanel(*this,
                              {bar("ScrollBarCalLeft"), bar("ScrollBarCalTop"),
                               bar("ScrollBarSchLeft"), bar("ScrollBarSchTop")},
                              panel);
  info_panel_ = new InfoPanel(panel);
  auto* beside = new QVBoxLayout;
  beside->setContentsMargins(0, 0, 0, 0);
  beside->addWidget(preview_, 1);
  beside->addWidget(info_panel_);
  layout->addWidget(page_control1_, 0, 0, Qt::AlignTop);
  layout->addLayout(beside, 0, 1);
  layout->addWidget(BuildSettingsTabs(), 1, 0, 1, 2);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(0, 1);
  return panel;
}

QRect TFormMain::AvailableArea() const {
  if (screen_override_) return {0, 0, screen_override_->width, screen_override_->height};
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

void TFormMain::FitToScreen() {
  // Room for the window frame the desktop adds around the client area.
  constexpr int kFrameWidth = 16;
  constexpr int kFrameHeight = 48;
  layout()->activate();
  const QRect area = AvailableArea();
  const QSize room(area.width() - kFrameWidth, area.height() - kFrameHeight);
  resize(sizeHint().boundedTo(room).expandedTo(minimumSizeHint()));
}

QTabWidget* TFormMain::BuildSettingsTabs() {
  page_control2_ = new QTabWidget(this);
  page_control2_->setObjectName("PageControl2");
  const auto add = [this](int number, const char* label, const PageFactory& factory) {
    page_maker_->AddPage(*page_control2_, "settings." + std::to_string(number),
                         QString::fromUtf8(label), factory);
  };
  add(1, "基本の設定", [this](QWidget* parent) { return MakeBasicTab(parent); });
  add(2, "タイトル入力", [this](QWidget* parent) {
    title_tab_ = new TitleTab(*this, parent);
    if (refreshed_) title_tab_->Show();
    return title_tab_;
  });
  add(3, "便利な設定", [this](QWidget* parent) { return MakeConvenienceTab(parent); });
  add(4, "休日の設定", [this](QWidget* parent) {
    holiday_tab_ = new HolidayTab(*this, parent);
    if (created_) holiday_tab_->CalendarEx1().SetCalendar(&cycle_->Engine());
    if (refreshed_) holiday_tab_->Show();
    return holiday_tab_;
  });
  add(5, "特別な設定", [this](QWidget* parent) { return MakeExtraSettingsTab(parent); });
  return page_control2_;
}

QWidget* TFormMain::MakeBasicTab(QWidget* parent) {
  basic_tab_ = new BasicSettingsTab(*this, parent);
  connect(basic_tab_, &BasicSettingsTab::MessageWindowRequested, this,
          [this] { FormMsg().ShowMessageWindow(); });
  if (version_text_) basic_tab_->SetVersionLabel(*version_text_);
  if (mode_indicator_) {
    basic_tab_->ShowModeIndicator(mode_indicator_->text, mode_indicator_->panel,
                                  mode_indicator_->font);
  }
  if (refreshed_) basic_tab_->Show();
  return basic_tab_;
}

QWidget* TFormMain::MakeConvenienceTab(QWidget* parent) {
  convenience_tab_ = new ConvenienceTab(cycle_->Copy(), parent);
  convenience_tab_->setObjectName("TabSheetS3");
  convenience_tab_->SetMonitors(MonitorsOrScreen(cycle_->Monitors(), Screen().width, Screen().height));
  connect(convenience_tab_, &ConvenienceTab::ModeChanged, this,
          [this] { cycle_->ComboBoxWalUseDspChange(); });
  connect(convenience_tab_, &ConvenienceTab::TileToggled, this, [this](bool on) {
    ShowMessage(on ? std::string(text::kTileOn)
                   : TileOffExplanation(DetectDesktop(ProcessEnvironment())));
    PictureChanged();
  });
  connect(convenience_tab_, &ConvenienceTab::PictureValueChanged, this,
          &TFormMain::PictureChanged);
  connect(convenience_tab_, &ConvenienceTab::MakeOnlyToggled, this, [this](bool on) {
    ShowMessage(on ? text::kMakeOnlyOn : text::kMakeOnlyOff);
  });
  connect(convenience_tab_, &ConvenienceTab::SaveClicked, this, [this] {
    Guarded([this] { cycle_->Store().SaveConveniencePage(cycle_->Copy()); });
  });
  if (highlighted_weekday_ != 0) convenience_tab_->HighlightWeekday(highlighted_weekday_);
  if (refreshed_) convenience_tab_->Show();
  return convenience_tab_;
}

QWidget* TFormMain::MakeExtraSettingsTab(QWidget* parent) {
  extra_settings_tab_ = new ExtraSettingsTab(cycle_->Copy(), parent);
  extra_settings_tab_->setObjectName("TabSheetS5");
  connect(extra_settings_tab_, &ExtraSettingsTab::PictureValueChanged, this,
          &TFormMain::PictureChanged);
  connect(extra_settings_tab_, &ExtraSettingsTab::BrowseClicked, this,
          &TFormMain::SpeedButtonProRefClick);
  connect(extra_settings_tab_, &ExtraSettingsTab::SaveClicked, this, [this] {
    Guarded([this] { cycle_->Store().SaveSpecialPage(cycle_->Copy()); });
  });
  connect(extra_settings_tab_, &ExtraSettingsTab::SetClicked, this, [this](SettingsSet set) {
    Guarded([this, set] {
      cycle_->Copy().chosen_set = set;
      const std::string warning = cycle_->Store().SwitchSet(cycle_->Copy(), set);
      RefreshControls();
      if (!warning.empty()) ShowMessage(warning, MessageIcon::kWarning);
    });
  });
  if (refreshed_) extra_settings_tab_->Show();
  return extra_settings_tab_;
}

void TFormMain::ConnectTabs() {
  connect(upper_panel_, &UpperPanel::MakeClicked, this, [this] { cycle_->SpeedButtonMakeClick(); });
  connect(upper_panel_, &UpperPanel::MakeRightClicked, this,
          [this] { cycle_->SpeedButtonMakeRightClick(); });
  connect(upper_panel_, &UpperPanel::CloseClicked, this, [this] { cycle_->ButtonCloseClick(); });
  connect(page_control2_, &QTabWidget::currentChanged, this, &TFormMain::PageControl2Change);
  connect(this, &TFormMain::PictureInputsChanged, preview_, &PreviewPanel::Invalidate);
}

void TFormMain::Guarded(const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& error) {
    ShowMessage(error.what(), MessageIcon::kError);
  }
  RefreshControls();
}

void TFormMain::Create() {
  cycle_->FormCreate();
  created_ = true;
  if (holiday_tab_) holiday_tab_->CalendarEx1().SetCalendar(&cycle_->Engine());
}

void TFormMain::Start() {
  Create();
  if (floating_) {
    setWindowFlag(Qt::Dialog, true);
    setFixedSize(size());
  }
  show();
  // The run is decided when the window has come up.
  QTimer::singleShot(0, this, [this] { cycle_->FormActivate(); });
}

// --- RunView ---------------------------------------------------------------

void TFormMain::SetCaption(const std::string& caption) { setWindowTitle(ToQString(caption)); }

void TFormMain::SetStatus(const std::string& text, Color color) { info_panel_->SetStatus(text, color); }

void TFormMain::SetCountdown(int seconds) { info_panel_->SetCountdown(seconds); }

void TFormMain::ShowMessage(const std::string& text, MessageIcon icon) {
  dialogs_->Message(this, MessageText(text), icon);
}

void TFormMain::MinimizeApplication() { showMinimized(); }

void TFormMain::CloseMainWindow() {
  timer_delay_->stop();
  // Closing from inside a handler: the handler finishes first, then the
  // window closes and the program ends.
  QTimer::singleShot(0, this, [this] { close(); });
}

void TFormMain::Repaint() { repaint(); }

void TFormMain::SetTimerEnabled(bool enabled) {
  if (enabled) {
    timer_delay_->start();
  } else {
    timer_delay_->stop();
  }
}

void TFormMain::ShowInfoPanel() { info_panel_->show(); }

void TFormMain::RefreshControls() {
  refreshed_ = true;
  {
    const QSignalBlocker block(page_control2_);
    page_control2_->setCurrentIndex(cycle_->Copy().settings_page - 1);
  }
  MakePendingPage(*page_control2_, page_control2_->currentIndex());
  page_control1_->Show();
  upper_panel_->Show();
  // Pages not made yet show the working copy when they are made.
  if (basic_tab_) basic_tab_->Show();
  if (title_tab_) title_tab_->Show();
  if (convenience_tab_) convenience_tab_->Show();
  if (holiday_tab_) holiday_tab_->Show();
  if (extra_settings_tab_) extra_settings_tab_->Show();
  if (schedule_page_) schedule_page_->Show();
  // What the controls show may have been loaded anew: the preview follows.
  PictureChanged();
}

void TFormMain::RefreshPagePositions() { page_control1_->RefreshPagePositions(); }

void TFormMain::ShowModeIndicator(const std::string& text, Color panel, Color font) {
  mode_indicator_ = ModeIndicator{text, panel, font};
  if (basic_tab_) basic_tab_->ShowModeIndicator(text, panel, font);
}

void TFormMain::SetShrunk(bool shrunk, int full_client_height) {
  upper_panel_->SetShrunk(shrunk);
  // The minimum size is the layout's own throughout: it follows what is
  // shown (the strip alone, or everything), so that the window can never be
  // made smaller than its controls. Only the greatest height is set here.
  if (shrunk) {
    if (!size_before_shrink_) size_before_shrink_ = size();
    main_tabs_->hide();
    layout()->activate();
    const int strip = layout()->totalSizeHint().height();
    setMaximumHeight(strip);
    resize(width(), strip);
    return;
  }
  setMaximumHeight(QWIDGETSIZE_MAX);
  main_tabs_->show();
  layout()->activate();
  // Exactly the size the window had before it shrank.
  const int width_before = size_before_shrink_ ? size_before_shrink_->width() : width();
  size_before_shrink_.reset();
  resize(width_before, full_client_height);
}

int TFormMain::ClientHeight() const { return height(); }

void TFormMain::MarkTestRun() { upper_panel_->MarkTestRun(); }

void TFormMain::HighlightWeekdaySelector(int weekday) {
  highlighted_weekday_ = weekday;
  if (convenience_tab_) convenience_tab_->HighlightWeekday(weekday);
}

void TFormMain::SetVersionLabels(const std::string& text) {
  version_text_ = text;
  if (basic_tab_) basic_tab_->SetVersionLabel(text);
  info_panel_->SetVersionLabel(text);
}

ScreenSize TFormMain::Screen() const {
  if (screen_override_) return *screen_override_;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  const QSize size = screen->geometry().size() * screen->devicePixelRatio();
  return {size.width(), size.height()};
}

// The run cycle places the window on the screen of Screen(), in device
// pixels; Qt places windows in its scaled pixels. Both sides of the
// placement (size, position and the stored position) are converted here.
ScreenSize TFormMain::WindowSize() const {
  const double ratio = devicePixelRatioF();
  return {static_cast<int>(std::lround(width() * ratio)),
          static_cast<int>(std::lround(height() * ratio))};
}

// The stored position is the window frame's, as the desktop shows it; a
// window not yet shown places its frame there once the frame is known.
void TFormMain::MoveWindow(int left, int top) {
  const double ratio = devicePixelRatioF();
  move(static_cast<int>(std::lround(left / ratio)), static_cast<int>(std::lround(top / ratio)));
}

// --- Events ------------------------------------------------------------------

// Esc presses the close button only when no control wanted the key: an open
// list, menu or dialog takes it first (they are windows of their own), and
// so does an editor in a grid cell. What the focused control leaves unused
// comes up to the window here.
void TFormMain::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    event->accept();
    if (!escape_taken_) cycle_->ButtonCloseClick();
    return;
  }
  QWidget::keyPressEvent(event);
}

// An open list closes itself already while Esc is offered to the shortcuts,
// before the key press is delivered; the press may then come up to this
// window as one that nobody used. Whether a list, menu or dialog was open
// is noted here, where every key event passes first, for the press that is
// being delivered now (the note is gone by the next pass of the event loop).
bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride && !escape_taken_ &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    const QWidget* modal = QApplication::activeModalWidget();
    if (QApplication::activePopupWidget() != nullptr || (modal != nullptr && modal != this)) {
      escape_taken_ = true;
      QTimer::singleShot(0, this, [this] { escape_taken_ = false; });
    }
  }
  return QWidget::eventFilter(watched, event);
}

bool TFormMain::MayClose() {
  // An automatic run (and whatever ends it) closes without a question:
  // nobody may be there to answer.
  if (!created_ || cycle_->IsAutomaticStart()) return true;
  UnsavedEdits& edits = cycle_->Edits();
  const std::vector<std::string> parts = edits.UnsavedParts(cycle_->Copy());
  if (parts.empty()) return true;
  switch (dialogs_->AskSaveChanges(this, MessageText(UnsavedEdits::CloseQuestion(parts)))) {
    case SaveChoice::kCancel: return false;
    case SaveChoice::kDiscard: return true;
    case SaveChoice::kSave: break;
  }
  SaveEverything();
  // A save that failed was shown; the window stays with what is unsaved.
  return !edits.Any(cycle_->Copy());
}

void TFormMain::SaveEverything() {
  Guarded([this] { cycle_->Edits().SaveBasicAndPages(cycle_->Copy(), cycle_->Store()); });
  // The tabs with a save button save as their button does.
  for (const char* name : {"SpeedButtonSave", "SpeedButtonSaveHoliday", "SpeedButtonProSave",
                           "SpeedButtonSaveSch"}) {
    auto* button = findChild<QPushButton*>(name);
    if (button && button->isEnabled()) button->click();
  }
}

void TFormMain::closeEvent(QCloseEvent* event) {
  if (!closing_ && !MayClose()) {
    event->ignore();
    return;
  }
  timer_delay_->stop();
  if (!closing_) {
    closing_ = true;
    // The frame's position, which MoveWindow places again at the next start.
    const double ratio = devicePixelRatioF();
    cycle_->FormClose(static_cast<int>(std::lround(frameGeometry().x() * ratio)),
                      static_cast<int>(std::lround(frameGeometry().y() * ratio)));
  }
  event->accept();
}

void TFormMain::PageControl2Change(int index) {
  // The tab shows its unsaved edits as they are, with its save button
  // still enabled.
  cycle_->Copy().settings_page = index + 1;
  RefreshControls();
}

void TFormMain::SpeedButtonProRefClick() {
  const std::string& current = cycle_->Copy().special_program;
  const QString folder =
      current.empty() ? QString() : QFileInfo(ToQString(current)).absolutePath();
  const QString file = dialogs_->OpenFileName(this, folder, "プログラム (*)");
  if (file.isEmpty()) return;
  cycle_->Copy().special_program = file.toStdString();
  cycle_->Copy().special_save_enabled = true;
  RefreshControls();
}

}  // namespace murva
