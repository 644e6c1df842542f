#include "ui/dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>

#include "app/messages.h"

namespace murva {
namespace {

// The file dialog's default size cuts its columns ("19…iB"); this one shows
// a long name beside the size, type and date.
constexpr QSize kFileDialogSize(900, 560);

}  // namespace

QSize FileDialogSize(const QWidget* parent) {
  const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  if (!screen) return kFileDialogSize;
  const QSize room = screen->availableGeometry().size() * 9 / 10;
  return kFileDialogSize.boundedTo(room);
}

void Dialogs::RememberFolderOf(const QString& file) {
  if (!file.isEmpty()) last_folder_ = QFileInfo(file).absolutePath();
}

QString Dialogs::OpenFileName(QWidget* parent, const QString& folder, const QString& filter) {
  QFileDialog dialog(parent, QString(), folder.isEmpty() ? last_folder_ : folder, filter);
  dialog.setObjectName("FileDialog");
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setViewMode(QFileDialog::Detail);
  dialog.resize(FileDialogSize(parent));
  // The name column takes what the other columns leave (Qt's own dialog).
  if (auto* view = dialog.findChild<QTreeView*>()) {
    view->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < view->header()->count(); ++column) {
      view->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString file = dialog.selectedFiles().constFirst();
  RememberFolderOf(file);
  return file;
}

std::optional<QColor> Dialogs::ChooseColor(QWidget* parent, const QColor& initial) {
  const QColor chosen = QColorDialog::getColor(initial, parent, text::kColorDialogTitle);
  if (!chosen.isValid()) return std::nullopt;
  return chosen;
}

std::optional<QFont> Dialogs::ChooseFont(QWidget* parent, const QFont& initial) {
  QFontDialog dialog(initial, parent);
  dialog.setObjectName("FontDialog");
  // What the dialog makes of the font it was given: a dialog accepted with
  // this unchanged was not changed by the user.
  const QFont shown = dialog.currentFont();
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QFont chosen = dialog.selectedFont();
  if (chosen == shown) return initial;
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

SaveChoice Dialogs::AskSaveChanges(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Warning, text::kApplicationTitle, text, QMessageBox::NoButton,
                  parent);
  box.setObjectName("SaveChangesBox");
  QPushButton* save = box.addButton("保存(&S)", QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton("保存しない(&N)", QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton("キャンセル", QMessageBox::RejectRole);
  save->setObjectName("ButtonSave");
  discard->setObjectName("ButtonDiscard");
  cancel->setObjectName("ButtonCancel");
  box.setDefaultButton(save);
  // Esc and the window's close box answer "cancel": nothing is lost.
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == save) return SaveChoice::kSave;
  if (box.clickedButton() == discard) return SaveChoice::kDiscard;
  return SaveChoice::kCancel;
}

Dialogs& StandardDialogs() {
  static Dialogs dialogs;
  return dialogs;
}

}  // namespace murva
