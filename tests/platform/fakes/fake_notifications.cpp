// A stand-in for a desktop's notification server on a test's private session
// bus: it owns org.freedesktop.Notifications, answers Notify on
// /org/freedesktop/Notifications, and appends the application name, the
// summary and the body of every notice to the file named by its argument
// (each followed by a line "--end--"). GetCapabilities lists the
// capabilities named after the file ("body" when none are).
//
//   fake_notifications RECORD-FILE [CAPABILITY...]
//
// It prints "ready" once the name is taken.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QFile>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <cstdio>

class FakeNotifications : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

 public:
  FakeNotifications(QString record, QStringList capabilities)
      : record_(std::move(record)), capabilities_(std::move(capabilities)) {}

 public slots:
  QStringList GetCapabilities() { return capabilities_; }

  uint Notify(const QString& application, uint replaces, const QString& icon,
              const QString& summary, const QString& body, const QStringList& actions,
              const QVariantMap& hints, int timeout) {
    QFile file(record_);
    if (file.open(QIODevice::Append)) {
      file.write((application + "\n" + summary + "\n" + body + "\n--end--\n").toUtf8());
    }
    return ++count_;
  }

 private:
  QString record_;
  QStringList capabilities_;
  uint count_ = 0;
};

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: fake_notifications RECORD-FILE [CAPABILITY...]\n");
    return 2;
  }
  QStringList capabilities;
  for (int i = 2; i < argc; ++i) capabilities << QString::fromLocal8Bit(argv[i]);
  if (capabilities.isEmpty()) capabilities << "body";
  FakeNotifications server(QString::fromLocal8Bit(argv[1]), capabilities);
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.registerObject("/org/freedesktop/Notifications", &server,
                          QDBusConnection::ExportAllSlots) ||
      !bus.registerService("org.freedesktop.Notifications")) {
    std::fprintf(stderr, "fake_notifications: %s\n", qPrintable(bus.lastError().message()));
    return 1;
  }
  std::printf("ready\n");
  std::fflush(stdout);
  return application.exec();
}

#include "fake_notifications.moc"
