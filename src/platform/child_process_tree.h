// The far side of a ChildProcess that runs code it cannot trust (a plug-in):
// the work runs in a process of its own under a small supervisor, and when
// the work is done, has crashed or is told to end, the supervisor ends every
// process the work started, wherever it went: into a process group or a
// session of its own, or away from its parent as a daemon. The supervisor
// takes them all as their "subreaper", so none escapes it.
//
// The supervisor never runs the untrusted code. It ends with the work: with
// its exit code, or killed by the same signal, so that the program sees how
// the work ended. It ends it (and everything it started) when it is sent
// SIGTERM, SIGHUP or SIGINT, and when the program that started it is gone.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace murva {

struct SupervisedWork {
  // Runs in the worker process; returns its exit code.
  std::function<int()> work;
  // The worker's address space (RLIMIT_AS) in bytes; 0: no limit.
  std::uint64_t address_space = 0;
  // Descriptors the supervisor closes once the worker has them (the
  // connection to the program, so that it ends with the worker).
  std::vector<int> worker_only;
  // The program that started the supervisor; once the supervisor's parent
  // is another process, the program is gone. 0: the parent at the start.
  pid_t program = 0;
};

// Runs the work in a worker and supervises it as above; returns the exit
// code to end with (after a signal it does not return).
int RunSupervised(const SupervisedWork& supervised);

// Kills every process below this one and collects them (this process must be
// a subreaper, so that every orphan below it comes back to it).
void KillDescendants();

// The processes whose parent is pid, from /proc.
std::vector<pid_t> ChildrenOf(pid_t pid);

}  // namespace murva
