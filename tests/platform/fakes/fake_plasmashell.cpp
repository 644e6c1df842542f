// A stand-in for plasmashell on a test's private session bus: it owns
// org.kde.plasmashell, answers org.kde.PlasmaShell.evaluateScript on
// /PlasmaShell, and appends every script it is sent to the file named by its
// first argument (each followed by a line "--end--").
//
//   fake_plasmashell RECORD-FILE [fail] [noconnector] [screen=NAME:X,Y,WxH ...]
//
// With "fail" it answers every script with an error, as plasmashell does for
// a script that throws. Given screens, it runs each script as plasmashell
// does, in a JavaScript engine, against one desktop per screen (and one
// desktop on no screen), each showing "file:///old.png"; a script that
// throws is answered with its error, and afterwards every desktop's state
// is appended to RECORD-FILE.desktops, one line each:
//   screen=N plugin=P Image=URI FillMode=M
// then "--end--". "noconnector" leaves out screenForConnector, as older
// Plasma versions do. It prints "ready" once the name is taken.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QFile>
#include <QJSEngine>
#include <QJSValue>
#include <QMap>
#include <QObject>
#include <QRect>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <cstdio>

struct FakeScreen {
  QString connector;
  QRect geometry;
};

class FakeDesktop : public QObject {
  Q_OBJECT
  Q_PROPERTY(int screen READ screen CONSTANT)
  Q_PROPERTY(QString wallpaperPlugin MEMBER plugin_)
  Q_PROPERTY(QStringList currentConfigGroup MEMBER group_)

 public:
  FakeDesktop(int screen, QObject* parent) : QObject(parent), screen_(screen) {
    config_["Wallpaper/org.kde.image/General/Image"] = "file:///old.png";
  }
  int screen() const { return screen_; }
  Q_INVOKABLE void writeConfig(const QString& key, const QJSValue& value) {
    config_[group_.join('/') + '/' + key] = value.toString();
  }
  QString State() const {
    const QString prefix = "Wallpaper/org.kde.image/General/";
    return QString("screen=%1 plugin=%2 Image=%3 FillMode=%4")
        .arg(screen_)
        .arg(plugin_)
        .arg(config_.value(prefix + "Image"))
        .arg(config_.value(prefix + "FillMode", "-"));
  }

 private:
  int screen_;
  QString plugin_ = "org.kde.image";
  QStringList group_;
  QMap<QString, QString> config_;
};

// The global functions of plasmashell's scripting that the scripts use.
class ScriptApi : public QObject {
  Q_OBJECT

 public:
  ScriptApi(QJSEngine& engine, const QList<FakeScreen>& screens) : engine_(engine), screens_(screens) {
    for (int i = 0; i < screens.size(); ++i) desktops_.append(new FakeDesktop(i, this));
    desktops_.append(new FakeDesktop(-1, this));
  }
  Q_INVOKABLE QJSValue desktops() {
    QJSValue all = engine_.newArray(static_cast<uint>(desktops_.size()));
    for (int i = 0; i < desktops_.size(); ++i) all.setProperty(i, engine_.newQObject(desktops_[i]));
    return all;
  }
  Q_INVOKABLE QJSValue screenGeometry(int screen) {
    const QRect area = screen >= 0 && screen < screens_.size() ? screens_[screen].geometry : QRect();
    QJSValue rect = engine_.newObject();
    rect.setProperty("x", area.x());
    rect.setProperty("y", area.y());
    rect.setProperty("width", area.width());
    rect.setProperty("height", area.height());
    return rect;
  }
  Q_INVOKABLE int screenForConnector(const QString& connector) {
    for (int i = 0; i < screens_.size(); ++i) {
      if (screens_[i].connector == connector) return i;
    }
    return -1;
  }
  QString States() const {
    QString text;
    for (const FakeDesktop* desktop : desktops_) text += desktop->State() + '\n';
    return text + "--end--\n";
  }

 private:
  QJSEngine& engine_;
  QList<FakeScreen> screens_;
  QList<FakeDesktop*> desktops_;
};

class FakePlasmaShell : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.PlasmaShell")

 public:
  FakePlasmaShell(QString record, bool fail, bool connectors, QList<FakeScreen> screens)
      : record_(std::move(record)), fail_(fail), connectors_(connectors), screens_(std::move(screens)) {}

 public slots:
  QString evaluateScript(const QString& script) {
    Append(record_, script.toUtf8() + "\n--end--\n");
    if (fail_) {
      sendErrorReply(QDBusError::Failed, "Error: desktops is not defined");
      return QString();
    }
    if (screens_.isEmpty()) return QString();
    QJSEngine engine;
    ScriptApi api(engine, screens_);
    engine.globalObject().setProperty("shell", engine.newQObject(&api));
    QString prelude =
        "function desktops() { return shell.desktops(); }\n"
        "function screenGeometry(screen) { return shell.screenGeometry(screen); }\n";
    if (connectors_) {
      prelude += "function screenForConnector(name) { return shell.screenForConnector(name); }\n";
    }
    engine.evaluate(prelude);
    const QJSValue result = engine.evaluate(script);
    Append(record_ + ".desktops", api.States().toUtf8());
    if (result.isError()) sendErrorReply(QDBusError::Failed, "Error: " + result.toString());
    return QString();
  }

 private:
  static void Append(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::Append)) file.write(bytes);
  }

  QString record_;
  bool fail_;
  bool connectors_;
  QList<FakeScreen> screens_;
};

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: fake_plasmashell RECORD-FILE [fail] [noconnector] [screen=...]\n");
    return 2;
  }
  bool fail = false;
  bool connectors = true;
  QList<FakeScreen> screens;
  const QRegularExpression screen_pattern(R"(^screen=([^:]+):(-?\d+),(-?\d+),(\d+)x(\d+)$)");
  for (int i = 2; i < argc; ++i) {
    const QString argument = QString::fromLocal8Bit(argv[i]);
    const QRegularExpressionMatch match = screen_pattern.match(argument);
    if (argument == "fail") {
      fail = true;
    } else if (argument == "noconnector") {
      connectors = false;
    } else if (match.hasMatch()) {
      screens.append({match.captured(1), QRect(match.captured(2).toInt(), match.captured(3).toInt(),
                                               match.captured(4).toInt(), match.captured(5).toInt())});
    }
  }
  FakePlasmaShell shell(QString::fromLocal8Bit(argv[1]), fail, connectors, screens);
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
