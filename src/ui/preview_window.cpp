#include "ui/preview_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QScrollBar>

namespace murva {

PreviewWindow::PreviewWindow(QWidget* parent) : QScrollArea(parent) {
  setObjectName("FormPreview");
  setWindowFlag(Qt::Window);
  setAttribute(Qt::WA_DeleteOnClose, false);
  setBackgroundRole(QPalette::Dark);
  setAlignment(Qt::AlignCenter);
  label_ = new QLabel(this);
  label_->setObjectName("ImagePreview");
  setWidget(label_);
}

void PreviewWindow::ShowPicture(const QImage& picture, int page) {
  picture_ = picture;
  setWindowTitle(QString("MURVA32  壁紙 %1 の原寸プレビュー（%2 × %3）")
                     .arg(QChar(0xFF10 + page))
                     .arg(picture.width())
                     .arg(picture.height()));
  QPixmap pixmap = QPixmap::fromImage(picture);
  // One picture pixel on one device pixel, also on a scaled screen.
  pixmap.setDevicePixelRatio(devicePixelRatioF());
  label_->setPixmap(pixmap);
  label_->resize(pixmap.deviceIndependentSize().toSize());
  if (sized_) return;
  sized_ = true;
  const QScreen* screen =
      parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  const QSize room = screen ? screen->availableGeometry().size() * 9 / 10 : QSize(1024, 768);
  const int frame = 2 * frameWidth();
  const QSize whole = label_->size() + QSize(frame, frame);
  QSize size = whole.boundedTo(room);
  // Scroll bars take room where the picture does not fit.
  if (size.width() < whole.width()) size.rheight() += horizontalScrollBar()->sizeHint().height();
  if (size.height() < whole.height()) size.rwidth() += verticalScrollBar()->sizeHint().width();
  resize(size.boundedTo(room));
}

void PreviewWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QScrollArea::keyPressEvent(event);
}

}  // namespace murva
