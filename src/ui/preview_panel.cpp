#include "ui/preview_panel.h"

#include <QApplication>
#include <QComboBox>
#include <QSignalBlocker>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <filesystem>

#include "app/background_file.h"
#include "ui/panel_context.h"
#include "ui/preview_window.h"
#include "ui/qt_colors.h"
#include "ui/text_wrap.h"

namespace murva {
namespace {

// How far outside a block a press still picks it up, in panel pixels.
constexpr double kGrip = 4.0;
// How much of a dragged block stays on the picture, in panel pixels.
constexpr double kGrabbable = 24.0;
// The panel's first size asks for a picture that can be read: a 16:9
// wallpaper at a third of a common screen's width.
constexpr QSize kPreferredSize(480, 270);

QString DrawingProblem(const std::exception& error) { return MessageText(error.what()); }

}  // namespace

PreviewPanel::PreviewPanel(PanelContext& context, PositionBars bars, QWidget* parent)
    : QWidget(parent), context_(context), bars_(bars) {
  setObjectName("PanelPreview");
  setToolTip("カレンダや予定をドラッグすると位置を変えられます（ダブルクリックで原寸表示）");
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setMouseTracking(true);
  pool_.setMaxThreadCount(1);
  coalesce_ = new QTimer(this);
  coalesce_->setSingleShot(true);
  coalesce_->setInterval(0);
  connect(coalesce_, &QTimer::timeout, this, &PreviewPanel::Redraw);

  full_size_button_ = new QToolButton(this);
  full_size_button_->setObjectName("SpeedButtonFullSize");
  full_size_button_->setText("原寸");
  full_size_button_->setToolTip("壁紙を原寸（1:1）で別のウィンドウに表示します");
  full_size_button_->setCursor(Qt::ArrowCursor);
  connect(full_size_button_, &QToolButton::clicked, this, &PreviewPanel::OpenFullSize);
  full_size_refresh_ = new QTimer(this);
  full_size_refresh_->setSingleShot(true);
  full_size_refresh_->setInterval(250);
  connect(full_size_refresh_, &QTimer::timeout, this, &PreviewPanel::RefreshFullSize);
  connect(this, &PreviewPanel::PictureShown, this, [this] {
    if (full_size_ && full_size_->isVisible()) full_size_refresh_->start();
  });

  monitor_choice_ = new QComboBox(this);
  monitor_choice_->setObjectName("ComboBoxPreviewMonitor");
  monitor_choice_->setToolTip("プレビューするモニタ（ドラッグはそのモニタの壁紙の上で位置を決めます）");
  monitor_choice_->setCursor(Qt::ArrowCursor);
  connect(monitor_choice_, &QComboBox::activated, this, &PreviewPanel::ShowMonitor);
  FillMonitorChoice();
}

void PreviewPanel::FillMonitorChoice() {
  const MonitorLayout& monitors = context_.Cycle().Monitors();
  for (const Monitor& monitor : monitors) {
    QString name = QString::fromStdString(monitor.name.empty() ? "?" : monitor.name);
    monitor_choice_->addItem(QString("%1  %2×%3").arg(name).arg(monitor.pixel_width).arg(monitor.pixel_height));
  }
  // One monitor needs no choice.
  monitor_choice_->setVisible(monitors.size() > 1);
}

void PreviewPanel::ShowMonitor(int index) {
  const int count = static_cast<int>(context_.Cycle().Monitors().size());
  if (index < 0 || index >= count || index == monitor_) return;
  monitor_ = index;
  monitor_choice_->setCurrentIndex(index);
  Invalidate();
}

PreviewScene PreviewPanel::SceneShown() const {
  PreviewScene scene = PreviewSceneOf(context_.Cycle(), context_.Screen());
  const MonitorLayout& monitors = context_.Cycle().Monitors();
  if (monitor_ >= 0 && monitor_ < static_cast<int>(monitors.size())) {
    scene.monitor = monitors[static_cast<std::size_t>(monitor_)];
  }
  return scene;
}

PreviewPanel::~PreviewPanel() {
  // The worker owns copies only; its answer is dropped with this object.
  pool_.waitForDone();
}

QSize PreviewPanel::sizeHint() const { return kPreferredSize; }

QSize PreviewPanel::minimumSizeHint() const { return {160, 100}; }

void PreviewPanel::Invalidate() {
  setVisible(context_.Copy().live_preview);
  dirty_ = true;
  update();  // the outline follows the bars at once
  coalesce_->start();
}

bool PreviewPanel::IsCurrent() const { return !dirty_ && !drawing_ && !coalesce_->isActive(); }

QSize PreviewPanel::FitSize() const {
  return (QSizeF(contentsRect().size()) * devicePixelRatioF()).toSize();
}

void PreviewPanel::Redraw() {
  if (!dirty_ || !isVisible() || !context_.Copy().live_preview) return;
  // An automatic run builds and closes; a picture nobody looks at would only
  // slow it down.
  if (context_.Cycle().IsAutomaticStart()) return;
  if (drawing_) return;  // Delivered draws again
  dirty_ = false;
  const QSize fit = FitSize();
  if (fit.isEmpty()) return;

  PreviewScene scene = SceneShown();
  const std::filesystem::path background = scene.copy.ActivePage().path;
  std::error_code missing;
  if (background.empty() || !std::filesystem::is_regular_file(background, missing)) {
    Delivered({}, MessageText(MissingWallpaperText(background.string(), scene.copy.wallpaper_page)));
    return;
  }
  // The background is decoded here, on the window's thread, because the
  // picture readers (plug-ins among them) serve the window's builds too.
  WallpaperCanvas decoded;
  try {
    decoded = backgrounds_.Get(background, scene.copy.color_256);
  } catch (const std::exception& error) {
    Delivered({}, DrawingProblem(error));
    return;
  }
  drawing_ = true;
  pool_.start([this, scene = std::move(scene), decoded = std::move(decoded), fit] {
    PreviewPicture picture;
    QString problem;
    try {
      picture = DrawPreview(scene, decoded, fit);
    } catch (const std::exception& error) {
      problem = DrawingProblem(error);
    }
    QMetaObject::invokeMethod(
        this, [this, picture = std::move(picture), problem]() mutable {
          drawing_ = false;
          Delivered(std::move(picture), problem);
        },
        Qt::QueuedConnection);
  });
}

void PreviewPanel::Delivered(PreviewPicture picture, QString problem) {
  picture_ = std::move(picture);
  picture_.image.setDevicePixelRatio(devicePixelRatioF());
  problem_ = std::move(problem);
  update();
  emit PictureShown();
  if (dirty_) coalesce_->start();
}

QRectF PreviewPanel::PictureRect() const {
  if (picture_.IsNull()) return {};
  const QSizeF size = QSizeF(picture_.image.size()) / picture_.image.devicePixelRatio();
  const QRectF area = contentsRect();
  return {area.left() + (area.width() - size.width()) / 2,
          area.top() + (area.height() - size.height()) / 2, size.width(), size.height()};
}

double PreviewPanel::ViewScaleX() const { return picture_.ScaleX() / picture_.image.devicePixelRatio(); }

double PreviewPanel::ViewScaleY() const { return picture_.ScaleY() / picture_.image.devicePixelRatio(); }

QRectF PreviewPanel::AreaOnPanel(Block block) const {
  if (picture_.IsNull() || block == Block::kNone) return {};
  // Bars moved since the drawing move the block with them; positions that
  // stand on another screen than the monitor shown are as drawn.
  const PageLayout& drawn = picture_.layout;
  const PageLayout& now =
      context_.Copy().layout.screen == drawn.screen || !drawn.screen.Known() ? context_.Copy().layout
                                                                            : drawn;
  QRect area = picture_.calendar_area;
  QPoint moved(now.calendar_x - drawn.calendar_x, now.calendar_y - drawn.calendar_y);
  if (block == Block::kSchedule) {
    area = picture_.schedule_area;
    moved = QPoint(now.schedule_x - drawn.schedule_x, now.schedule_y - drawn.schedule_y);
  }
  if (area.isEmpty()) return {};
  area.translate(moved);
  const QRectF frame = PictureRect();
  return {frame.left() + area.left() * ViewScaleX(), frame.top() + area.top() * ViewScaleY(),
          area.width() * ViewScaleX(), area.height() * ViewScaleY()};
}

PreviewPanel::Block PreviewPanel::BlockAt(const QPointF& point) const {
  // The schedule list is drawn last, so it is the one on top.
  for (const Block block : {Block::kSchedule, Block::kCalendar}) {
    const QRectF area = AreaOnPanel(block);
    if (!area.isEmpty() && area.adjusted(-kGrip, -kGrip, kGrip, kGrip).contains(point)) {
      return block;
    }
  }
  return Block::kNone;
}

void PreviewPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0x30, 0x30, 0x30));
  if (!problem_.isEmpty()) {
    painter.setPen(QColor(0xf0, 0xf0, 0xf0));
    const QRect box = contentsRect().adjusted(8, 8, -8, -8);
    const QStringList lines = WrapText(problem_, fontMetrics(), box.width());
    painter.drawText(box, Qt::AlignCenter, lines.join('\n'));
    return;
  }
  if (picture_.IsNull()) return;
  painter.drawImage(PictureRect().topLeft(), picture_.image);
  if (drag_.block != Block::kNone) {
    painter.setPen(QPen(QColor(0xff, 0xff, 0x00), 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(AreaOnPanel(drag_.block));
  }
}

void PreviewPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const QSize button = full_size_button_->sizeHint();
  full_size_button_->setGeometry(width() - button.width() - 2, 2, button.width(), button.height());
  const QSize choice = monitor_choice_->sizeHint();
  monitor_choice_->setGeometry(2, 2, choice.width(), choice.height());
  dirty_ = true;
  coalesce_->start();
}

void PreviewPanel::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (dirty_) coalesce_->start();
}

void PreviewPanel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const Block block = BlockAt(event->position());
  if (block == Block::kNone) return;
  PlaceOnShownMonitor();
  const PageLayout& layout = context_.Copy().layout;
  drag_.block = block;
  drag_.start = event->position();
  drag_.left = block == Block::kCalendar ? layout.calendar_x : layout.schedule_x;
  drag_.top = block == Block::kCalendar ? layout.calendar_y : layout.schedule_y;
  setCursor(Qt::ClosedHandCursor);
  update();
}

void PreviewPanel::PlaceOnShownMonitor() {
  PageLayout& layout = context_.Copy().layout;
  const PageLayout& drawn = picture_.layout;
  if (!drawn.screen.Known() || layout.screen == drawn.screen) return;
  layout.screen = drawn.screen;
  const std::pair<QScrollBar*, int> moves[] = {{bars_.calendar_left, drawn.calendar_x},
                                               {bars_.calendar_top, drawn.calendar_y},
                                               {bars_.schedule_left, drawn.schedule_x},
                                               {bars_.schedule_top, drawn.schedule_y}};
  for (const auto& [bar, value] : moves) {
    if (!bar) continue;
    {
      const QSignalBlocker block(bar);
      bar->setMaximum(std::max(bar->maximum(), value));
    }
    // The bar's own handler sets its range for the monitor and the value.
    bar->setValue(value);
  }
}

void PreviewPanel::mouseMoveEvent(QMouseEvent* event) {
  if (drag_.block == Block::kNone) {
    setCursor(BlockAt(event->position()) == Block::kNone ? Qt::ArrowCursor : Qt::OpenHandCursor);
    return;
  }
  if (ViewScaleX() <= 0 || ViewScaleY() <= 0) return;
  const QPointF moved = event->position() - drag_.start;
  const bool calendar = drag_.block == Block::kCalendar;
  QPoint wanted(drag_.left + static_cast<int>(std::lround(moved.x() / ViewScaleX())),
                drag_.top + static_cast<int>(std::lround(moved.y() / ViewScaleY())));
  // Past the picture's edge the block stops where a part of it that can be
  // picked up again is still on the picture.
  const PageLayout& drawn = picture_.layout;
  const QPoint drawn_at = calendar ? QPoint(drawn.calendar_x, drawn.calendar_y)
                                   : QPoint(drawn.schedule_x, drawn.schedule_y);
  const QSize grab(static_cast<int>(std::ceil(kGrabbable / ViewScaleX())),
                   static_cast<int>(std::ceil(kGrabbable / ViewScaleY())));
  wanted = KeepGrabbable(calendar ? picture_.calendar_area : picture_.schedule_area, drawn_at,
                         wanted, picture_.wallpaper_size, grab);
  const int left = wanted.x();
  const int top = wanted.y();
  // The bars clamp the values and run their own handlers, as a moved bar does.
  if (QScrollBar* bar = calendar ? bars_.calendar_left : bars_.schedule_left) bar->setValue(left);
  if (QScrollBar* bar = calendar ? bars_.calendar_top : bars_.schedule_top) bar->setValue(top);
  update();
}

void PreviewPanel::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) OpenFullSize();
}

PreviewWindow* PreviewPanel::FullSizeWindow() const { return full_size_.data(); }

void PreviewPanel::OpenFullSize() {
  if (!full_size_) full_size_ = new PreviewWindow(this);
  RefreshFullSize();
  full_size_->show();
  full_size_->raise();
  full_size_->activateWindow();
}

void PreviewPanel::RefreshFullSize() {
  if (!full_size_) return;
  const PreviewScene scene = SceneShown();
  const std::filesystem::path background = scene.copy.ActivePage().path;
  QImage picture;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    picture = DrawFullSizePreview(scene, backgrounds_.Get(background, scene.copy.color_256));
  } catch (const std::exception&) {
    // The panel shows why there is no picture; the window shows none.
  }
  QApplication::restoreOverrideCursor();
  full_size_->ShowPicture(picture, scene.copy.wallpaper_page);
}

void PreviewPanel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || drag_.block == Block::kNone) return;
  drag_ = {};
  setCursor(BlockAt(event->position()) == Block::kNone ? Qt::ArrowCursor : Qt::OpenHandCursor);
  update();
}

}  // namespace murva
