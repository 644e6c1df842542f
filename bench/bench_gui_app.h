// The one Qt application of the benchmark process (drawing needs one for
// its fonts), on the offscreen platform unless another is asked for.
#pragma once

#include <QGuiApplication>

namespace murva::bench {

inline QGuiApplication& GuiApp() {
  static QGuiApplication* app = [] {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "murva_bench";
    static char* argv[] = {name, nullptr};
    return new QGuiApplication(argc, argv);
  }();
  return *app;
}

}  // namespace murva::bench
