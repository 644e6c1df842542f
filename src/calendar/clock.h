// The clock seam: every reading of the current date and time goes through a
// Clock, so that tests can stand on any day.
#pragma once

namespace murva {

struct LocalDateTime {
  int year = 2000;
  int month = 1;   // 1..12
  int day = 1;     // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDateTime Now() const = 0;
};

// The local time of the machine.
class SystemClock final : public Clock {
 public:
  LocalDateTime Now() const override;
};

// A clock that stands still at a chosen moment (tests, benchmarks).
class FixedClock final : public Clock {
 public:
  explicit FixedClock(LocalDateTime now) : now_(now) {}
  LocalDateTime Now() const override { return now_; }
  void Set(LocalDateTime now) { now_ = now; }

 private:
  LocalDateTime now_;
};

// The process-wide system clock.
const Clock& SystemLocalClock();

}  // namespace murva
