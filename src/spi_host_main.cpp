// murva32-spi-host: runs one image plug-in that did not ship with MURVA32 in
// a process of its own, on behalf of the program, which starts it as
//   murva32-spi-host --socket 3 <plug-in file>
// in a session of its own, with its standard output and error going to a
// pipe the program reads. The plug-in runs in a worker process under this
// one (see platform/child_process_tree.h): if it crashes, aborts, hangs or
// asks for too much memory, only the worker ends, and whatever it started
// ends with it.
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "imaging/spi_host.h"
#include "imaging/spi_host_protocol.h"
#include "platform/child_process_tree.h"

int main(int argc, char* argv[]) {
  if (argc != 4 || std::strcmp(argv[1], murva::kSpiHostSocketSwitch) != 0 ||
      std::string(argv[2]) != std::to_string(murva::kSpiHostSocket)) {
    std::fprintf(stderr,
                 "murva32-spi-host is started by murva32 to run an image plug-in:\n"
                 "  murva32-spi-host --socket 3 <plug-in file>\n");
    return 2;
  }
  // The host keeps nothing else the program had open, a plug-in that
  // crashes leaves no core file behind, and each line a plug-in prints
  // reaches the program as it is written.
  close_range(murva::kSpiHostSocket + 1, ~0U, 0);
  const rlimit no_core{0, 0};
  setrlimit(RLIMIT_CORE, &no_core);
  setvbuf(stdout, nullptr, _IOLBF, 0);
  // The program is the process at the other end of the socket; when it is
  // gone already, there is nothing to do.
  ucred peer{};
  socklen_t length = sizeof peer;
  if (getsockopt(murva::kSpiHostSocket, SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0 ||
      peer.pid != getppid()) {
    return 0;
  }
  murva::SupervisedWork supervised;
  supervised.work = [plugin = std::string(argv[3])] {
    return murva::RunSpiHost(murva::kSpiHostSocket, plugin);
  };
  supervised.address_space = murva::kSpiHostAddressSpace;
  supervised.worker_only = {murva::kSpiHostSocket};
  supervised.program = peer.pid;
  return murva::RunSupervised(supervised);
}
