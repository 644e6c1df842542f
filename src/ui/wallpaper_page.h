// One wallpaper page of the upper tab set: background path, orientation,
// the two miniature screens with their markers and distance panels, the
// eight text colours and the 3D shadow colour of page n. Every control's
// object name ends with the page number.
#pragma once

#include <QWidget>
#include <array>

#include "app/page_positions.h"
#include "settings/working_copy.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace murva {

class WallpaperPage : public QWidget {
  Q_OBJECT

 public:
  WallpaperPage(int page, QWidget* parent = nullptr);

  int Page() const { return page_; }
  // Shows the page's values: path, orientation caption, colours.
  void Show(const PageValues& values);

  // A position bar's value on this page: the distances from the two screen
  // edges in the number panels, and the marker moved along the bar's axis
  // (the calendar's vertical or horizontal marker by the orientation).
  void ShowPosition(LayoutBar bar, int position, int screen_extent, bool vertical);
  // Exactly one calendar marker is visible: the vertical one when the
  // calendar is laid out vertically.
  void ShowCalendarMarker(bool vertical);
  // Moves the visible calendar marker to place.
  void PlaceCalendarMarker(bool vertical, MarkerPlace place);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 signals:
  void PathEdited(int page, const QString& path);
  void BrowseClicked(int page);
  void OrientationClicked(int page);
  void ColorClicked(int page, int swatch);
  void InitialColorsClicked(int page);
  void CopyPositionsClicked(int page);
  void ShadowClicked(int page);

 private:
  QWidget* BuildTopRow();
  QWidget* BuildMiniature(bool calendar);
  QWidget* BuildColors();

  int page_;
  QLineEdit* path_edit_ = nullptr;
  QPushButton* orientation_button_ = nullptr;
  QFrame* calendar_vertical_ = nullptr;    // PanelCalIndV<n>
  QFrame* calendar_horizontal_ = nullptr;  // PanelCalIndH<n>
  QFrame* schedule_marker_ = nullptr;      // PanelSchInd<n>
  // PanelCalX1, PanelCalX2, PanelCalY1, PanelCalY2, then the same for Sch.
  std::array<QLabel*, 8> distance_panels_{};
  std::array<QLabel*, 8> swatches_{};
  QLabel* shadow_label_ = nullptr;
};

}  // namespace murva
