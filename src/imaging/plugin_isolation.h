// Which plug-ins run in the program's own process and which in a host
// process of their own.
//
// The plug-ins that ship with the program (known by name, in the folders the
// program installs them to) are loaded here: they are the program's own code
// and fuzzed with it. Every other plug-in is tried in a host process the
// first time it is seen, and again whenever its file changes: the host loads
// it, asks GetPluginInfo for its texts and IsSupported for a sample. One that
// crashes, aborts or hangs there is never used (until its file changes) and a
// notice names it; the verdict is remembered in the verdict file, so a known
// plug-in costs no process at start-up. A usable one runs in a host process
// for good: every call of a picture load goes there, and a crash or hang
// during a load only fails that plug-in's trial (and marks it faulty).
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "imaging/hosted_plugin.h"
#include "imaging/plugin_verdicts.h"
#include "imaging/spi.h"

namespace murva {

// A message about a plug-in that is not used; fresh when its fault was
// found just now (the first time), not fresh when it was known before.
struct PluginNotice {
  std::string text;
  bool fresh = false;
};

struct PluginIsolationSettings {
  // Where the shipped plug-ins are, and their file names.
  std::vector<std::filesystem::path> shipped_folders;
  std::vector<std::string> shipped_names;
  // The host program (murva32-spi-host); without it no other plug-in is
  // used.
  std::filesystem::path host_program;
  // Where verdicts are remembered; empty: only for this process.
  std::filesystem::path verdict_file;
  HostedPluginTimeouts timeouts;
  // Takes each line a plug-in prints in its host; empty: standard error.
  std::function<void(const std::string& file_name, const std::string& line)> output;
};

class PluginIsolation : public std::enable_shared_from_this<PluginIsolation> {
 public:
  explicit PluginIsolation(PluginIsolationSettings settings);

  // Whether file_name (a full path) is one of the shipped plug-ins.
  bool IsShipped(const std::string& file_name) const;

  // Makes sure each plug-in of file_names that did not ship has a verdict
  // for its file as it is now: new and changed ones are tried in host
  // processes, all at the same time. The verdicts are saved.
  void Vet(const std::vector<std::string>& file_names);

  // The plug-in object for file_name (a full path): a shipped plug-in is
  // loaded here (CreateSPI); another one runs in a host process when its
  // verdict says it is usable (it is vetted first when it has none).
  // Nothing for a file that is no usable plug-in, or is faulty (a notice
  // names it then).
  std::unique_ptr<TSPI> Create(const std::string& file_name);

  // The notices so far, and from now on each notice as it comes.
  std::vector<PluginNotice> TakeNotices();
  void SetNoticeHandler(std::function<void(const PluginNotice&)> handler);

  const PluginIsolationSettings& Settings() const { return settings_; }

 private:
  struct VetResult {
    std::optional<PluginVerdict> verdict;  // nothing: no verdict could be made
    std::string notice;                    // why, when no verdict
  };
  VetResult VetOne(const std::string& file_name, const PluginFileStamp& stamp) const;
  void RecordFault(const std::string& file_name, const HostFault& fault);
  void SetOutput(HostedPlugin& host, const std::string& file_name) const;
  void Notice(const std::string& file_name, std::string text, bool fresh);

  PluginIsolationSettings settings_;
  std::vector<std::filesystem::path> shipped_folders_;  // canonical
  std::mutex mutex_;  // verdicts and notices
  PluginVerdicts verdicts_;
  std::set<std::string> just_vetted_;
  std::set<std::string> noticed_;
  std::vector<PluginNotice> notices_;
  std::function<void(const PluginNotice&)> notice_handler_;
};

// The message for a plug-in that failed in its host, naming it.
std::string PluginFaultMessage(const std::string& file_name, const HostFault& fault);

}  // namespace murva
