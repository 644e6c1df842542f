// murva32-spi-host: runs one image plug-in that did not ship with MURVA32 in
// a process of its own, on behalf of the program, which starts it as
//   murva32-spi-host --socket 3 <plug-in file>
// If the plug-in crashes, aborts or hangs, only this process ends.
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "imaging/spi_host.h"
#include "imaging/spi_host_protocol.h"

int main(int argc, char* argv[]) {
  if (argc != 4 || std::strcmp(argv[1], murva::kSpiHostSocketSwitch) != 0 ||
      std::string(argv[2]) != std::to_string(murva::kSpiHostSocket)) {
    std::fprintf(stderr,
                 "murva32-spi-host is started by murva32 to run an image plug-in:\n"
                 "  murva32-spi-host --socket 3 <plug-in file>\n");
    return 2;
  }
  // The host never outlives the program, keeps nothing else the program
  // had open, and a plug-in that crashes leaves no core file behind.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() == 1) return 0;
  close_range(murva::kSpiHostSocket + 1, ~0U, 0);
  const rlimit no_core{0, 0};
  setrlimit(RLIMIT_CORE, &no_core);
  return murva::RunSpiHost(murva::kSpiHostSocket, argv[3]);
}
