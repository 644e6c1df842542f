// TFormMsg, the author's message window: a picture, six text pages stepped
// by clicks with a speech line each, and an extra button on the last page.
// It is created hidden with the main window and shown without blocking it.
#pragma once

#include <QWidget>

#include "app/author_message.h"
#include "ui/dialogs.h"

class QLabel;
class QPushButton;

namespace murva {

class TFormMsg : public QWidget {
  Q_OBJECT

 public:
  explicit TFormMsg(QWidget* parent = nullptr);

  void SetDialogs(Dialogs& dialogs) { dialogs_ = &dialogs; }
  // Shows the window centred on the screen and brings it to the front.
  void ShowMessageWindow();

  const AuthorMessage& State() const { return state_; }

  // The window's handlers.
  void FormActivate();
  void ImageMsgClick();
  void SpeedButtonMsgClick();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowState();

  AuthorMessage state_;
  Dialogs* dialogs_ = &StandardDialogs();
  QLabel* image_ = nullptr;
  QLabel* text_ = nullptr;
  QLabel* talk_ = nullptr;
  QLabel* counter_ = nullptr;
  QLabel* title_ = nullptr;
  QLabel* foot_ = nullptr;
  QPushButton* button_ = nullptr;
};

}  // namespace murva
