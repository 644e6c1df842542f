#include "platform/session_bus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QString>
#include <atomic>
#include <cstdlib>
#include <filesystem>

namespace murva {
namespace {

// Milliseconds to wait for an answer; plasmashell may be busy starting.
constexpr int kCallTimeout = 30000;

// The session bus's address as the environment gives it now (the D-Bus
// library would keep the first one it saw for the life of the process).
QString SessionBusAddress() {
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  if (address && *address) return QString::fromLocal8Bit(address);
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (!runtime || !*runtime) return {};
  return "unix:path=" + QString::fromLocal8Bit(runtime) + "/bus";
}

// One connection for one use.
class ScopedSessionBus {
 public:
  ScopedSessionBus()
      : name_(QString("murva32-bus-%1").arg(counter_.fetch_add(1))),
        connection_(QDBusConnection::connectToBus(SessionBusAddress(), name_)) {}
  ~ScopedSessionBus() { QDBusConnection::disconnectFromBus(name_); }
  ScopedSessionBus(const ScopedSessionBus&) = delete;
  ScopedSessionBus& operator=(const ScopedSessionBus&) = delete;
  QDBusConnection& connection() { return connection_; }

 private:
  static std::atomic<int> counter_;
  QString name_;
  QDBusConnection connection_;
};

std::atomic<int> ScopedSessionBus::counter_{0};

}  // namespace

bool SessionBusAvailable() {
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  if (address && *address) return true;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (!runtime || !*runtime) return false;
  std::error_code error;
  return std::filesystem::is_socket(std::filesystem::path(runtime) / "bus", error);
}

bool SessionBusNameHasOwner(const std::string& name) {
  if (!SessionBusAvailable()) return false;
  ScopedSessionBus bus;
  if (!bus.connection().isConnected() || !bus.connection().interface()) return false;
  const auto reply = bus.connection().interface()->isServiceRegistered(QString::fromStdString(name));
  return reply.isValid() && reply.value();
}

bool CallSessionBusMethod(const std::string& service, const std::string& path,
                          const std::string& interface, const std::string& method,
                          const std::string& argument, std::string& error) {
  return CallSessionBusMethod(service, path, interface, method,
                              {QString::fromStdString(argument)}, kCallTimeout, error);
}

bool CallSessionBusMethod(const std::string& service, const std::string& path,
                          const std::string& interface, const std::string& method,
                          const QVariantList& arguments, int timeout_ms, std::string& error) {
  if (!SessionBusAvailable()) {
    error = "no session bus";
    return false;
  }
  ScopedSessionBus bus;
  if (!bus.connection().isConnected()) {
    error = "cannot connect to the session bus: " + bus.connection().lastError().message().toStdString();
    return false;
  }
  QDBusMessage call = QDBusMessage::createMethodCall(
      QString::fromStdString(service), QString::fromStdString(path),
      QString::fromStdString(interface), QString::fromStdString(method));
  call.setArguments(arguments);
  const QDBusMessage reply = bus.connection().call(call, QDBus::Block, timeout_ms);
  if (reply.type() == QDBusMessage::ErrorMessage) {
    error = reply.errorName().toStdString() + ": " + reply.errorMessage().toStdString();
    return false;
  }
  if (reply.type() != QDBusMessage::ReplyMessage) {
    error = "no answer from " + service;
    return false;
  }
  return true;
}

}  // namespace murva
