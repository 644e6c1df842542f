#include "ui/browse_shortcut.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeySequence>
#include <QShortcutEvent>

namespace murva {
namespace {

constexpr const char* kSpecialTab = "TabSheetS5";
constexpr const char* kProgramBrowse = "SpeedButtonProRef";
constexpr const char* kWallpaperBrowseStem = "SpeedButtonPathW";
constexpr int kPages = 8;

QString WallpaperBrowse(int page) { return QString("%1%2").arg(kWallpaperBrowseStem).arg(page); }

}  // namespace

BrowseShortcut::BrowseShortcut(QWidget& window) : QObject(&window), window_(window) {
  for (int page = 1; page <= kPages; ++page) {
    if (auto* button = window_.findChild<QAbstractButton*>(WallpaperBrowse(page))) {
      button->installEventFilter(this);
    }
  }
  if (auto* button = window_.findChild<QAbstractButton*>(kProgramBrowse)) {
    button->installEventFilter(this);
  }
}

QAbstractButton* BrowseShortcut::Target() const {
  const QWidget* focus = QApplication::focusWidget();
  const QWidget* special = window_.findChild<QWidget*>(kSpecialTab);
  if (focus && special && (focus == special || special->isAncestorOf(focus))) {
    auto* button = window_.findChild<QAbstractButton*>(kProgramBrowse);
    if (button && button->isVisible()) return button;
  }
  for (int page = 1; page <= kPages; ++page) {
    auto* button = window_.findChild<QAbstractButton*>(WallpaperBrowse(page));
    if (button && button->isVisible()) return button;
  }
  return nullptr;
}

bool BrowseShortcut::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Shortcut &&
      static_cast<QShortcutEvent*>(event)->key() == QKeySequence(Qt::ALT | Qt::Key_R)) {
    if (QAbstractButton* target = Target()) {
      // Pressed once the shortcut's delivery is over, as a click would be.
      target->animateClick();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace murva
