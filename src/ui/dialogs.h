// The standard dialogs the control panel opens: file, colour and font
// choices, message boxes and questions. The window asks for them through this
// one seam, so that window tests can answer them without a person.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

#include "app/message_icon.h"

class QWidget;

namespace murva {

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // The chosen file's full path, or an empty text when cancelled.
  virtual QString OpenFileName(QWidget* parent, const QString& folder, const QString& filter);
  // The chosen colour, or nullopt when cancelled.
  virtual std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial);
  // The chosen font, or nullopt when cancelled.
  virtual std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial);
  // A message box that waits for the user.
  virtual void Message(QWidget* parent, const QString& text, MessageIcon icon);
  // A question answered with yes (true) or no.
  virtual bool Ask(QWidget* parent, const QString& text);
};

// The dialogs of the desktop: Qt's standard dialogs.
Dialogs& StandardDialogs();

}  // namespace murva
