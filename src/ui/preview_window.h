// The wallpaper of the preview at full size, one screen pixel per wallpaper
// pixel, in a window of its own that scrolls over it. The preview opens it
// on a double click or with its "原寸" button, and keeps it up to date while
// it is open.
#pragma once

#include <QImage>
#include <QScrollArea>

class QLabel;

namespace murva {

class PreviewWindow : public QScrollArea {
  Q_OBJECT

 public:
  explicit PreviewWindow(QWidget* parent = nullptr);

  // Shows a picture of wallpaper page n (the caption names it). The first
  // picture also sizes the window: the whole picture, or as much of it as
  // the screen has room for.
  void ShowPicture(const QImage& picture, int page);
  const QImage& Picture() const { return picture_; }

 protected:
  // Esc closes the window, as it closes a dialog.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QLabel* label_ = nullptr;
  QImage picture_;
  bool sized_ = false;
};

}  // namespace murva
