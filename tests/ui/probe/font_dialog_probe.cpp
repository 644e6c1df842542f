// Opens the control panel's font dialog on a few stored font names, presses
// OK without touching it, and prints for each, one line: the family the
// dialog showed, the family the wallpaper is drawn with, and whether the
// answer changed the setting ("same" or "changed"). The window tests run it
// under chosen locales, since the family names the dialog lists follow the
// language of the desktop.
#include <QApplication>
#include <QFontDialog>
#include <QFontInfo>
#include <QTimer>
#include <cstdio>

#include "app/font_choice.h"
#include "ui/dialogs.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  murva::Dialogs dialogs;
  for (const char* name : {"ＭＳ ゴシック", "ＭＳ Ｐ明朝", "Sans Serif"}) {
    const murva::FontSetting stored{name, 11, murva::kStyleBold};
    QString shown;
    QTimer::singleShot(0, [&shown] {
      if (auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget())) {
        shown = dialog->currentFont().family();
        dialog->accept();
      }
    });
    const QFont initial = murva::DialogFontOf(stored);
    const std::optional<QFont> answer = dialogs.ChooseFont(nullptr, initial);
    const bool same = answer && murva::SameDialogFont(*answer, initial);
    std::printf("%s|%s|%s\n", shown.toUtf8().constData(),
                QFontInfo(murva::SampleFontOf(stored)).family().toUtf8().constData(),
                same ? "same" : "changed");
  }
  return 0;
}
