// A stand-in for a desktop's notification server on a test's private session
// bus: it owns org.freedesktop.Notifications, answers Notify on
// /org/freedesktop/Notifications, and appends the application name, the
// summary and the body of every notice to the file named by its argument
// (each followed by its buttons' keys and a line "--end--"). GetCapabilities
// lists the capabilities named after the file ("body" when none are). A
// notice that replaces another keeps its number. With press=KEY among the
// words, the first notice offering the button KEY has it pressed a moment
// later (ActionInvoked), as a user would.
//
//   fake_notifications RECORD-FILE [CAPABILITY...] [press=KEY]
//
// It prints "ready" once the name is taken.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QFile>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>
#include <cstdio>

class FakeNotifications : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

 public:
  FakeNotifications(QString record, QStringList capabilities, QString press)
      : record_(std::move(record)), capabilities_(std::move(capabilities)), press_(std::move(press)) {}

 signals:
  void ActionInvoked(uint id, const QString& action);
  void NotificationClosed(uint id, uint reason);

 public slots:
  QStringList GetCapabilities() { return capabilities_; }

  uint Notify(const QString& application, uint replaces, const QString& icon,
              const QString& summary, const QString& body, const QStringList& actions,
              const QVariantMap& hints, int timeout) {
    QStringList keys;
    for (int i = 0; i + 1 < actions.size(); i += 2) keys << actions[i];
    QFile file(record_);
    if (file.open(QIODevice::Append)) {
      file.write((application + "\n" + summary + "\n" + body + "\n" + keys.join(",") +
                  "\n--end--\n").toUtf8());
    }
    const uint id = replaces != 0 ? replaces : ++count_;
    if (!press_.isEmpty() && keys.contains(press_)) {
      const QString key = press_;
      press_.clear();
      QTimer::singleShot(100, this, [this, id, key] { emit ActionInvoked(id, key); });
    }
    return id;
  }

  void CloseNotification(uint id) { emit NotificationClosed(id, 3); }

 private:
  QString record_;
  QStringList capabilities_;
  QString press_;
  uint count_ = 0;
};

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: fake_notifications RECORD-FILE [CAPABILITY...]\n");
    return 2;
  }
  QStringList capabilities;
  QString press;
  for (int i = 2; i < argc; ++i) {
    const QString word = QString::fromLocal8Bit(argv[i]);
    if (word.startsWith("press=")) {
      press = word.mid(6);
    } else {
      capabilities << word;
    }
  }
  if (capabilities.isEmpty()) capabilities << "body";
  FakeNotifications server(QString::fromLocal8Bit(argv[1]), capabilities, press);
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.registerObject("/org/freedesktop/Notifications", &server,
                          QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals) ||
      !bus.registerService("org.freedesktop.Notifications")) {
    std::fprintf(stderr, "fake_notifications: %s\n", qPrintable(bus.lastError().message()));
    return 1;
  }
  std::printf("ready\n");
  std::fflush(stdout);
  return application.exec();
}

#include "fake_notifications.moc"
