#include "platform/desktop_notification.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

#include "platform/session_bus.h"

namespace murva {
namespace {

// Long enough for a server that is being started on demand.
constexpr int kNotifyTimeout = 5000;

}  // namespace

std::string NotificationBody(const std::string& text) {
  std::string body;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      body += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '&') {
      body += "&amp;";
    } else if (c == '<') {
      body += "&lt;";
    } else if (c == '>') {
      body += "&gt;";
    } else {
      body += c;
    }
  }
  return body;
}

bool ShowDesktopNotification(const std::string& summary, const std::string& body,
                             std::string& error) {
  // Notify(app_name, replaces_id, app_icon, summary, body, actions, hints,
  // expire_timeout): a new notice that stays as long as the server keeps
  // notices of its urgency.
  const QVariantList arguments = {QString("MURVA32"),
                                  QVariant::fromValue(0u),
                                  QString("murva32"),
                                  QString::fromStdString(summary),
                                  QString::fromStdString(NotificationBody(body)),
                                  QStringList(),
                                  QVariantMap{{"desktop-entry", QString("murva32")}},
                                  QVariant::fromValue(-1)};
  return CallSessionBusMethod("org.freedesktop.Notifications", "/org/freedesktop/Notifications",
                              "org.freedesktop.Notifications", "Notify", arguments,
                              kNotifyTimeout, error);
}

}  // namespace murva
