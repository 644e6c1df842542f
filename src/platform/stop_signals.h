// The signals that end a program, as a readable descriptor (a self-pipe), so
// that a program with an event loop ends between two steps of its work,
// never in the middle of writing a file.
//
// Caught: SIGTERM, SIGINT, SIGHUP and every other signal whose default is to
// end the process without a core file (SIGUSR2, SIGALRM, SIGVTALRM, SIGPROF,
// SIGIO, SIGPWR, SIGSTKFLT, the real-time signals), and SIGUSR1, which asks
// for something rather than ending (the resident mode builds at once; other
// programs take it as a stop). SIGPIPE does nothing: a closed terminal or
// log makes a write fail, it does not end the program (the programs this one
// starts still get its default). Signals that report a fault (SIGSEGV,
// SIGABRT, ...) or ask for a core file keep their default.
//
// When the event loop cannot answer — a stop signal comes while the program
// is inside a call that may block for good (a BlockingCall), or while an
// earlier stop signal has waited two seconds to be taken — the handler
// itself ends the program by a path that is safe in a signal handler: it
// writes the same line the program logs for a stop ("murva32: stopped
// (Terminated)"), sends SIGTERM on to the process named by ForwardStopTo,
// and exits with 0.
#pragma once

#include <sys/types.h>

#include <string>

namespace murva {

// Installs the handlers; returns the pipe's read end, or -1.
int CatchStopSignals();
// Reads what is waiting: the last stop signal caught, else SIGUSR1, or 0.
int TakeStopSignal(int fd);
// The default actions again (the pipe stays open).
void ReleaseStopSignals();

// Whether the signal asks for something (SIGUSR1) rather than ending.
bool IsRequestSignal(int signal_number);
// The untranslated description the stop is logged with ("Terminated",
// "User defined signal 2", "Real-time signal 3").
std::string StopSignalText(int signal_number);

// The process a stop ended from the handler hands SIGTERM on to (a run in
// progress); 0: none.
void ForwardStopTo(pid_t pid);

// While one lives (on any thread), a stop signal ends the program at once.
class BlockingCall {
 public:
  BlockingCall();
  ~BlockingCall();
  BlockingCall(const BlockingCall&) = delete;
  BlockingCall& operator=(const BlockingCall&) = delete;
};

}  // namespace murva
