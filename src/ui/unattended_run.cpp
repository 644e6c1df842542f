#include "ui/unattended_run.h"

#include <QSocketNotifier>

#include "app/unattended_report.h"
#include "platform/stop_signals.h"
#include "ui/form_main.h"

namespace murva {

QString UnattendedDialogs::OpenFileName(QWidget*, const QString&, const QString&) { return {}; }

std::optional<QColor> UnattendedDialogs::ChooseColor(QWidget*, const QColor&) { return std::nullopt; }

std::optional<QFont> UnattendedDialogs::ChooseFont(QWidget*, const QFont&) { return std::nullopt; }

void UnattendedDialogs::Message(QWidget*, const QString& text, MessageIcon) {
  ReportUnattended(text.toStdString());
}

bool UnattendedDialogs::Ask(QWidget*, const QString& text) {
  ReportUnattended(text.toStdString());
  return false;
}

SaveChoice UnattendedDialogs::AskSaveChanges(QWidget*, const QString& text) {
  ReportUnattended(text.toStdString());
  return SaveChoice::kDiscard;
}

UnattendedRun::UnattendedRun(TFormMain& form) : QObject(&form) {
  form.SetDialogs(dialogs_);
  const int fd = CatchStopSignals();
  if (fd < 0) return;
  auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, [&form, fd] {
    if (TakeStopSignal(fd) != 0) form.close();
  });
}

UnattendedRun::~UnattendedRun() { ReleaseStopSignals(); }

}  // namespace murva
