// The standard dialogs the control panel opens: file, colour and font
// choices, message boxes and questions. The window asks for them through this
// one seam, so that window tests can answer them without a person.
#pragma once

#include <QColor>
#include <QFont>
#include <QSize>
#include <QString>
#include <optional>

#include "app/message_icon.h"

class QWidget;

namespace murva {

// The answers to "save the changes before closing?".
enum class SaveChoice { kSave, kDiscard, kCancel };

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // The chosen file's full path, or an empty text when cancelled. The
  // dialog opens in `folder`, or when that is empty in the folder of the
  // file chosen last in this session.
  virtual QString OpenFileName(QWidget* parent, const QString& folder, const QString& filter);
  // The chosen colour, or nullopt when cancelled.
  virtual std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial);
  // The chosen font, or nullopt when cancelled. A dialog accepted without a
  // change returns `initial` itself, also where the dialog could not show
  // every detail of it (a style the family has no face for).
  virtual std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial);
  // A message box that waits for the user.
  virtual void Message(QWidget* parent, const QString& text, MessageIcon icon);
  // A question answered with yes (true) or no.
  virtual bool Ask(QWidget* parent, const QString& text);
  // Asks whether unsaved changes are saved before the window closes:
  // 保存 / 保存しない / キャンセル.
  virtual SaveChoice AskSaveChanges(QWidget* parent, const QString& text);

  // The folder of the file chosen last in this session (empty before).
  const QString& LastFolder() const { return last_folder_; }

 protected:
  void RememberFolderOf(const QString& file);

 private:
  QString last_folder_;
};

// The size a file dialog opens at: room for the name, size, type and date
// columns, within the screen of `parent`.
QSize FileDialogSize(const QWidget* parent);

// The dialogs of the desktop: Qt's standard dialogs.
Dialogs& StandardDialogs();

}  // namespace murva
