// A faked wall clock for a program the tests start: libfaketime preloaded
// directly, starting at the given local date and time and running on from it.
//
// The `faketime` wrapper is not used: it names a shared semaphore after its
// own process id and refuses to start ("sem_open: File exists") when a
// wrapper killed earlier with that id left its semaphore behind, which a
// long test run with process ids wrapping at 32768 meets sooner or later.
// Call in the child between fork and exec.
#pragma once

#include <stdlib.h>

#include <string>

namespace murva::testing {

inline constexpr const char* kFakeTimeLibrary = "/usr/$LIB/faketime/libfaketime.so.1";

// date: "YYYY-MM-DD HH:MM:SS", local time.
inline void FakeClockFrom(const std::string& date) {
  setenv("LD_PRELOAD", kFakeTimeLibrary, 1);
  setenv("FAKETIME", ("@" + date).c_str(), 1);
  // Only the clock is faked, not file times: with faked times fontconfig
  // would record wrong folder times in the machine's shared font cache, and
  // every later program would scan all fonts again.
  setenv("NO_FAKE_STAT", "1", 1);
  unsetenv("FAKETIME_SHARED");
  unsetenv("FAKETIME_TIMESTAMP_FILE");
}

}  // namespace murva::testing
