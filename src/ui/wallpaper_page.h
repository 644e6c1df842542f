// One wallpaper page of the upper tab set: background path, orientation,
// the eight text colours and the 3D shadow colour of page n. Every control's
// object name ends with the page number.
#pragma once

#include <QWidget>
#include <array>

#include "settings/working_copy.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace murva {

class WallpaperPage : public QWidget {
  Q_OBJECT

 public:
  WallpaperPage(int page, QWidget* parent = nullptr);

  int Page() const { return page_; }
  // Shows the page's values.
  void Show(const PageValues& values);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 signals:
  void PathEdited(int page, const QString& path);
  void BrowseClicked(int page);
  void OrientationClicked(int page);
  void ColorClicked(int page, int swatch);
  void InitialColorsClicked(int page);
  void ShadowClicked(int page);

 private:
  int page_;
  QLineEdit* path_edit_;
  QPushButton* orientation_button_;
  std::array<QLabel*, 8> swatches_{};
  QLabel* shadow_label_;
};

// The eight colour swatches in their order on the page.
enum Swatch { kSwatchSch, kSwatchTdy, kSwatchWek, kSwatchSat, kSwatchSun, kSwatchHol,
              kSwatchSpc, kSwatchStr };
Color& SwatchColor(PageValues& values, int swatch);
Color SwatchColor(const PageValues& values, int swatch);

}  // namespace murva
