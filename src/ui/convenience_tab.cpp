#include "ui/convenience_tab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/messages.h"
#include "platform/autostart_entry.h"
#include "ui/monitor_pages_box.h"
#include "ui/ui_helpers.h"

namespace murva {

ConvenienceTab::ConvenienceTab(WorkingCopy& copy, QWidget* parent)
    : QWidget(parent), copy_(copy) {
  auto* layout = new QGridLayout(this);

  mode_ = new QComboBox(this);
  mode_->setObjectName("ComboBoxWalUseDsp");
  for (const char* item : text::kModeSelectorItems) mode_->addItem(item);
  layout->addWidget(mode_, 0, 0, 1, 2);

  auto* group = new QGroupBox(" 曜日連動モードの設定（曜日と壁紙の関連付け） ", this);
  auto* group_layout = new QGridLayout(group);
  const char* day_names[] = {"日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"};
  for (int day = 0; day < 7; ++day) {
    auto* box = new QComboBox(group);
    box->setObjectName(QString("ComboBoxWeek%1").arg(day + 1));
    for (int page = 1; page <= kPageCount; ++page) {
      box->addItem(QString("壁紙%1").arg(QChar(0xFF10 + page)));
    }
    weekdays_[day] = box;
    group_layout->addWidget(new QLabel(day_names[day], group), 0, day);
    group_layout->addWidget(box, 1, day);
    connect(box, &QComboBox::activated, this, [this, day](int index) {
      copy_.weekday_pages[day] = index;
      Edited();
    });
  }
  layout->addWidget(group, 1, 0, 1, 4);

  layout->addWidget(new QLabel("遅延（秒）", this), 0, 2);
  delay_ = new QSpinBox(this);
  delay_->setObjectName("SpinEditDelay");
  delay_->setRange(0, 600);
  layout->addWidget(delay_, 0, 3);

  color_256_ = new QComboBox(this);
  color_256_->setObjectName("ComboBox256");
  color_256_->addItems({"２５６色壁紙は使わない", "２５６色壁紙：文字色優先", "２５６色壁紙：サイズ優先"});
  layout->addWidget(color_256_, 2, 0, 1, 2);

  always_ = MakeCheckBox(this, "CheckBoxAlWay", "常時作成モード");
  hide_ = MakeCheckBox(this, "CheckBoxHide", "ステルス動作");
  monday_ = MakeCheckBox(this, "CheckBoxMonStart", "週を月曜日から開始する");
  tile_ = MakeCheckBox(this, "CheckBoxTile", "タイルパターン");
  today_schedule_ = MakeCheckBox(this, "CheckBoxTodaySch", "No Schedule を表示する");
  text_3d_ = MakeCheckBox(this, "CheckBox3D", "文字を３Ｄ表示にする");
  make_only_ = MakeCheckBox(this, "CheckBoxMakeOnly", "壁紙作成するが更新しない");
  log_on_ = MakeCheckBox(this, "CheckBoxLogOn", "ログオン時に自動作成する");
  log_on_->setToolTip("ログオンするたびに自動作成（-E）で起動します");
  QCheckBox* boxes[] = {always_, hide_, monday_, tile_, today_schedule_, text_3d_, make_only_, log_on_};
  for (int i = 0; i < 8; ++i) layout->addWidget(boxes[i], 3 + i / 4, i % 4);
  // Under the log-on run: it stays and keeps the wallpaper current (--watch).
  watch_ = MakeCheckBox(this, "CheckBoxWatch", "日付が変わったら壁紙を更新する");
  watch_->setToolTip("ログオン時の自動作成のあとも常駐し、日付の変わり目・スリープからの復帰・時計の変更で壁紙を作り直します（--watch）");
  layout->addWidget(watch_, 5, 3);

  preview_ = MakeCheckBox(this, "CheckBoxPreview", "プレビューを表示する");
  preview_->setToolTip("作成される壁紙をパネルの横に縮小して表示します（遅いパソコンではオフに）");
  layout->addWidget(preview_, 5, 0);

  monitors_ = new MonitorPagesBox(copy_, this);
  layout->addWidget(monitors_, 6, 0, 1, 3);
  connect(monitors_, &MonitorPagesBox::Edited, this, &ConvenienceTab::Edited);
  connect(monitors_, &MonitorPagesBox::PictureValueChanged, this,
          &ConvenienceTab::PictureValueChanged);

  save_ = new QPushButton("このページを保存(&S)", this);
  save_->setObjectName("SpeedButtonSave");
  layout->addWidget(save_, 6, 3, Qt::AlignBottom);
  layout->setRowStretch(7, 1);

  connect(mode_, &QComboBox::currentIndexChanged, this, [this](int index) {
    copy_.page_choice_mode = index;
    emit ModeChanged();
    Show();
  });
  connect(color_256_, &QComboBox::currentIndexChanged, this, [this](int index) {
    copy_.color_256 = index;
    emit ModeChanged();
    Show();
    emit PictureValueChanged();
  });
  connect(delay_, &QSpinBox::valueChanged, this, [this](int value) {
    copy_.delay_seconds = value;
    PaintDelay();
    Edited();
  });
  // The switches take effect on the mouse-up, as the user clicks them.
  const auto bind = [this](QCheckBox* box, bool WorkingCopy::*field, bool picture) {
    connect(box, &QCheckBox::clicked, this, [this, field, picture](bool on) {
      copy_.*field = on;
      Edited();
      if (picture) emit PictureValueChanged();
    });
  };
  bind(always_, &WorkingCopy::always_build, false);
  bind(hide_, &WorkingCopy::stealth, false);
  bind(monday_, &WorkingCopy::monday_first, true);
  bind(today_schedule_, &WorkingCopy::no_schedule_line, true);
  bind(text_3d_, &WorkingCopy::text_3d, true);
  bind(preview_, &WorkingCopy::live_preview, true);
  connect(tile_, &QCheckBox::clicked, this, [this](bool on) {
    copy_.tile = on;
    Edited();
    emit TileToggled(on);
  });
  connect(make_only_, &QCheckBox::clicked, this, [this](bool on) {
    copy_.make_only = on;
    Edited();
    emit MakeOnlyToggled(on);
  });
  connect(log_on_, &QCheckBox::clicked, this, [this](bool on) {
    copy_.run_at_log_on = on;
    log_on_changed_ = true;
    Edited();
    Show();
  });
  connect(watch_, &QCheckBox::clicked, this, [this](bool on) {
    copy_.watch_day_change = on;
    log_on_changed_ = true;
    Edited();
  });
  connect(save_, &QPushButton::clicked, this, [this] {
    emit SaveClicked();
    // The save clears the button's state only when the file was written.
    if (!copy_.convenience_save_enabled) ApplyLogOnRun();
  });
}

void ConvenienceTab::ApplyLogOnRun() {
  if (!log_on_changed_) return;
  try {
    SetLogOnRun(copy_.run_at_log_on, ProcessEnvironment(), ExecutableFile(),
                copy_.watch_day_change);
    log_on_changed_ = false;
  } catch (const std::exception& error) {
    QMessageBox::warning(this, text::kApplicationTitle,
                         QString("ログオン時の自動作成を%1できません : %2")
                             .arg(copy_.run_at_log_on ? "設定" : "解除")
                             .arg(QString::fromUtf8(error.what())));
  }
}

void ConvenienceTab::Edited() {
  copy_.convenience_save_enabled = true;
  save_->setEnabled(true);
}

void ConvenienceTab::PaintDelay() {
  QPalette palette = delay_->palette();
  palette.setColor(QPalette::Text, copy_.delay_seconds != 0 ? QColor(Qt::red)
                                                            : QPalette().color(QPalette::Text));
  delay_->setPalette(palette);
}

void ConvenienceTab::Show() {
  ShowIndex(mode_, copy_.page_choice_mode);
  for (int day = 0; day < 7; ++day) ShowIndex(weekdays_[day], copy_.weekday_pages[day]);
  {
    const QSignalBlocker block(delay_);
    delay_->setValue(copy_.delay_seconds);
  }
  PaintDelay();
  ShowIndex(color_256_, copy_.color_256);
  ShowChecked(always_, copy_.always_build);
  ShowChecked(hide_, copy_.stealth);
  ShowChecked(monday_, copy_.monday_first);
  ShowChecked(tile_, copy_.tile);
  ShowChecked(today_schedule_, copy_.no_schedule_line);
  ShowChecked(text_3d_, copy_.text_3d);
  ShowChecked(make_only_, copy_.make_only);
  ShowChecked(log_on_, copy_.run_at_log_on);
  ShowChecked(preview_, copy_.live_preview);
  ShowChecked(watch_, copy_.watch_day_change);
  watch_->setEnabled(copy_.run_at_log_on);
  monitors_->Show();
  save_->setEnabled(copy_.convenience_save_enabled);
}

void ConvenienceTab::SetMonitors(const MonitorLayout& monitors) { monitors_->SetMonitors(monitors); }

void ConvenienceTab::HighlightWeekday(int weekday) {
  if (weekday < 1 || weekday > 7) return;
  SetStyleSheet(weekdays_[weekday - 1], "QComboBox { background-color: #ffff00; }");
}

}  // namespace murva
