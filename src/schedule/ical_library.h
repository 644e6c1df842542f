// The one lock around libical: its parser and its zone database keep
// process-wide state, and a preview may read calendars away from the
// window's thread. Every use of libical in this program holds it.
#pragma once

#include <mutex>

namespace murva {

// Holds the lock; the first use also makes libical's errors non-fatal (an
// error in a calendar is the calendar's problem, never a reason to abort).
std::unique_lock<std::recursive_mutex> LockLibical();

}  // namespace murva
