#include "platform/countdown_notification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

#include "platform/desktop_notification.h"

namespace murva {
namespace {

constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";
constexpr const char* kInterface = "org.freedesktop.Notifications";
constexpr const char* kBuildNow = "build-now";
constexpr const char* kCancel = "cancel";
// The NotificationClosed reason "dismissed by the user" of the notification protocol.
constexpr uint kDismissedByUser = 2;
constexpr int kCallTimeout = 5000;

}  // namespace

CountdownNotification::CountdownNotification(bool with_buttons, QObject* parent)
    : QObject(parent), with_buttons_(with_buttons) {
  // A connection of its own, kept for the countdown, so that the server's
  // signals about this notice reach it.
  bus_ = std::make_unique<QDBusConnection>(
      QDBusConnection::connectToBus(QDBusConnection::SessionBus, "murva32-countdown"));
  if (!bus_->isConnected()) return;
  bus_->connect(kService, kPath, kInterface, "ActionInvoked", this,
                SLOT(ActionInvoked(uint, QString)));
  bus_->connect(kService, kPath, kInterface, "NotificationClosed", this,
                SLOT(NotificationClosed(uint, uint)));
}

CountdownNotification::~CountdownNotification() {
  Close();
  if (bus_) {
    bus_.reset();
    QDBusConnection::disconnectFromBus("murva32-countdown");
  }
}

bool CountdownNotification::Show(const std::string& summary, const std::string& body) {
  if (dismissed_) return true;
  if (!bus_ || !bus_->isConnected()) return false;
  QStringList actions;
  if (with_buttons_) {
    actions << kBuildNow << QString::fromUtf8("今すぐ作成") << kCancel << QString::fromUtf8("中止");
  }
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "Notify");
  // A notice that stays until replaced (no timeout) and that servers keep
  // in place rather than stacking.
  call << QString("MURVA32") << QVariant::fromValue(id_) << QString("murva32")
       << QString::fromStdString(summary) << QString::fromStdString(NotificationBody(body))
       << actions
       << QVariantMap{{"desktop-entry", QString("murva32")},
                      {"transient", true},
                      {"urgency", QVariant::fromValue(uchar(1))}}
       << QVariant::fromValue(0);
  const QDBusMessage answer = bus_->call(call, QDBus::Block, kCallTimeout);
  if (answer.type() != QDBusMessage::ReplyMessage || answer.arguments().isEmpty()) return false;
  id_ = answer.arguments().front().toUInt();
  return id_ != 0;
}

void CountdownNotification::Close() {
  if (!bus_ || !bus_->isConnected() || id_ == 0) return;
  closing_ = true;
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "CloseNotification");
  call << QVariant::fromValue(id_);
  bus_->call(call, QDBus::Block, kCallTimeout);
  id_ = 0;
}

void CountdownNotification::ActionInvoked(uint id, const QString& action) {
  if (id != id_ || id_ == 0) return;
  if (action == kBuildNow && on_build_now) on_build_now();
  if (action == kCancel && on_cancel) on_cancel();
}

void CountdownNotification::NotificationClosed(uint id, uint reason) {
  if (id != id_ || id_ == 0 || closing_) return;
  id_ = 0;
  // Dismissing the countdown is no answer: the build comes when it is due,
  // without the notice coming back every second.
  if (reason == kDismissedByUser) dismissed_ = true;
}

}  // namespace murva
