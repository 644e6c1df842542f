#include "platform/notification_server.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QString>
#include <QStringList>
#include <atomic>
#include <filesystem>

namespace murva {
namespace {

constexpr char kService[] = "org.freedesktop.Notifications";
// A server started on demand needs a moment before it answers.
constexpr int kCapabilitiesTimeout = 3000;

}  // namespace

std::string SessionBusAddress(const EnvironmentLookup& environment) {
  if (std::string address = environment("DBUS_SESSION_BUS_ADDRESS"); !address.empty()) {
    return address;
  }
  const std::string runtime = environment("XDG_RUNTIME_DIR");
  if (runtime.empty()) return {};
  const std::filesystem::path socket = std::filesystem::path(runtime) / "bus";
  std::error_code error;
  if (!std::filesystem::is_socket(socket, error)) return {};
  return "unix:path=" + socket.string();
}

NotificationServer ProbeNotificationServer(const std::string& address) {
  NotificationServer server;
  if (address.empty()) return server;
  static std::atomic<int> counter{0};
  const QString name = QString("murva32-notifications-%1").arg(counter.fetch_add(1));
  {
    QDBusConnection bus = QDBusConnection::connectToBus(QString::fromStdString(address), name);
    QDBusConnectionInterface* daemon = bus.isConnected() ? bus.interface() : nullptr;
    if (daemon) {
      const auto owned = daemon->isServiceRegistered(kService);
      bool served = owned.isValid() && owned.value();
      if (!served) {
        const auto startable = daemon->activatableServiceNames();
        served = startable.isValid() && startable.value().contains(kService);
      }
      if (served) {
        // Asking for the capabilities also starts a server that is only
        // activatable; one that does not answer shows no notices either.
        const QDBusMessage call = QDBusMessage::createMethodCall(
            kService, "/org/freedesktop/Notifications", kService, "GetCapabilities");
        const QDBusMessage reply = bus.call(call, QDBus::Block, kCapabilitiesTimeout);
        if (reply.type() == QDBusMessage::ReplyMessage) {
          server.present = true;
          const QVariantList arguments = reply.arguments();
          server.actions =
              !arguments.isEmpty() && arguments.front().toStringList().contains("actions");
        }
      }
    }
  }
  QDBusConnection::disconnectFromBus(name);
  return server;
}

}  // namespace murva
