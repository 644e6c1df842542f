// Looking for processes a test left behind: the ones whose ids a test
// plug-in recorded (MURVA_FAKE_PIDS), and every process of their groups and
// sessions, from /proc.
#pragma once

#include <dirent.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace murva::testing {

struct ProcessStat {
  char state = '?';
  pid_t group = 0;
  pid_t session = 0;
};

// The state, process group and session of a process; nothing when it is
// gone. A zombie has ended (its state is 'Z').
inline bool ReadProcessStat(pid_t pid, ProcessStat& stat) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::size_t close = text.rfind(')');
  if (close == std::string::npos) return false;
  std::istringstream fields(text.substr(close + 1));
  pid_t parent = 0;
  fields >> stat.state >> parent >> stat.group >> stat.session;
  return static_cast<bool>(fields);
}

inline bool Alive(pid_t pid) {
  ProcessStat stat;
  return ReadProcessStat(pid, stat) && stat.state != 'Z';
}

// Waits until a process that was killed but is nobody's child to collect
// has ended (its end takes a moment after the signal).
inline bool Ends(pid_t pid, std::chrono::seconds limit = std::chrono::seconds(30)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (Alive(pid)) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    usleep(1000);
  }
  return true;
}

// The ids in a file of one id a line.
inline std::vector<pid_t> RecordedPids(const std::string& file) {
  std::vector<pid_t> pids;
  std::ifstream in(file);
  for (long pid = 0; in >> pid;) pids.push_back(static_cast<pid_t>(pid));
  return pids;
}

// The process groups and sessions of the pids that run now (never the
// test's own).
inline std::set<pid_t> GroupsOf(const std::vector<pid_t>& pids) {
  std::set<pid_t> groups;
  for (const pid_t pid : pids) {
    ProcessStat stat;
    if (!ReadProcessStat(pid, stat)) continue;
    groups.insert(stat.group);
    groups.insert(stat.session);
  }
  groups.erase(getpgrp());
  groups.erase(getsid(0));
  return groups;
}

// The processes still running among pids, and in the groups and sessions
// given (GroupsOf, taken while they ran).
inline std::vector<pid_t> Survivors(const std::vector<pid_t>& pids,
                                    const std::set<pid_t>& groups = {}) {
  std::vector<pid_t> alive;
  for (const pid_t pid : pids) {
    ProcessStat stat;
    if (!ReadProcessStat(pid, stat) || stat.state == 'Z') continue;
    alive.push_back(pid);
  }
  if (DIR* proc = opendir("/proc")) {
    while (const dirent* entry = readdir(proc)) {
      const pid_t pid = static_cast<pid_t>(std::strtol(entry->d_name, nullptr, 10));
      ProcessStat stat;
      if (pid <= 0 || !ReadProcessStat(pid, stat) || stat.state == 'Z') continue;
      if ((groups.contains(stat.group) || groups.contains(stat.session)) &&
          std::find(alive.begin(), alive.end(), pid) == alive.end()) {
        alive.push_back(pid);
      }
    }
    closedir(proc);
  }
  return alive;
}

}  // namespace murva::testing
