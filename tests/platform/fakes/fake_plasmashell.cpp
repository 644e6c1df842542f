// A stand-in for plasmashell on a test's private session bus: it owns
// org.kde.plasmashell, answers org.kde.PlasmaShell.evaluateScript on
// /PlasmaShell, and appends every script it is sent to the file named by its
// first argument (each followed by a line "--end--"). With a second argument
// "fail" it answers every script with an error, as plasmashell does for a
// script that throws.
//
//   fake_plasmashell RECORD-FILE [fail]
//
// It prints "ready" once the name is taken.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QFile>
#include <QObject>
#include <QString>
#include <cstdio>

class FakePlasmaShell : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.PlasmaShell")

 public:
  FakePlasmaShell(QString record, bool fail) : record_(std::move(record)), fail_(fail) {}

 public slots:
  QString evaluateScript(const QString& script) {
    QFile file(record_);
    if (file.open(QIODevice::Append)) {
      file.write(script.toUtf8());
      file.write("\n--end--\n");
    }
    if (fail_) sendErrorReply(QDBusError::Failed, "Error: desktops is not defined");
    return QString();
  }

 private:
  QString record_;
  bool fail_;
};

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: fake_plasmashell RECORD-FILE [fail]\n");
    return 2;
  }
  FakePlasmaShell shell(QString::fromLocal8Bit(argv[1]), argc > 2 && QString(argv[2]) == "fail");
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.registerObject("/PlasmaShell", &shell, QDBusConnection::ExportAllSlots) ||
      !bus.registerService("org.kde.plasmashell")) {
    std::fprintf(stderr, "fake_plasmashell: %s\n", qPrintable(bus.lastError().message()));
    return 1;
  }
  std::printf("ready\n");
  std::fflush(stdout);
  return application.exec();
}

#include "fake_plasmashell.moc"
