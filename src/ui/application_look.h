// What makes the program look at home on the desktop: its icon, and Qt's
// own translations so that the standard dialogs (file, colour, font, message
// boxes) speak the user's language.
#pragma once

#include <QIcon>
#include <QLocale>

class QCoreApplication;

namespace murva {

// The program's icon, carried inside the program (the picture installed
// into the hicolor icon theme for the desktop's menus).
QIcon ApplicationIcon();

// Loads Qt's translations for the locale (qtbase, from Qt's translations
// folder) into the application. Returns false when there are none for that
// language (the dialogs then stay in English).
bool InstallQtTranslations(QCoreApplication& application, const QLocale& locale);

}  // namespace murva
