// The switches for scripts and terminals that need no display: each writes
// what it was asked for to standard output (errors to standard error) and
// returns the exit code.
#pragma once

#include "app/command_line.h"

namespace murva {

// --render FILE [--size WxH] [--date YYYY-MM-DD] [--page N]
int RunRenderCommand(const CommandLine& command);
// --agenda [DAYS] [--date YYYY-MM-DD] [--calendar FILE|URL]... [--json]
int RunAgendaCommand(const CommandLine& command);
// --list-holidays YEAR
int RunListHolidaysCommand(const CommandLine& command);
// --import-holidays FILE
int RunImportHolidaysCommand(const CommandLine& command);
// --monitors
int RunMonitorsCommand(const CommandLine& command);

}  // namespace murva
