// The upper tab set PageControl1: the eight wallpaper pages and the handlers
// they share. Every handler works on the page whose tab is shown.
#pragma once

#include <QTabWidget>
#include <array>

#include "settings/working_copy.h"

namespace murva {

class PanelContext;
class WallpaperPage;

class WallpaperPages : public QTabWidget {
  Q_OBJECT

 public:
  explicit WallpaperPages(PanelContext& context, QWidget* parent = nullptr);

  // Every page shows its values; the shown tab follows the working copy.
  void Show();
  WallpaperPage& Page(int page) { return *pages_[page - 1]; }

 private:
  void PageControl1Change(int index);
  void SpeedButtonPathWClick(int page);
  void SpeedButtonHVClick(int page);
  void SwatchClick(int page, int swatch);
  void SpeedButtonIniClick(int page);
  void Label3DClick(int page);

  PanelContext& context_;
  std::array<WallpaperPage*, kPageCount> pages_{};
};

}  // namespace murva
