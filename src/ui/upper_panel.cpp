#include "ui/upper_panel.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include "app/messages.h"
#include "ui/panel_context.h"
#include "ui/ui_helpers.h"

namespace murva {
namespace {

struct BarInfo {
  const char* name;
  const char* label;
  const char* hint;
  int maximum;
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

}  // namespace

UpperPanel::UpperPanel(PanelContext& context, QWidget* parent)
    : QFrame(parent), context_(context) {
  setObjectName("PanelUpper");
  setFrameShape(QFrame::StyledPanel);
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel("カレンダ", this), 0, 0);
  layout->addWidget(new QLabel("予定", this), 1, 0);
  for (int i = 0; i < 7; ++i) {
    const BarInfo& info = kBars[i];
    auto* bar = new QScrollBar(Qt::Horizontal, this);
    bar->setObjectName(info.name);
    bar->setRange(0, info.maximum);
    bar->setPageStep(info.page_step);
    bar->setMinimumWidth(90);
    if (*info.hint) bar->setToolTip(info.hint);
    bars_[i] = bar;
    const int row = i < 4 ? i / 2 : 2;
    const int column = i < 4 ? (i % 2) * 3 + 1 : (i - 4) * 3 + 1;
    if (i < 4) {
      // The read-outs PanelCY.. lie over the labels; they show while shrunk.
      auto* label = new QLabel(info.label, this);
      position_panels_[i] = MakePanel(this, kPositionPanels[i]);
      position_panels_[i]->hide();
      layout->addWidget(label, row, column);
      layout->addWidget(position_panels_[i], row, column);
    } else {
      layout->addWidget(new QLabel(info.label, this), row, column);
      spacing_panels_[i - 4] = MakePanel(this, kSpacingPanels[i - 4]);
      layout->addWidget(spacing_panels_[i - 4], row, column + 2);
    }
    layout->addWidget(bar, row, column + 1);
    connect(bar, &QScrollBar::valueChanged, this, [this, i](int value) {
      context_.Copy().layout.*kBars[i].field = value;
      Show();
      emit LayoutChanged();
      context_.PictureChanged();
    });
  }

  make_button_ = new QPushButton("作成(&M)", this);
  make_button_->setObjectName("SpeedButtonMake");
  make_button_->installEventFilter(this);
  close_button_ = new QPushButton(text::kCloseCaption, this);
  close_button_->setObjectName("ButtonClose");
  close_button_->setToolTip(text::kCloseHint);
  QFont bold = close_button_->font();
  bold.setBold(true);
  close_button_->setFont(bold);
  layout->addWidget(make_button_, 0, 7, 2, 1);
  layout->addWidget(close_button_, 0, 8);
  connect(make_button_, &QPushButton::clicked, this, &UpperPanel::MakeClicked);
  connect(close_button_, &QPushButton::clicked, this, &UpperPanel::CloseClicked);
}

void UpperPanel::Show() {
  const PageLayout& layout = context_.Copy().layout;
  for (int i = 0; i < 7; ++i) {
    const QSignalBlocker block(bars_[i]);
    bars_[i]->setValue(layout.*kBars[i].field);
  }
  const int positions[] = {layout.calendar_y, layout.calendar_x, layout.schedule_y,
                           layout.schedule_x};
  for (int i = 0; i < 4; ++i) position_panels_[i]->setText(QString::number(positions[i]));
  spacing_panels_[0]->setText(QString::number(layout.month_spacing));
  spacing_panels_[1]->setText(QString::number(layout.line_spacing));
  spacing_panels_[2]->setText(QString::number(layout.day_spacing));
}

void UpperPanel::SetShrunk(bool shrunk) {
  close_button_->setText(shrunk ? text::kRestoreCaption : text::kCloseCaption);
  close_button_->setToolTip(shrunk ? text::kRestoreHint : text::kCloseHint);
  QFont font = close_button_->font();
  font.setBold(!shrunk);
  close_button_->setFont(font);
  for (QLabel* panel : position_panels_) panel->setVisible(shrunk);
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
