// The wake from suspend or hibernation: logind's PrepareForSleep(false) on
// the system bus ($DBUS_SYSTEM_BUS_ADDRESS, else the system's socket). Only
// the signal of the bus name org.freedesktop.login1 counts.
#pragma once

#include <QObject>
#include <QString>

namespace murva {

class SleepSignal : public QObject {
  Q_OBJECT

 public:
  explicit SleepSignal(QObject* parent = nullptr);
  ~SleepSignal() override;

  // Connects to the system bus and listens, or checks that the connection
  // made before still stands and makes a new one when it does not (the bus
  // was restarted). True when it listens.
  bool Listen();
  bool Listening() const;
  // Why the last Listen failed.
  const QString& Problem() const { return problem_; }

 signals:
  void Resumed();
  void Suspending();

 private slots:
  void PrepareForSleep(bool starting);

 private:
  void Drop();

  QString name_;
  bool connected_ = false;
  QString problem_;
};

// The system bus's address: $DBUS_SYSTEM_BUS_ADDRESS or the system's socket.
QString SystemBusAddress();

}  // namespace murva
