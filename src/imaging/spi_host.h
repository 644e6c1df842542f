// The plug-in host: the far side of a plug-in that runs in a process of its
// own. It loads one plug-in file, tells the program what it found, and then
// calls the plug-in's entry points as the program asks, until the program
// closes the connection. A plug-in that crashes, aborts or hangs here takes
// only the host with it.
#pragma once

#include <string>

namespace murva {

// Serves the program on socket_fd; returns the exit code of the host (0 once
// the program has closed the connection).
int RunSpiHost(int socket_fd, const std::string& plugin_file);

}  // namespace murva
