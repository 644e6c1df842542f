#include "ui/upper_panel.h"

#include <algorithm>

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStackedWidget>

#include "app/messages.h"
#include "ui/panel_context.h"
#include "ui/ui_helpers.h"

namespace murva {
namespace {

struct BarInfo {
  const char* name;
  const char* label;
  const char* hint;
  int maximum;  // the initial range; the position handlers set the screen's
  int page_step;
  int row;
  int column;
};
// In LayoutBar order. Two rows: the calendar's and the schedule's positions
// side by side, the spacings after them.
constexpr BarInfo kBars[kLayoutBarCount] = {
    {"ScrollBarCalTop", "上から", "", 1200, 10, 0, 1},
    {"ScrollBarCalLeft", "左から", "", 1600, 10, 0, 3},
    {"ScrollBarSchTop", "上から", "", 1200, 10, 1, 1},
    {"ScrollBarSchLeft", "左から", "", 1600, 10, 1, 3},
    {"ScrollBarMonth", "月間", "月の間隔", 200, 10, 0, 5},
    {"ScrollBarLine", "行間", "行の間隔", 50, 5, 1, 5},
    {"ScrollBarChar", "日間", "日にちの間隔", 50, 5, 0, 8},
};
constexpr const char* kPositionPanels[] = {"PanelCY", "PanelCX", "PanelSY", "PanelSX"};
constexpr const char* kSpacingPanels[] = {"PanelMonth", "PanelLine", "PanelStr"};

}  // namespace

UpperPanel::UpperPanel(PanelContext& context, QWidget* parent)
    : QFrame(parent), context_(context) {
  setObjectName("PanelUpper");
  setFrameShape(QFrame::StyledPanel);
  // The strip keeps its height; a larger window gives the room to the tabs.
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(6, 4, 6, 4);
  layout->setVerticalSpacing(3);
  layout->addWidget(new QLabel("カレンダ", this), 0, 0);
  layout->addWidget(new QLabel("予定", this), 1, 0);

  const int digits = fontMetrics().horizontalAdvance("00000") + 8;
  for (int i = 0; i < kLayoutBarCount; ++i) {
    const BarInfo& info = kBars[i];
    const auto bar_kind = static_cast<LayoutBar>(i);
    auto* bar = new QScrollBar(Qt::Horizontal, this);
    bar->setObjectName(info.name);
    bar->setRange(0, info.maximum);
    bar->setPageStep(info.page_step);
    bar->setMinimumWidth(80);
    if (*info.hint) bar->setToolTip(info.hint);
    bars_[i] = bar;
    auto* label = new QLabel(info.label, this);
    if (*info.hint) label->setToolTip(info.hint);
    if (IsPositionBar(bar_kind)) {
      // The read-out PanelCY.. lies over its label: one slot shows either.
      auto* slot = new QStackedWidget(this);
      position_panels_[i] = MakePanel(slot, kPositionPanels[i], "0");
      position_panels_[i]->setMinimumWidth(digits);
      slot->addWidget(label);
      slot->addWidget(position_panels_[i]);
      slot->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
      label_slots_[i] = slot;
      layout->addWidget(slot, info.row, info.column);
      connect(bar, &QScrollBar::valueChanged, this, [this, bar_kind] {
        emit PositionBarChanged(bar_kind);
        emit LayoutChanged();
      });
    } else {
      const int index = i - 4;
      spacing_panels_[index] = MakePanel(this, kSpacingPanels[index], "0");
      spacing_panels_[index]->setMinimumWidth(digits);
      layout->addWidget(label, info.row, info.column);
      layout->addWidget(spacing_panels_[index], info.row, info.column + 2);
      connect(bar, &QScrollBar::valueChanged, this, [this, bar_kind] {
        SpacingChange(bar_kind);
        emit LayoutChanged();
        context_.PictureChanged();
      });
    }
    layout->addWidget(bar, info.row, info.column + 1);
    layout->setColumnStretch(info.column + 1, 1);
  }

  make_button_ = new QPushButton("作成(&M)", this);
  make_button_->setObjectName("SpeedButtonMake");
  make_button_->setToolTip("壁紙を作成します（右クリックでテスト動作）");
  make_button_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  make_button_->installEventFilter(this);
  close_button_ = new QPushButton(text::kCloseCaption, this);
  close_button_->setObjectName("ButtonClose");
  close_button_->setToolTip(text::kCloseHint);
  QFont bold = close_button_->font();
  bold.setBold(true);
  close_button_->setFont(bold);
  layout->addWidget(make_button_, 0, 11, 2, 1);
  layout->addWidget(close_button_, 0, 12, 2, 1, Qt::AlignTop);
  connect(make_button_, &QPushButton::clicked, this, &UpperPanel::MakeClicked);
  connect(close_button_, &QPushButton::clicked, this, &UpperPanel::CloseClicked);
}

void UpperPanel::Show() {
  const PageLayout& layout = context_.Copy().layout;
  for (int i = 0; i < kLayoutBarCount; ++i) {
    const QSignalBlocker block(bars_[i]);
    const int value = layout.*LayoutField(static_cast<LayoutBar>(i));
    // A position is shown as stored, never cut to a range set for another
    // screen; the position handlers set the range of the screen it was
    // placed on.
    if (IsPositionBar(static_cast<LayoutBar>(i))) {
      bars_[i]->setMaximum(std::max(bars_[i]->maximum(), value));
    }
    bars_[i]->setValue(value);
  }
  for (int i = 0; i < 4; ++i) {
    position_panels_[i]->setText(QString::number(layout.*LayoutField(static_cast<LayoutBar>(i))));
  }
  for (int i = 0; i < 3; ++i) {
    spacing_panels_[i]->setText(
        QString::number(layout.*LayoutField(static_cast<LayoutBar>(i + 4))));
  }
}

void UpperPanel::ShowPositionReadout(LayoutBar bar, int position) {
  if (!IsPositionBar(bar)) return;
  position_panels_[static_cast<int>(bar)]->setText(QString::number(position));
}

void UpperPanel::SpacingChange(LayoutBar bar) {
  const int value = Bar(bar)->value();
  context_.Copy().layout.*LayoutField(bar) = value;
  spacing_panels_[static_cast<int>(bar) - 4]->setText(QString::number(value));
}

void UpperPanel::SetShrunk(bool shrunk) {
  close_button_->setText(shrunk ? text::kRestoreCaption : text::kCloseCaption);
  close_button_->setToolTip(shrunk ? text::kRestoreHint : text::kCloseHint);
  QFont font = close_button_->font();
  font.setBold(!shrunk);
  close_button_->setFont(font);
  for (QStackedWidget* slot : label_slots_) slot->setCurrentIndex(shrunk ? 1 : 0);
}

void UpperPanel::MarkTestRun() { make_button_->setStyleSheet("color: #ffff00;"); }

bool UpperPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == make_button_ && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    emit MakeRightClicked();
    return true;
  }
  return QFrame::eventFilter(watched, event);
}

}  // namespace murva
