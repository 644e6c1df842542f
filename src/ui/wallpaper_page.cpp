#include "ui/wallpaper_page.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/page_colors.h"
#include "ui/qt_colors.h"
#include "ui/ui_helpers.h"

namespace murva {
namespace {

struct SwatchInfo {
  const char* stem;     // swatch panel PanelXxx<n>, button SpeedButtonXxx<n>
  const char* caption;  // button caption
};
constexpr SwatchInfo kSwatches[kSwatchCount] = {
    {"Sch", "予定(&A)"}, {"Tdy", "今日(&B)"}, {"Wek", "平日(&C)"}, {"Sat", "土曜(&D)"},
    {"Sun", "日曜(&E)"}, {"Hol", "休日(&F)"}, {"Spc", "特別(&G)"}, {"Str", "題名(&H)"},
};

// The number panels of one miniature: distance from the left, right, top
// and bottom screen edge.
struct DistanceInfo {
  const char* suffix;
  const char* hint;
};
constexpr DistanceInfo kDistances[4] = {
    {"X1", "画面の左端からの距離"},
    {"X2", "画面の右端からの距離"},
    {"Y1", "画面の上端からの距離"},
    {"Y2", "画面の下端からの距離"},
};

QString Named(const QString& stem, int page) { return QString("%1%2").arg(stem).arg(page); }

QString FullWidthDigit(int page) { return QString(QChar(0xFF10 + page)); }

QFrame* MakeMarker(QWidget* miniature, const QString& name, int width, int height, Color color) {
  auto* marker = new QFrame(miniature);
  marker->setObjectName(name);
  marker->setFixedSize(width, height);
  marker->setStyleSheet(QString("background-color: %1;").arg(ToQColor(color).name()));
  marker->move(0, 0);
  return marker;
}

}  // namespace

WallpaperPage::WallpaperPage(int page, QWidget* parent) : QWidget(parent), page_(page) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildTopRow());
  auto* row = new QHBoxLayout;
  row->addWidget(BuildMiniature(true));
  row->addSpacing(6);
  row->addWidget(BuildMiniature(false));
  row->addSpacing(6);
  row->addWidget(BuildColors());
  row->addStretch(1);
  layout->addLayout(row);
  layout->addStretch(1);
  ShowCalendarMarker(true);
}

QWidget* WallpaperPage::BuildTopRow() {
  auto* top = new QWidget(this);
  auto* row = new QHBoxLayout(top);
  row->setContentsMargins(0, 0, 0, 0);
  // Page 1 is the page of the basic mode.
  if (page_ == 1) {
    QLabel* basic = MakePanel(top, "PanelBasic1", "基本");
    basic->setStyleSheet("background-color: #800000; color: #ffffff; padding: 1px 6px;");
    row->addWidget(basic);
  }
  QLabel* number = MakePanel(top, Named("PanelPageNo", page_).toUtf8().constData(),
                             "壁 " + FullWidthDigit(page_));
  number->setStyleSheet("background-color: #000080; color: #ffffff; padding: 1px 6px;");
  row->addWidget(number);

  path_edit_ = new QLineEdit(top);
  path_edit_->setObjectName(Named("EditWal", page_));
  path_edit_->setMinimumWidth(160);
  row->addWidget(path_edit_, 1);
  auto* browse = new QPushButton("壁紙(&R)", top);
  browse->setObjectName(Named("SpeedButtonPathW", page_));
  row->addWidget(browse);
  orientation_button_ = new QPushButton(kVerticalCaption, top);
  orientation_button_->setObjectName(Named("SpeedButtonHV", page_));
  row->addWidget(orientation_button_);
  if (page_ >= 2) {
    auto* copy = new QPushButton("位置揃", top);
    copy->setObjectName(Named("SpeedButtonCopy", page_));
    copy->setToolTip("壁紙１の保存された位置と間隔に揃えます");
    row->addWidget(copy);
    connect(copy, &QPushButton::clicked, this, [this] { emit CopyPositionsClicked(page_); });
  }

  connect(path_edit_, &QLineEdit::textEdited, this,
          [this](const QString& text) { emit PathEdited(page_, text); });
  connect(browse, &QPushButton::clicked, this, [this] { emit BrowseClicked(page_); });
  connect(orientation_button_, &QPushButton::clicked, this,
          [this] { emit OrientationClicked(page_); });
  return top;
}

QWidget* WallpaperPage::BuildMiniature(bool calendar) {
  const QString stem = calendar ? "PanelCal" : "PanelSch";
  auto* block = new QWidget(this);
  auto* grid = new QGridLayout(block);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(2);

  auto* miniature = new QLabel(calendar ? "CALENDAR" : "SCHEDULE", block);
  const QString name = Named(stem + "Bak", page_);
  miniature->setObjectName(name);
  miniature->setFixedSize(kMiniatureWidth, kMiniatureHeight);
  miniature->setAlignment(Qt::AlignCenter);
  // Blue for the calendar, purple for the schedule list; the style names the
  // panel so that the markers inside keep their own colour.
  miniature->setStyleSheet(QString("QLabel#%1 { background-color: %2; color: #ffffff; }")
                               .arg(name, calendar ? "#0000ff" : "#800080"));
  if (calendar) {
    calendar_vertical_ = MakeMarker(miniature, Named("PanelCalIndV", page_), kVerticalMarkerWidth,
                                    kVerticalMarkerHeight, 0x00FFFF);
    calendar_horizontal_ = MakeMarker(miniature, Named("PanelCalIndH", page_),
                                      kHorizontalMarkerWidth, kHorizontalMarkerHeight, 0x00FFFF);
  } else {
    schedule_marker_ = MakeMarker(miniature, Named("PanelSchInd", page_), kScheduleMarkerWidth,
                                  kScheduleMarkerHeight, 0x00FF00);
  }

  const int digits = fontMetrics().horizontalAdvance("00000") + 8;
  for (int i = 0; i < 4; ++i) {
    QLabel* panel =
        MakePanel(block, Named(stem + kDistances[i].suffix, page_).toUtf8().constData(), "0");
    panel->setToolTip(kDistances[i].hint);
    panel->setFixedWidth(digits);
    distance_panels_[(calendar ? 0 : 4) + i] = panel;
  }
  QLabel** panels = &distance_panels_[calendar ? 0 : 4];
  grid->addWidget(panels[2], 0, 1, Qt::AlignHCenter);  // Y1 above
  grid->addWidget(panels[0], 1, 0, Qt::AlignVCenter);  // X1 left
  grid->addWidget(miniature, 1, 1);
  grid->addWidget(panels[1], 1, 2, Qt::AlignVCenter);  // X2 right
  grid->addWidget(panels[3], 2, 1, Qt::AlignHCenter);  // Y2 below
  return block;
}

QWidget* WallpaperPage::BuildColors() {
  auto* block = new QWidget(this);
  auto* grid = new QGridLayout(block);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(3);
  for (int i = 0; i < kSwatchCount; ++i) {
    auto* button = new QPushButton(kSwatches[i].caption, block);
    button->setObjectName(Named(QString("SpeedButton") + kSwatches[i].stem, page_));
    if (i == kSwatchStr) button->setToolTip("タイトル機能の文字色");
    auto* swatch = new QLabel(block);
    swatch->setObjectName(Named(QString("Panel") + kSwatches[i].stem, page_));
    swatch->setFixedSize(28, 20);
    swatches_[i] = swatch;
    grid->addWidget(button, i % 4, (i / 4) * 2);
    grid->addWidget(swatch, i % 4, (i / 4) * 2 + 1);
    connect(button, &QPushButton::clicked, this, [this, i] { emit ColorClicked(page_, i); });
  }
  auto* initial = new QPushButton("初期色", block);
  initial->setObjectName(Named("SpeedButtonIni", page_));
  initial->setToolTip("このページの曜日色を初期化します");
  shadow_label_ = new QLabel("3D", block);
  shadow_label_->setObjectName(Named("Label3D", page_));
  shadow_label_->setAlignment(Qt::AlignCenter);
  shadow_label_->setFixedSize(40, 22);
  shadow_label_->setCursor(Qt::PointingHandCursor);
  shadow_label_->setToolTip("クリックで３Ｄ文字の影の色を変えます");
  shadow_label_->installEventFilter(this);
  grid->setColumnMinimumWidth(4, 8);
  grid->addWidget(initial, 0, 5);
  grid->addWidget(shadow_label_, 1, 5, Qt::AlignHCenter);
  connect(initial, &QPushButton::clicked, this, [this] { emit InitialColorsClicked(page_); });
  return block;
}

bool WallpaperPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == shadow_label_ && event->type() == QEvent::MouseButtonRelease) {
    emit ShadowClicked(page_);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void WallpaperPage::Show(const PageValues& values) {
  if (path_edit_->text() != ToQString(values.path)) path_edit_->setText(ToQString(values.path));
  orientation_button_->setText(ToQString(values.orientation));
  for (int i = 0; i < kSwatchCount; ++i) {
    const QString color = ToQColor(SwatchColor(values, i)).name();
    SetStyleSheet(swatches_[i], QString("background-color: %1; border: 1px solid gray;").arg(color));
  }
  SetStyleSheet(shadow_label_, QString("background-color: #ffff00; font-weight: bold; color: %1;")
                                   .arg(ToQColor(values.shadow).name()));
}

void WallpaperPage::ShowPosition(LayoutBar bar, int position, int screen_extent, bool vertical) {
  const bool calendar = IsCalendarBar(bar);
  const bool along_height = IsVerticalAxis(bar);
  QLabel** panels = &distance_panels_[calendar ? 0 : 4];
  const EdgeDistances distances = DistancesFromEdges(position, screen_extent);
  panels[along_height ? 2 : 0]->setText(QString::number(distances.near_edge));
  panels[along_height ? 3 : 1]->setText(QString::number(distances.far_edge));

  QFrame* marker = calendar ? (vertical ? calendar_vertical_ : calendar_horizontal_)
                            : schedule_marker_;
  const int offset =
      MarkerOffset(position, screen_extent, along_height ? kMiniatureHeight : kMiniatureWidth);
  if (along_height) {
    marker->move(marker->x(), offset);
  } else {
    marker->move(offset, marker->y());
  }
}

void WallpaperPage::ShowCalendarMarker(bool vertical) {
  calendar_vertical_->setVisible(vertical);
  calendar_horizontal_->setVisible(!vertical);
}

void WallpaperPage::PlaceCalendarMarker(bool vertical, MarkerPlace place) {
  (vertical ? calendar_vertical_ : calendar_horizontal_)->move(place.left, place.top);
}

}  // namespace murva
