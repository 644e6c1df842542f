#include "ui/wallpaper_page.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/qt_colors.h"

namespace murva {
namespace {

struct SwatchInfo {
  const char* stem;     // swatch panel PanelXxx<n>, button SpeedButtonXxx<n>
  const char* caption;  // button caption
};
constexpr SwatchInfo kSwatches[] = {
    {"Sch", "予定(&A)"}, {"Tdy", "今日(&B)"}, {"Wek", "平日(&C)"}, {"Sat", "土曜(&D)"},
    {"Sun", "日曜(&E)"}, {"Hol", "休日(&F)"}, {"Spc", "特別(&G)"}, {"Str", "題名(&H)"},
};

QString Named(const char* stem, int page) { return QString("%1%2").arg(stem).arg(page); }

void Paint(QLabel* label, Color background, Color foreground) {
  label->setStyleSheet(QString("background-color: %1; color: %2; border: 1px solid gray;")
                           .arg(ToQColor(background).name(), ToQColor(foreground).name()));
}

}  // namespace

Color& SwatchColor(PageValues& values, int swatch) {
  Color* colors[] = {&values.schedule, &values.today,   &values.weekday, &values.saturday,
                     &values.sunday,   &values.holiday, &values.special, &values.title};
  return *colors[swatch];
}

Color SwatchColor(const PageValues& values, int swatch) {
  return SwatchColor(const_cast<PageValues&>(values), swatch);
}

WallpaperPage::WallpaperPage(int page, QWidget* parent) : QWidget(parent), page_(page) {
  auto* layout = new QGridLayout(this);

  path_edit_ = new QLineEdit(this);
  path_edit_->setObjectName(Named("EditWal", page));
  auto* browse = new QPushButton("壁紙(&R)", this);
  browse->setObjectName(Named("SpeedButtonPathW", page));
  orientation_button_ = new QPushButton(kVerticalCaption, this);
  orientation_button_->setObjectName(Named("SpeedButtonHV", page));
  auto* number = new QLabel(page == 1 ? QString("基本  壁 %1").arg(QChar(0xFF10 + page))
                                      : QString("壁 %1").arg(QChar(0xFF10 + page)),
                            this);
  layout->addWidget(number, 0, 0);
  layout->addWidget(path_edit_, 0, 1, 1, 6);
  layout->addWidget(browse, 0, 7);
  layout->addWidget(orientation_button_, 0, 8);

  for (int i = 0; i < 8; ++i) {
    auto* button = new QPushButton(kSwatches[i].caption, this);
    button->setObjectName(Named((std::string("SpeedButton") + kSwatches[i].stem).c_str(), page));
    if (i == kSwatchStr) button->setToolTip("タイトル機能の文字色");
    auto* swatch = new QLabel(this);
    swatch->setObjectName(Named((std::string("Panel") + kSwatches[i].stem).c_str(), page));
    swatch->setMinimumSize(24, 18);
    swatches_[i] = swatch;
    layout->addWidget(button, 1 + i / 4, (i % 4) * 2);
    layout->addWidget(swatch, 1 + i / 4, (i % 4) * 2 + 1);
    connect(button, &QPushButton::clicked, this, [this, i] { emit ColorClicked(page_, i); });
  }
  auto* initial = new QPushButton("初期色", this);
  initial->setObjectName(Named("SpeedButtonIni", page));
  initial->setToolTip("このページの曜日色を初期化します");
  shadow_label_ = new QLabel("3D", this);
  shadow_label_->setObjectName(Named("Label3D", page));
  shadow_label_->setAlignment(Qt::AlignCenter);
  shadow_label_->setCursor(Qt::PointingHandCursor);
  shadow_label_->installEventFilter(this);
  layout->addWidget(initial, 1, 8);
  layout->addWidget(shadow_label_, 2, 8);
  layout->setRowStretch(3, 1);

  connect(path_edit_, &QLineEdit::textEdited, this,
          [this](const QString& text) { emit PathEdited(page_, text); });
  connect(browse, &QPushButton::clicked, this, [this] { emit BrowseClicked(page_); });
  connect(orientation_button_, &QPushButton::clicked, this,
          [this] { emit OrientationClicked(page_); });
  connect(initial, &QPushButton::clicked, this, [this] { emit InitialColorsClicked(page_); });
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
  for (int i = 0; i < 8; ++i) Paint(swatches_[i], SwatchColor(values, i), SwatchColor(values, i));
  shadow_label_->setStyleSheet(QString("background-color: yellow; font-weight: bold; color: %1;")
                                   .arg(ToQColor(values.shadow).name()));
}

}  // namespace murva
