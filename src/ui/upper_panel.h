// The strip above the pages, PanelUpper: the seven bars that edit the shown
// page's positions and spacings with their read-outs, the build button and
// the close button.
#pragma once

#include <QFrame>
#include <array>

class QLabel;
class QPushButton;
class QScrollBar;

namespace murva {

class PanelContext;

class UpperPanel : public QFrame {
  Q_OBJECT

 public:
  explicit UpperPanel(PanelContext& context, QWidget* parent = nullptr);

  // The bars and read-outs show the working copy's layout.
  void Show();
  // The shrunk window during a build: the position read-outs show and the
  // close button restores.
  void SetShrunk(bool shrunk);
  // The build button's caption turns yellow for a test run.
  void MarkTestRun();

 signals:
  void MakeClicked();       // SpeedButtonMake, left click
  void MakeRightClicked();  // SpeedButtonMake, right click
  void CloseClicked();      // ButtonClose
  void LayoutChanged();     // a bar moved by the user

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  PanelContext& context_;
  std::array<QScrollBar*, 7> bars_{};
  std::array<QLabel*, 3> spacing_panels_{};
  std::array<QLabel*, 4> position_panels_{};
  QPushButton* make_button_ = nullptr;
  QPushButton* close_button_ = nullptr;
};

}  // namespace murva
