// The strip above the pages, PanelUpper: the seven bars that edit the shown
// page's positions and spacings with their read-outs, the build button and
// the close button. The strip is all the window shows while it is shrunk
// during a build.
#pragma once

#include <QFrame>
#include <array>

#include "app/page_positions.h"

class QLabel;
class QPushButton;
class QScrollBar;
class QStackedWidget;

namespace murva {

class PanelContext;

class UpperPanel : public QFrame {
  Q_OBJECT

 public:
  explicit UpperPanel(PanelContext& context, QWidget* parent = nullptr);

  // The bars and read-outs show the working copy's layout.
  void Show();
  // The shrunk window during a build: the position read-outs take the
  // places of their labels and the close button restores.
  void SetShrunk(bool shrunk);
  // The build button's caption turns yellow for a test run.
  void MarkTestRun();

  QScrollBar* Bar(LayoutBar bar) const { return bars_[static_cast<int>(bar)]; }
  // PanelCY, PanelCX, PanelSY or PanelSX shows a position bar's value.
  void ShowPositionReadout(LayoutBar bar, int position);

 signals:
  void MakeClicked();       // SpeedButtonMake, left click
  void MakeRightClicked();  // SpeedButtonMake, right click
  void CloseClicked();      // ButtonClose
  // A position bar's value changed; the wallpaper pages run the position
  // handler for it.
  void PositionBarChanged(LayoutBar bar);
  void LayoutChanged();     // any bar moved

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // ScrollBarMonthChange, ScrollBarLineChange, ScrollBarCharChange.
  void SpacingChange(LayoutBar bar);

  PanelContext& context_;
  std::array<QScrollBar*, kLayoutBarCount> bars_{};
  std::array<QLabel*, 3> spacing_panels_{};     // PanelMonth, PanelLine, PanelStr
  std::array<QLabel*, 4> position_panels_{};    // PanelCY, PanelCX, PanelSY, PanelSX
  std::array<QStackedWidget*, 4> label_slots_{};  // label, or its read-out while shrunk
  QPushButton* make_button_ = nullptr;
  QPushButton* close_button_ = nullptr;
};

}  // namespace murva
