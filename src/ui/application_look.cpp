#include "ui/application_look.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

// The icon is compiled into the ui library; a static library needs its
// resources registered by hand, outside any namespace.
static void RegisterMurvaResources() { Q_INIT_RESOURCE(murva32); }

namespace murva {

QIcon ApplicationIcon() {
  static const bool registered = (RegisterMurvaResources(), true);
  (void)registered;
  // The installed icon is this same picture. Looking it up in the icon
  // theme would read the theme's index files at every start, which costs an
  // automatic run more time than the rest of its window.
  return QIcon(":/murva32/murva32.svg");
}

bool InstallQtTranslations(QCoreApplication& application, const QLocale& locale) {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  auto* translator = new QTranslator(&application);
  if (!translator->load(locale, "qtbase", "_", folder)) {
    delete translator;
    return false;
  }
  application.installTranslator(translator);
  return true;
}

}  // namespace murva
