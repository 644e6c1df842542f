// A countdown shown as one desktop notification that is replaced every
// second (org.freedesktop.Notifications on the session bus): how a run with
// no window to show tells the seconds left, with the buttons "今すぐ作成"
// (build now) and "中止" (cancel) where the notification server offers
// buttons.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QDBusConnection;

namespace murva {

class CountdownNotification final : public QObject {
  Q_OBJECT

 public:
  // with_buttons: offer "build now" and "cancel".
  explicit CountdownNotification(bool with_buttons, QObject* parent = nullptr);
  ~CountdownNotification() override;

  // Whether a notification server took the first notice.
  bool Shown() const { return id_ != 0; }

  // Shows the notice, replacing the one before; false when no server takes it.
  bool Show(const std::string& summary, const std::string& body);
  // Takes the notice away.
  void Close();

  // Called when the user presses a button or dismisses the notice.
  std::function<void()> on_build_now;
  std::function<void()> on_cancel;

 private slots:
  void ActionInvoked(uint id, const QString& action);
  void NotificationClosed(uint id, uint reason);

 private:
  bool with_buttons_;
  uint id_ = 0;
  bool closing_ = false;
  bool dismissed_ = false;
  std::unique_ptr<QDBusConnection> bus_;
};

}  // namespace murva
