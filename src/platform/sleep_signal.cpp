#include "platform/sleep_signal.h"

#include <QDBusConnection>
#include <QDBusError>
#include <atomic>
#include <cstdlib>

namespace murva {
namespace {

constexpr const char* kLogin1 = "org.freedesktop.login1";
constexpr const char* kLogin1Path = "/org/freedesktop/login1";
constexpr const char* kManager = "org.freedesktop.login1.Manager";

std::atomic<int> connection_counter{0};

}  // namespace

QString SystemBusAddress() {
  const char* address = std::getenv("DBUS_SYSTEM_BUS_ADDRESS");
  if (address && *address) return QString::fromLocal8Bit(address);
  return "unix:path=/run/dbus/system_bus_socket";
}

SleepSignal::SleepSignal(QObject* parent) : QObject(parent) {}

SleepSignal::~SleepSignal() { Drop(); }

void SleepSignal::Drop() {
  if (!connected_) return;
  QDBusConnection::disconnectFromBus(name_);
  connected_ = false;
}

bool SleepSignal::Listening() const {
  return connected_ && QDBusConnection(name_).isConnected();
}

bool SleepSignal::Listen() {
  if (Listening()) return true;
  Drop();
  // A new name for every connection: Qt keeps a closed one under its name.
  name_ = QString("murva32-system-bus-%1").arg(connection_counter.fetch_add(1));
  QDBusConnection bus = QDBusConnection::connectToBus(SystemBusAddress(), name_);
  connected_ = true;
  if (!bus.isConnected()) {
    problem_ = bus.lastError().message();
    Drop();
    return false;
  }
  if (!bus.connect(kLogin1, kLogin1Path, kManager, "PrepareForSleep", this,
                   SLOT(PrepareForSleep(bool)))) {
    problem_ = bus.lastError().message();
    Drop();
    return false;
  }
  problem_.clear();
  return true;
}

void SleepSignal::PrepareForSleep(bool starting) {
  if (starting) {
    emit Suspending();
  } else {
    emit Resumed();
  }
}

}  // namespace murva
