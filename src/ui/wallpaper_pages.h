// The upper tab set PageControl1: the eight wallpaper pages and the handlers
// they share. Every handler works on the page whose tab is shown; the
// position handlers run on the shared position bars of the strip above.
#pragma once

#include <QTabWidget>
#include <array>

#include "app/page_positions.h"
#include "app/run_view.h"
#include "settings/working_copy.h"

namespace murva {

class PanelContext;
class TabPageMaker;
class UpperPanel;
class WallpaperPage;

class WallpaperPages : public QTabWidget {
  Q_OBJECT

 public:
  // The pages are added by page_maker: made at once, or when first shown.
  WallpaperPages(PanelContext& context, UpperPanel& upper_panel, TabPageMaker& page_maker,
                 QWidget* parent = nullptr);

  // Every page made shows its values; the shown tab follows the working
  // copy (and is made if it is not yet).
  void Show();
  // Page n, made now if it is not yet.
  WallpaperPage& Page(int page);

  // After the shown page was loaded: the calendar marker of the page's
  // orientation is the visible one, then the four position displays are
  // brought up to date (calendar left, calendar top, schedule left,
  // schedule top).
  void RefreshPagePositions();

 private:
  QWidget* MakePage(int page, QWidget* parent);
  // The screen the shown page's positions were placed on.
  ScreenSize PositionScreen() const;
  // Page n now holds an edit that is not saved.
  void Edited(int page);
  void PageControl1Change(int index);
  // ScrollBarCalTopChange, ScrollBarCalLeftChange, ScrollBarSchTopChange,
  // ScrollBarSchLeftChange: the bar ranges over the screen, the read-outs
  // and the shown page's number panels show its position, and the marker
  // follows.
  void PositionChange(LayoutBar bar);
  void SpeedButtonPathWClick(int page);
  void SpeedButtonHVClick(int page);
  void SwatchClick(int page, int swatch);
  void SpeedButtonIniClick(int page);
  void SpeedButtonCopyClick(int page);
  void Label3DClick(int page);

  PanelContext& context_;
  UpperPanel& upper_panel_;
  std::array<WallpaperPage*, kPageCount> pages_{};  // null until made
  bool shown_ = false;
};

}  // namespace murva
