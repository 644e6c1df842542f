// The live preview of the shown wallpaper page, beside the pages: the
// picture a build of the page would write, scaled to the panel. It is drawn
// on a worker thread by the build's own drawing code whenever a value the
// picture depends on changes (redraws that come in while one is drawn are
// merged into one), from a background decoded once per file. Dragging the
// calendar or the schedule list on it moves the position bars, exactly as if
// the user had moved them, and a block dragged past the edge keeps a part
// that can still be picked up on the picture. The panel takes the room the
// window has to spare; a double click or the "原寸" button opens the picture
// at full size in a window of its own. The switch "プレビューを表示する"
// hides it.
#pragma once

#include <QPointer>
#include <QThreadPool>
#include <QWidget>
#include <optional>

#include "app/background_cache.h"
#include "app/wallpaper_preview.h"

class QComboBox;
class QScrollBar;
class QTimer;
class QToolButton;

namespace murva {

class PanelContext;
class PreviewWindow;

// The four position bars of the upper strip.
struct PositionBars {
  QPointer<QScrollBar> calendar_left;  // ScrollBarCalLeft
  QPointer<QScrollBar> calendar_top;   // ScrollBarCalTop
  QPointer<QScrollBar> schedule_left;  // ScrollBarSchLeft
  QPointer<QScrollBar> schedule_top;   // ScrollBarSchTop
};

class PreviewPanel : public QWidget {
  Q_OBJECT

 public:
  PreviewPanel(PanelContext& context, PositionBars bars, QWidget* parent = nullptr);
  ~PreviewPanel() override;

  // A value the picture depends on changed: the panel shows or hides itself
  // by the preview switch and draws the picture again soon.
  void Invalidate();

  // The picture now shown (null while none is drawn), and why there is none.
  const PreviewPicture& Picture() const { return picture_; }
  const QString& Problem() const { return problem_; }
  // Whether the picture shown is drawn from the values as they are now.
  bool IsCurrent() const;
  // Where the picture sits in the panel, in the panel's own pixels.
  QRectF PictureRect() const;
  // The size the picture is drawn to fit, in device pixels.
  QSize FitSize() const;

  enum class Block { kNone, kCalendar, kSchedule };
  // Where a block of the wallpaper is in the panel, moved by what the bars
  // moved since the picture was drawn (empty when it is not drawn).
  QRectF AreaOnPanel(Block block) const;
  // The background decoder's cache (tests count its reads).
  const BackgroundCache& Backgrounds() const { return backgrounds_; }

  // Opens (or brings up) the full-size window with the picture as it is now.
  void OpenFullSize();
  // The full-size window, null until it was first opened.
  PreviewWindow* FullSizeWindow() const;

  // The monitor whose picture is shown (with more than one connected, the
  // choice beside the picture picks it): an index into the run's monitors.
  int MonitorShown() const { return monitor_; }
  void ShowMonitor(int index);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  // A new picture (or a problem) is shown.
  void PictureShown();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  struct Drag {
    Block block = Block::kNone;
    QPointF start;      // press point, panel pixels
    int left = 0;       // bar values at the press
    int top = 0;
  };

  // Starts drawing when nothing is being drawn; otherwise remembers to draw
  // again when the running drawing is done.
  void Redraw();
  void Delivered(PreviewPicture picture, QString problem);
  // Panel pixels per wallpaper pixel.
  double ViewScaleX() const;
  double ViewScaleY() const;
  Block BlockAt(const QPointF& point) const;
  // The picture of the shown page at full size for the full-size window.
  void RefreshFullSize();
  // The scene of the shown page on the monitor shown.
  PreviewScene SceneShown() const;
  // Positions placed on another screen than the monitor shown are placed
  // anew on it when the user drags there: from then on they are that
  // monitor's pixels, as the user sees them.
  void PlaceOnShownMonitor();
  void FillMonitorChoice();

  PanelContext& context_;
  PositionBars bars_;
  BackgroundCache backgrounds_;
  QThreadPool pool_;
  QTimer* coalesce_ = nullptr;
  QToolButton* full_size_button_ = nullptr;
  QComboBox* monitor_choice_ = nullptr;
  int monitor_ = 0;
  QPointer<PreviewWindow> full_size_;
  QTimer* full_size_refresh_ = nullptr;  // the open window follows the edits
  bool drawing_ = false;  // a drawing runs on the worker
  bool dirty_ = true;     // the picture shown is older than the values
  PreviewPicture picture_;
  QString problem_;
  Drag drag_;
};

}  // namespace murva
