// Prints the texts of a standard dialog's buttons after the program's own
// start-up has loaded Qt's translations for the system locale, one per line:
// Open, Cancel, Yes, No. The window tests run it under chosen locales.
#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <cstdio>

#include "ui/application_look.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  murva::InstallQtTranslations(application, QLocale::system());
  QDialogButtonBox box(QDialogButtonBox::Open | QDialogButtonBox::Cancel | QDialogButtonBox::Yes |
                       QDialogButtonBox::No);
  for (const auto which : {QDialogButtonBox::Open, QDialogButtonBox::Cancel, QDialogButtonBox::Yes,
                           QDialogButtonBox::No}) {
    std::printf("%s\n", box.button(which)->text().toUtf8().constData());
  }
  return 0;
}
