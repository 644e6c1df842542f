// An automatic run with nobody to answer ("-E --unattended", as the resident
// mode starts it): its messages become lines on standard error and desktop
// notices instead of message boxes that would wait for ever, its questions
// are answered "no" (unsaved changes are not saved) and its dialogs
// cancelled, and SIGTERM (or SIGINT, SIGHUP) closes the window between two
// steps of the run, so that no file is left half-written.
#pragma once

#include <QObject>

#include "ui/dialogs.h"

namespace murva {

class TFormMain;

class UnattendedDialogs final : public Dialogs {
 public:
  QString OpenFileName(QWidget* parent, const QString& folder, const QString& filter) override;
  std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) override;
  std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) override;
  void Message(QWidget* parent, const QString& text, MessageIcon icon) override;
  bool Ask(QWidget* parent, const QString& text) override;
  SaveChoice AskSaveChanges(QWidget* parent, const QString& text) override;
};

class UnattendedRun final : public QObject {
 public:
  // Gives the form the unattended dialogs and closes it at a stop signal.
  explicit UnattendedRun(TFormMain& form);
  ~UnattendedRun() override;

 private:
  UnattendedDialogs dialogs_;
};

}  // namespace murva
