// A plug-in that runs in a host process of its own (murva32-spi-host): the
// program's side of the connection. Each entry-point call is sent to the
// host and answered there; blocks the plug-in hands back are copied into
// local-memory handles of this process, so a caller cannot tell the
// difference from a plug-in loaded here.
//
// When the host crashes, aborts, exits or does not answer in time, it is
// killed and collected, the failure is reported once to the fault handler,
// and this call and every later one answer as a plug-in that cannot read
// the data (IsSupported 0, the picture calls kSpiInternalError). A picture
// call that runs out of the memory the host allows (kSpiHostAddressSpace)
// is reported so too: only a plug-in that asks for far more than a picture
// needs meets that limit.
//
// What the plug-in prints goes to the output handler, a line at a time
// (see ChildProcess); without one, to standard error, naming the plug-in.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "imaging/spi.h"
#include "imaging/spi_host_protocol.h"

namespace murva {

class ChildProcess;

struct HostedPluginTimeouts {
  // The host starts and has loaded the plug-in.
  std::chrono::milliseconds start{5000};
  // One call is answered, or a picture call reports progress.
  std::chrono::milliseconds answer{10000};
  // A whole GetPicture, however often it reports progress.
  std::chrono::milliseconds picture{120000};
};

// How a host failed.
struct HostFault {
  // The entry point running when it failed; empty while the plug-in loaded.
  std::string entry;
  // "SIGSEGV", "SIGABRT", "終了コード 1", or why the host could not run.
  std::string what;
  bool hung = false;
  // False when the host program itself could not be started: not the
  // plug-in's fault.
  bool plugin_at_fault = true;
  // The plug-in ran out of the memory its host allows.
  bool out_of_memory = false;
};

class HostedPlugin final : public SpiHostCalls {
 public:
  // What the host found when it loaded the plug-in.
  struct Ready {
    bool loaded = false;
    std::uint32_t entries = 0;  // SpiEntryBit values
    std::string file_name;      // as the loader records it
    std::string error;          // the loader's message when not loaded
  };
  using FaultHandler = std::function<void(const HostFault& fault)>;
  using OutputHandler = std::function<void(const std::string& line)>;

  HostedPlugin(std::filesystem::path host_program, std::string plugin_file,
               HostedPluginTimeouts timeouts = {});
  ~HostedPlugin() override;

  const std::string& PluginFile() const { return plugin_file_; }

  // Starts the host unless it runs; nothing when it failed (see Fault).
  std::optional<Ready> Start();
  // Ends the host process; the next call starts it again.
  void Stop();

  void SetFaultHandler(FaultHandler handler) { fault_handler_ = std::move(handler); }
  // For the hosts started from now on.
  void SetOutputHandler(OutputHandler handler) { output_handler_ = std::move(handler); }
  const std::optional<HostFault>& Fault() const { return fault_; }

  int GetPluginInfo(int index, char* buffer, int buffer_length) override;
  int IsSupported(const char* file_name, const void* data) override;
  int GetPictureInfo(const char* buffer, int32_t length, uint32_t flag,
                     PictureInfo* info) override;
  int GetPicture(const char* buffer, int32_t length, uint32_t flag,
                 MurvaLocalHandle* info_handle, MurvaLocalHandle* pixel_handle,
                 SpiProgressCallback progress, intptr_t user_value) override;

 private:
  class Channel;
  bool Running(const char* entry);
  bool Send(const char* entry, SpiHostMessage kind, const std::string& payload,
            const char* bulk = nullptr, std::size_t bulk_size = 0);
  bool Receive(const char* entry, SpiHostMessage& kind, std::string& payload);
  bool ReceiveBulk(const char* entry, void* data, std::size_t size);
  void Fail(const char* entry, bool protocol_error = false);
  void OutOfMemory(const char* entry);
  void Report(HostFault fault);

  std::filesystem::path host_program_;
  std::string plugin_file_;
  HostedPluginTimeouts timeouts_;
  std::unique_ptr<ChildProcess> process_;
  std::unique_ptr<Channel> channel_;
  std::optional<Ready> ready_;
  std::optional<HostFault> fault_;
  FaultHandler fault_handler_;
  OutputHandler output_handler_;
};

}  // namespace murva
