// Alt+R in the control panel. Two buttons carry it: "壁紙(&R)" of the shown
// wallpaper page and "参照(&R)" on "特別な設定"; when both are on screen Qt
// would only move the focus between them. Alt+R opens the browse dialog of
// the area the keyboard focus is in: "参照(&R)" while the focus is inside
// "特別な設定", the shown wallpaper page's "壁紙(&R)" otherwise.
#pragma once

#include <QObject>

class QAbstractButton;
class QWidget;

namespace murva {

class BrowseShortcut : public QObject {
  Q_OBJECT

 public:
  // Watches the browse buttons of the window (found by their names).
  explicit BrowseShortcut(QWidget& window);

  // The button Alt+R presses with the focus where it is now (null when
  // neither is on screen).
  QAbstractButton* Target() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
};

}  // namespace murva
