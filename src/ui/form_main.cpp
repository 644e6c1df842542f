#include "ui/form_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/messages.h"
#include "settings/setting_keys.h"
#include "ui/calendar_widget.h"
#include "ui/convenience_tab.h"
#include "ui/extra_settings_tab.h"
#include "ui/qt_colors.h"
#include "ui/wallpaper_page.h"

namespace murva {
namespace {

struct BarInfo {
  const char* name;
  const char* label;
  const char* hint;
  int maximum;  // 0: the screen's height or width
  int page_step;
  int PageLayout::*field;
};
constexpr BarInfo kBars[] = {
    {"ScrollBarCalTop", "上から", "", 1200, 10, &PageLayout::calendar_y},
    {"ScrollBarCalLeft", "左から", "", 1600, 10, &PageLayout::calendar_x},
    {"ScrollBarSchTop", "上から", "", 1200, 10, &PageLayout::schedule_y},
    {"ScrollBarSchLeft", "左から", "", 1600, 10, &PageLayout::schedule_x},
    {"ScrollBarMonth", "月間", "月の間隔", 200, 10, &PageLayout::month_spacing},
    {"ScrollBarLine", "行間", "行の間隔", 50, 5, &PageLayout::line_spacing},
    {"ScrollBarChar", "日間", "日にちの間隔", 50, 5, &PageLayout::day_spacing},
};
constexpr const char* kPositionPanels[] = {"PanelCY", "PanelCX", "PanelSY", "PanelSX"};
constexpr const char* kSpacingPanels[] = {"PanelMonth", "PanelLine", "PanelStr"};

QLabel* MakePanel(QWidget* parent, const char* name, const QString& text = {}) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setFrameShape(QFrame::Panel);
  label->setFrameShadow(QFrame::Sunken);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

QString ColorSheet(Color background, Color font) {
  return QString("background-color: %1; color: %2;")
      .arg(ToQColor(background).name(), ToQColor(font).name());
}

}  // namespace

TFormMain::TFormMain(RunEnvironment environment, QWidget* parent) : QWidget(parent) {
  setObjectName("FormMain");
  setWindowTitle(text::kApplicationTitle);
  cycle_ = std::make_unique<RunCycle>(*this, std::move(environment));

  auto* layout = new QVBoxLayout(this);
  BuildUpperPanel();
  layout->addWidget(upper_panel_);

  main_tabs_ = new QTabWidget(this);
  main_tabs_->setObjectName("PageControlMain");
  auto* calendar_panel = new QWidget(main_tabs_);
  auto* calendar_layout = new QVBoxLayout(calendar_panel);
  BuildPages();
  BuildSettingsTabs();
  BuildInfoPanel();
  calendar_layout->addWidget(page_control1_);
  calendar_layout->addWidget(page_control2_);
  calendar_layout->addWidget(info_panel_);
  main_tabs_->addTab(calendar_panel, "  カレンダ機能パネル  ");
  layout->addWidget(main_tabs_);

  // The schedule panel; its editor joins it later.
  schedule_panel_ = new QWidget(this);
  schedule_panel_->setObjectName("PanelBaseD");
  layout->addWidget(schedule_panel_);

  timer_delay_ = new QTimer(this);
  timer_delay_->setObjectName("TimerDelay");
  timer_delay_->setInterval(1000);
  connect(timer_delay_, &QTimer::timeout, this, [this] { cycle_->TimerDelayTimer(); });

  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, [this] { cycle_->ButtonCloseClick(); });
  ConnectPages();
}

TFormMain::~TFormMain() = default;

void TFormMain::BuildUpperPanel() {
  upper_panel_ = new QFrame(this);
  upper_panel_->setObjectName("PanelUpper");
  upper_panel_->setFrameShape(QFrame::StyledPanel);
  auto* layout = new QGridLayout(upper_panel_);
  layout->addWidget(new QLabel("カレンダ", upper_panel_), 0, 0);
  layout->addWidget(new QLabel("予定", upper_panel_), 1, 0);
  for (int i = 0; i < 7; ++i) {
    const BarInfo& info = kBars[i];
    auto* bar = new QScrollBar(Qt::Horizontal, upper_panel_);
    bar->setObjectName(info.name);
    bar->setRange(0, info.maximum);
    bar->setPageStep(info.page_step);
    bar->setMinimumWidth(90);
    if (*info.hint) bar->setToolTip(info.hint);
    layout_bars_[i] = bar;
    const int row = i < 4 ? i / 2 : 2;
    const int column = i < 4 ? (i % 2) * 3 + 1 : (i - 4) * 3 + 1;
    if (i < 4) {
      // The read-outs PanelCY.. lie over the labels; they show while shrunk.
      auto* label = new QLabel(info.label, upper_panel_);
      position_panels_[i] = MakePanel(upper_panel_, kPositionPanels[i]);
      position_panels_[i]->hide();
      layout->addWidget(label, row, column);
      layout->addWidget(position_panels_[i], row, column);
    } else {
      layout->addWidget(new QLabel(info.label, upper_panel_), row, column);
      spacing_panels_[i - 4] = MakePanel(upper_panel_, kSpacingPanels[i - 4]);
      layout->addWidget(spacing_panels_[i - 4], row, column + 2);
    }
    layout->addWidget(bar, row, column + 1);
    connect(bar, &QScrollBar::valueChanged, this, [this, i](int value) {
      cycle_->Copy().layout.*kBars[i].field = value;
      ShowLayout();
    });
  }

  make_button_ = new QPushButton("作成(&M)", upper_panel_);
  make_button_->setObjectName("SpeedButtonMake");
  make_button_->installEventFilter(this);
  close_button_ = new QPushButton(text::kCloseCaption, upper_panel_);
  close_button_->setObjectName("ButtonClose");
  close_button_->setToolTip(text::kCloseHint);
  QFont bold = close_button_->font();
  bold.setBold(true);
  close_button_->setFont(bold);
  layout->addWidget(make_button_, 0, 7, 2, 1);
  layout->addWidget(close_button_, 0, 8);
  connect(make_button_, &QPushButton::clicked, this, [this] { cycle_->SpeedButtonMakeClick(); });
  connect(close_button_, &QPushButton::clicked, this, [this] { cycle_->ButtonCloseClick(); });
}

void TFormMain::BuildPages() {
  page_control1_ = new QTabWidget(this);
  page_control1_->setObjectName("PageControl1");
  for (int page = 1; page <= kPageCount; ++page) {
    auto* sheet = new WallpaperPage(page, page_control1_);
    sheet->setObjectName(QString("TabSheetW%1").arg(page));
    pages_[page - 1] = sheet;
    page_control1_->addTab(sheet, QString("壁紙 %1").arg(QChar(0xFF10 + page)));
  }
}

void TFormMain::BuildSettingsTabs() {
  WorkingCopy& copy = cycle_->Copy();
  page_control2_ = new QTabWidget(this);
  page_control2_->setObjectName("PageControl2");

  auto* basic = new QWidget(page_control2_);
  basic->setObjectName("TabSheetS1");
  auto* basic_layout = new QGridLayout(basic);
  mode_panel_ = MakePanel(basic, "PanelModeDsp");
  version1_ = new QLabel(basic);
  version1_->setObjectName("LabelVer1");
  last_page_panel_ = MakePanel(basic, "PanelWallInd");
  basic_layout->addWidget(mode_panel_, 0, 0);
  basic_layout->addWidget(new QLabel("前回の壁紙", basic), 0, 1);
  basic_layout->addWidget(last_page_panel_, 0, 2);
  basic_layout->addWidget(version1_, 0, 3);
  basic_layout->setRowStretch(1, 1);
  page_control2_->addTab(basic, "基本の設定");

  auto* titles = new QWidget(page_control2_);
  titles->setObjectName("TabSheetS2");
  auto* title_layout = new QGridLayout(titles);
  auto* hint = new QPushButton("説明", titles);
  hint->setObjectName("SpeedButtonHint2");
  connect(hint, &QPushButton::clicked, this, [this] { SpeedButtonHint2Click(); });
  title_layout->addWidget(new QLabel("「基本の設定」とこのページの設定は作成時に自動保存されます", titles), 0, 0);
  title_layout->addWidget(hint, 0, 1);
  title_layout->setRowStretch(1, 1);
  page_control2_->addTab(titles, "タイトル入力");

  convenience_tab_ = new ConvenienceTab(copy, page_control2_);
  convenience_tab_->setObjectName("TabSheetS3");
  page_control2_->addTab(convenience_tab_, "便利な設定");

  auto* holidays = new QWidget(page_control2_);
  holidays->setObjectName("TabSheetS4");
  auto* holiday_layout = new QVBoxLayout(holidays);
  holiday_layout->addWidget(
      new QLabel("設定を保存したら一度終了してください．次の起動時から有効になります．", holidays));
  holiday_layout->addStretch(1);
  // The drawing code's calendar engine lives here, outside the visible area.
  calendar_ex1_ = new TCalendarWidget(holidays);
  calendar_ex1_->setObjectName("CalendarEx1");
  calendar_ex1_->setGeometry(-1000, -1000, 180, 150);
  page_control2_->addTab(holidays, "休日の設定");

  extra_settings_tab_ = new ExtraSettingsTab(copy, page_control2_);
  extra_settings_tab_->setObjectName("TabSheetS5");
  page_control2_->addTab(extra_settings_tab_, "特別な設定");
}

void TFormMain::BuildInfoPanel() {
  info_panel_ = new QFrame(this);
  info_panel_->setObjectName("PanelInfo");
  info_panel_->setFrameShape(QFrame::StyledPanel);
  info_panel_->setStyleSheet("QFrame#PanelInfo { background-color: #000080; }");
  auto* layout = new QHBoxLayout(info_panel_);
  info_label_ = new QLabel(info_panel_);
  info_label_->setObjectName("LabelInfo");
  version2_ = new QLabel(info_panel_);
  version2_->setObjectName("LabelVer2");
  version2_->setStyleSheet("color: white;");
  wait_panel_ = MakePanel(info_panel_, "PanelWait");
  wait_panel_->setStyleSheet("color: yellow;");
  layout->addWidget(info_label_, 1);
  layout->addWidget(version2_);
  layout->addWidget(wait_panel_);
  info_panel_->hide();
}

void TFormMain::ConnectPages() {
  connect(page_control1_, &QTabWidget::currentChanged, this, &TFormMain::PageControl1Change);
  connect(page_control2_, &QTabWidget::currentChanged, this, &TFormMain::PageControl2Change);
  for (WallpaperPage* page : pages_) {
    connect(page, &WallpaperPage::PathEdited, this, [this](int n, const QString& path) {
      cycle_->Copy().pages[n - 1].path = path.toStdString();
    });
    connect(page, &WallpaperPage::BrowseClicked, this, &TFormMain::SpeedButtonPathWClick);
    connect(page, &WallpaperPage::OrientationClicked, this, &TFormMain::SpeedButtonHVClick);
    connect(page, &WallpaperPage::ColorClicked, this, &TFormMain::SwatchClick);
    connect(page, &WallpaperPage::InitialColorsClicked, this, &TFormMain::SpeedButtonIniClick);
    connect(page, &WallpaperPage::ShadowClicked, this, &TFormMain::Label3DClick);
  }
  connect(convenience_tab_, &ConvenienceTab::ModeChanged, this,
          [this] { cycle_->ComboBoxWalUseDspChange(); });
  connect(convenience_tab_, &ConvenienceTab::TileToggled, this, [this](bool on) {
    ShowMessage(on ? text::kTileOn : text::kTileOff);
  });
  connect(convenience_tab_, &ConvenienceTab::MakeOnlyToggled, this, [this](bool on) {
    ShowMessage(on ? text::kMakeOnlyOn : text::kMakeOnlyOff);
  });
  connect(convenience_tab_, &ConvenienceTab::SaveClicked, this, [this] {
    RunGuarded([this] { cycle_->Store().SaveConveniencePage(cycle_->Copy()); });
  });
  connect(extra_settings_tab_, &ExtraSettingsTab::BrowseClicked, this, &TFormMain::SpeedButtonProRefClick);
  connect(extra_settings_tab_, &ExtraSettingsTab::SaveClicked, this, [this] {
    RunGuarded([this] { cycle_->Store().SaveSpecialPage(cycle_->Copy()); });
  });
  connect(extra_settings_tab_, &ExtraSettingsTab::SetClicked, this, [this](SettingsSet set) {
    RunGuarded([this, set] {
      cycle_->Copy().chosen_set = set;
      const std::string warning = cycle_->Store().SwitchSet(cycle_->Copy(), set);
      RefreshControls();
      if (!warning.empty()) ShowMessage(warning);
    });
  });
}

void TFormMain::RunGuarded(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& error) {
    ShowMessage(error.what());
  }
  RefreshControls();
}

void TFormMain::Create() {
  cycle_->FormCreate();
  calendar_ex1_->SetCalendar(&cycle_->Engine());
}

void TFormMain::Start() {
  Create();
  show();
  // The run is decided when the window has come up.
  QTimer::singleShot(0, this, [this] { cycle_->FormActivate(); });
}

// --- RunView ---------------------------------------------------------------

void TFormMain::SetCaption(const std::string& caption) { setWindowTitle(ToQString(caption)); }

void TFormMain::SetStatus(const std::string& text, Color color) {
  info_label_->setText(ToQString(text));
  info_label_->setStyleSheet(QString("color: %1;").arg(ToQColor(color).name()));
}

void TFormMain::SetCountdown(int seconds) { wait_panel_->setText(QString::number(seconds)); }

void TFormMain::ShowMessage(const std::string& text) {
  QMessageBox box(QMessageBox::Information, text::kApplicationTitle, MessageText(text),
                  QMessageBox::Ok, this);
  box.setObjectName("MessageBox");
  box.exec();
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

void TFormMain::ShowLayout() {
  const PageLayout& layout = cycle_->Copy().layout;
  for (int i = 0; i < 7; ++i) {
    const QSignalBlocker block(layout_bars_[i]);
    layout_bars_[i]->setValue(layout.*kBars[i].field);
  }
  const int positions[] = {layout.calendar_y, layout.calendar_x, layout.schedule_y,
                           layout.schedule_x};
  for (int i = 0; i < 4; ++i) position_panels_[i]->setText(QString::number(positions[i]));
  spacing_panels_[0]->setText(QString::number(layout.month_spacing));
  spacing_panels_[1]->setText(QString::number(layout.line_spacing));
  spacing_panels_[2]->setText(QString::number(layout.day_spacing));
}

void TFormMain::RefreshControls() {
  const WorkingCopy& copy = cycle_->Copy();
  {
    const QSignalBlocker block(page_control1_);
    page_control1_->setCurrentIndex(copy.wallpaper_page - 1);
  }
  {
    const QSignalBlocker block(page_control2_);
    page_control2_->setCurrentIndex(copy.settings_page - 1);
  }
  for (int page = 1; page <= kPageCount; ++page) pages_[page - 1]->Show(copy.pages[page - 1]);
  ShowLayout();
  convenience_tab_->Show();
  extra_settings_tab_->Show();
  last_page_panel_->setText(ToQString(copy.last_used_page));
}

void TFormMain::ShowModeIndicator(const std::string& text, Color panel, Color font) {
  mode_panel_->setText(ToQString(text));
  mode_panel_->setStyleSheet(ColorSheet(panel, font));
}

void TFormMain::SetShrunk(bool shrunk, int full_client_height) {
  close_button_->setText(shrunk ? text::kRestoreCaption : text::kCloseCaption);
  close_button_->setToolTip(shrunk ? text::kRestoreHint : text::kCloseHint);
  QFont font = close_button_->font();
  font.setBold(!shrunk);
  close_button_->setFont(font);
  for (QLabel* panel : position_panels_) panel->setVisible(shrunk);
  main_tabs_->setVisible(!shrunk);
  schedule_panel_->setVisible(!shrunk);
  if (shrunk) {
    setFixedHeight(upper_panel_->sizeHint().height() + 2 * layout()->contentsMargins().top());
  } else {
    setMinimumHeight(0);
    setMaximumHeight(QWIDGETSIZE_MAX);
    resize(width(), full_client_height);
  }
}

int TFormMain::ClientHeight() const { return height(); }

void TFormMain::MarkTestRun() { make_button_->setStyleSheet("color: #ffff00;"); }

void TFormMain::HighlightWeekdaySelector(int weekday) { convenience_tab_->HighlightWeekday(weekday); }

void TFormMain::SetVersionLabels(const std::string& text) {
  version1_->setText(ToQString(text));
  version2_->setText(ToQString(text));
}

ScreenSize TFormMain::Screen() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  const QSize size = screen->geometry().size() * screen->devicePixelRatio();
  return {size.width(), size.height()};
}

ScreenSize TFormMain::WindowSize() const { return {width(), height()}; }

void TFormMain::MoveWindow(int left, int top) { move(left, top); }

// --- Events ------------------------------------------------------------------

void TFormMain::closeEvent(QCloseEvent* event) {
  timer_delay_->stop();
  if (!closing_) {
    closing_ = true;
    cycle_->FormClose(x(), y());
  }
  event->accept();
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == make_button_ && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    cycle_->SpeedButtonMakeRightClick();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TFormMain::PageControl1Change(int index) {
  RunGuarded([this, index] {
    cycle_->Copy().wallpaper_page = index + 1;
    cycle_->Store().LoadPageSettings(cycle_->Copy());
  });
}

void TFormMain::PageControl2Change(int index) {
  WorkingCopy& copy = cycle_->Copy();
  copy.settings_page = index + 1;
  if (copy.settings_page == 3) copy.convenience_save_enabled = false;
  if (copy.settings_page == 4) copy.holiday_save_enabled = false;
  if (copy.settings_page == 5) copy.special_save_enabled = false;
  RefreshControls();
}

void TFormMain::SpeedButtonPathWClick(int page) {
  WorkingCopy& copy = cycle_->Copy();
  const QString file = QFileDialog::getOpenFileName(
      this, QString(), ToQString(copy.bitmap_folder),
      "BMP files (*.BMP *.bmp);;Other Graphic files(*.*) (*)");
  if (file.isEmpty()) return;
  copy.pages[page - 1].path = file.toStdString();
  const std::string folder = QFileInfo(file).absolutePath().toStdString();
  RunGuarded([this, folder] { cycle_->Store().WriteRecord(cycle_->Copy(), KeyName(keys::kBmpInitFld), folder); });
}

void TFormMain::SpeedButtonHVClick(int page) {
  PageValues& values = cycle_->Copy().pages[page - 1];
  values.orientation = values.IsVertical() ? kHorizontalCaption : kVerticalCaption;
  RefreshControls();
}

void TFormMain::SwatchClick(int page, int swatch) {
  Color& color = SwatchColor(cycle_->Copy().pages[page - 1], swatch);
  const QColor chosen = QColorDialog::getColor(ToQColor(color), this);
  if (!chosen.isValid()) return;
  color = FromQColor(chosen);
  RefreshControls();
}

void TFormMain::SpeedButtonIniClick(int page) {
  PageValues& values = cycle_->Copy().pages[page - 1];
  const Color shadow = values.shadow;
  const std::string path = values.path;
  const std::string orientation = values.orientation;
  values = PageValues{};
  values.shadow = shadow;
  values.path = path;
  values.orientation = orientation;
  RefreshControls();
}

void TFormMain::Label3DClick(int page) {
  Color& shadow = cycle_->Copy().pages[page - 1].shadow;
  switch (shadow) {
    case 0x000000: shadow = 0xFFFFFF; break;
    case 0xFFFFFF: shadow = 0xC0C0C0; break;
    case 0xC0C0C0: shadow = 0x808080; break;
    case 0x808080: shadow = 0x000000; break;
    default: break;  // a colour outside the cycle stays
  }
  RefreshControls();
}

void TFormMain::SpeedButtonProRefClick() {
  const QString file = QFileDialog::getOpenFileName(this, QString(), QString(),
                                                    "Program File (*)");
  if (file.isEmpty()) return;
  cycle_->Copy().special_program = file.toStdString();
  cycle_->Copy().special_save_enabled = true;
  RefreshControls();
}

void TFormMain::SpeedButtonHint2Click() { ShowMessage(text::TitleHelpText()); }

}  // namespace murva
