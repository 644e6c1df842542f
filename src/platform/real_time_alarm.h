// An alarm on the real-time clock at an absolute instant (a timerfd armed
// with TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET). It fires when the wall
// clock reaches the instant, however long the machine slept in between, and
// it is cancelled when the wall clock is set, so that a clock change is
// noticed at once rather than at the old instant.
#pragma once

#include <cstdint>
#include <optional>

namespace murva {

class RealTimeAlarm {
 public:
  enum class Event {
    kNone,      // nothing happened (a spurious wake-up)
    kFired,     // the clock reached the instant
    kClockSet,  // the wall clock was set; the alarm is off until armed again
  };

  // Creates the timer; Valid() tells whether the system gave one.
  RealTimeAlarm();
  ~RealTimeAlarm();
  RealTimeAlarm(const RealTimeAlarm&) = delete;
  RealTimeAlarm& operator=(const RealTimeAlarm&) = delete;

  bool Valid() const { return fd_ >= 0; }
  // Readable when the alarm fired or was cancelled (non-blocking).
  int Fd() const { return fd_; }

  // Arms the alarm for an instant in seconds since the epoch (an instant in
  // the past fires at once). Returns false with errno when it cannot.
  bool Arm(std::int64_t instant);
  void Disarm();
  // The instant armed, as the kernel holds it; nullopt when off.
  std::optional<std::int64_t> ArmedFor() const;

  // What made the descriptor readable; clears it.
  Event Take();
  // The meaning of one read() of the timer: its result and errno.
  static Event EventOfRead(long result, int error);

 private:
  int fd_ = -1;
  std::optional<std::int64_t> armed_;
};

}  // namespace murva
