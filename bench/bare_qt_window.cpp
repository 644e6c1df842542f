// The yardstick for an automatic run's start and end: a bare Qt Widgets
// program that opens a window and exits, nothing else.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.resize(640, 480);
  window.show();
  QTimer::singleShot(0, &application, &QApplication::quit);
  return application.exec();
}
