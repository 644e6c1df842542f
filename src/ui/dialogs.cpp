#include "ui/dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

#include "app/messages.h"

namespace murva {

QString Dialogs::OpenFileName(QWidget* parent, const QString& folder, const QString& filter) {
  return QFileDialog::getOpenFileName(parent, QString(), folder, filter);
}

std::optional<QColor> Dialogs::ChooseColor(QWidget* parent, const QColor& initial) {
  const QColor chosen = QColorDialog::getColor(initial, parent);
  if (!chosen.isValid()) return std::nullopt;
  return chosen;
}

std::optional<QFont> Dialogs::ChooseFont(QWidget* parent, const QFont& initial) {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, initial, parent);
  if (!ok) return std::nullopt;
  return chosen;
}

void Dialogs::Message(QWidget* parent, const QString& text, MessageIcon icon) {
  const QMessageBox::Icon box_icon = icon == MessageIcon::kError     ? QMessageBox::Critical
                                     : icon == MessageIcon::kWarning ? QMessageBox::Warning
                                                                     : QMessageBox::Information;
  QMessageBox box(box_icon, text::kApplicationTitle, text, QMessageBox::Ok, parent);
  box.setObjectName("MessageBox");
  box.exec();
}

bool Dialogs::Ask(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Question, text::kApplicationTitle, text,
                  QMessageBox::Yes | QMessageBox::No, parent);
  box.setObjectName("MessageBox");
  return box.exec() == QMessageBox::Yes;
}

Dialogs& StandardDialogs() {
  static Dialogs dialogs;
  return dialogs;
}

}  // namespace murva
