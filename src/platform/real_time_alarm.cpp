#include "platform/real_time_alarm.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <ctime>

namespace murva {

RealTimeAlarm::RealTimeAlarm() : fd_(timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC)) {}

RealTimeAlarm::~RealTimeAlarm() {
  if (fd_ >= 0) ::close(fd_);
}

bool RealTimeAlarm::Arm(std::int64_t instant) {
  if (fd_ < 0) {
    errno = EBADF;
    return false;
  }
  itimerspec value{};
  value.it_value.tv_sec = static_cast<time_t>(instant);
  // A zero it_value would disarm: an instant at the epoch itself is the
  // past anyway, so a nanosecond later fires at once just the same.
  if (instant <= 0) value.it_value = {0, 1};
  if (timerfd_settime(fd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &value, nullptr) != 0) {
    return false;
  }
  armed_ = instant;
  return true;
}

void RealTimeAlarm::Disarm() {
  if (fd_ < 0) return;
  const itimerspec off{};
  timerfd_settime(fd_, 0, &off, nullptr);
  armed_.reset();
}

std::optional<std::int64_t> RealTimeAlarm::ArmedFor() const {
  if (fd_ < 0) return std::nullopt;
  itimerspec value{};
  if (timerfd_gettime(fd_, &value) != 0) return std::nullopt;
  if (value.it_value.tv_sec == 0 && value.it_value.tv_nsec == 0) return std::nullopt;
  return armed_;
}

RealTimeAlarm::Event RealTimeAlarm::EventOfRead(long result, int error) {
  if (result == static_cast<long>(sizeof(std::uint64_t))) return Event::kFired;
  if (result < 0 && error == ECANCELED) return Event::kClockSet;
  return Event::kNone;  // EAGAIN: nothing yet
}

RealTimeAlarm::Event RealTimeAlarm::Take() {
  if (fd_ < 0) return Event::kNone;
  std::uint64_t expirations = 0;
  long result;
  do {
    result = ::read(fd_, &expirations, sizeof expirations);
  } while (result < 0 && errno == EINTR);
  const Event event = EventOfRead(result, errno);
  if (event != Event::kNone) armed_.reset();
  return event;
}

}  // namespace murva
