// The one QCoreApplication of a test program whose code needs an event loop
// (bus signals, network replies); made on first use unless one is there.
#pragma once

#include <QCoreApplication>

namespace murva::testing {

inline QCoreApplication& CoreApplication() {
  static int argc = 1;
  static char name[] = "murva_tests";
  static char* argv[] = {name, nullptr};
  static QCoreApplication* application =
      QCoreApplication::instance() ? QCoreApplication::instance() : new QCoreApplication(argc, argv);
  return *application;
}

}  // namespace murva::testing
