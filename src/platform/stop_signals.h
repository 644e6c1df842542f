// SIGTERM, SIGINT and SIGHUP as a readable descriptor (a self-pipe), so that
// a program with an event loop ends between two steps of its work, never in
// the middle of writing a file.
#pragma once

namespace murva {

// Installs the handlers; returns the pipe's read end, or -1.
int CatchStopSignals();
// Reads what is waiting: the last signal caught, or 0.
int TakeStopSignal(int fd);
// The default actions again (the pipe stays open).
void ReleaseStopSignals();

}  // namespace murva
