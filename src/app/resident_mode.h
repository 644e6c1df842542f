// The resident mode, "murva32 -E --watch" (or "-e --watch"): the automatic
// run as at every start, and then, without a window, another automatic run
// whenever the day has changed (WatchLoop decides when). Each run is an
// ordinary automatic run of this program, started as a child process with
// "--unattended", so it keeps the single-instance rule with the control
// panel and never builds at the same moment as it.
//
// It ends at SIGTERM, SIGINT, SIGHUP and every other terminating signal it
// can catch (platform/stop_signals.h), and when the connection to the
// session's display server ends; a run in progress is asked to end first.
// SIGUSR1 asks for an automatic run at once that builds even when the day's
// wallpaper is built already (the variable kBuildNowVariable tells the run
// so); SIGPIPE is ignored.
#pragma once

#include <string>

namespace murva {

// Set ("1") in the environment of a run asked for by SIGUSR1.
inline constexpr const char* kBuildNowVariable = "MURVA32_BUILD_NOW";

// Runs until stopped; returns the exit code. run_switch is "-E" or "-e".
int RunResident(int& argc, char** argv, const std::string& run_switch);

}  // namespace murva
