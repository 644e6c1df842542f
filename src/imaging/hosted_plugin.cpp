#include "imaging/hosted_plugin.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/child_process.h"
#include "platform/local_memory.h"

namespace murva {
namespace {

using Clock = ChildProcess::Clock;

// The largest blocks believed from a host: an information block holds a
// header and at most 256 colours (a generous margin is kept), a pixel block
// no more than a local-memory handle can.
constexpr std::int64_t kMostInfoBlock = 1 << 20;
constexpr std::int64_t kMostPixelBlock = 0xFFFFFFFFll;
// A picture info text; longer ones are cut by the host.
constexpr std::size_t kMostInfoText = kSpiHostMaxPayload / 2;

// How long the host may take to end by itself once its end of the
// connection closed (a crash is collected at once; this is for an exit).
constexpr std::chrono::milliseconds kEndGrace{500};

}  // namespace

// The program's end of the connection, with the deadline of the current
// exchange.
class HostedPlugin::Channel final : public SpiHostChannel {
 public:
  explicit Channel(ChildProcess& process) : process_(process) {}
  bool Write(const void* data, std::size_t size) override {
    last_ = process_.Send(data, size, deadline_);
    return last_ == ChildProcess::IoResult::kDone;
  }
  bool Read(void* data, std::size_t size) override {
    last_ = process_.Receive(data, size, deadline_);
    return last_ == ChildProcess::IoResult::kDone;
  }
  void SetDeadline(Clock::time_point deadline) { deadline_ = deadline; }
  Clock::time_point Deadline() const { return deadline_; }
  ChildProcess::IoResult Last() const { return last_; }

 private:
  ChildProcess& process_;
  Clock::time_point deadline_ = Clock::now();
  ChildProcess::IoResult last_ = ChildProcess::IoResult::kDone;
};

HostedPlugin::HostedPlugin(std::filesystem::path host_program, std::string plugin_file,
                           HostedPluginTimeouts timeouts)
    : host_program_(std::move(host_program)),
      plugin_file_(std::move(plugin_file)),
      timeouts_(timeouts) {}

HostedPlugin::~HostedPlugin() { Stop(); }

void HostedPlugin::Stop() {
  channel_.reset();
  process_.reset();  // kills and collects the host
}

std::optional<HostedPlugin::Ready> HostedPlugin::Start() {
  if (fault_) return std::nullopt;
  if (process_) return ready_;
  std::string error;
  ChildProcess::OutputHandler output = output_handler_;
  if (!output) {
    output = [prefix = "murva32: " + plugin_file_ + ": "](const std::string& line) {
      // One write per line, so that lines of hosts side by side stay whole.
      const std::string text = prefix + line + '\n';
      const ssize_t written = write(STDERR_FILENO, text.data(), text.size());
      static_cast<void>(written);
    };
  }
  process_ = ChildProcess::Start(
      host_program_,
      {kSpiHostSocketSwitch, std::to_string(kSpiHostSocket), plugin_file_}, kSpiHostSocket,
      std::move(output), error);
  if (!process_) {
    Report(HostFault{"", error, false, false});
    return std::nullopt;
  }
  channel_ = std::make_unique<Channel>(*process_);
  channel_->SetDeadline(Clock::now() + timeouts_.start);
  SpiHostMessage kind{};
  std::string payload;
  if (!Receive("", kind, payload)) return std::nullopt;
  SpiPayloadReader reader(payload);
  std::int64_t loaded = 0, entries = 0;
  Ready ready;
  if (kind != SpiHostMessage::kReady || !reader.Number(loaded) || !reader.Number(entries) ||
      !reader.Bytes(ready.file_name, 4096) || !reader.Bytes(ready.error, 4096)) {
    Fail("", true);
    return std::nullopt;
  }
  ready.loaded = loaded != 0;
  ready.entries = static_cast<std::uint32_t>(entries);
  ready_ = ready;
  if (!ready.loaded) Stop();
  return ready;
}

bool HostedPlugin::Running(const char* entry) {
  if (fault_) return false;
  if (process_) return true;
  const std::optional<Ready> ready = Start();
  if (!ready) return false;
  if (!ready->loaded) {
    // The file loaded when it was described and does not now: it changed.
    Report(HostFault{entry, ready->error, false, false});
    return false;
  }
  return true;
}

bool HostedPlugin::Send(const char* entry, SpiHostMessage kind, const std::string& payload,
                        const char* bulk, std::size_t bulk_size) {
  channel_->SetDeadline(Clock::now() + timeouts_.answer);
  if (WriteSpiHostMessage(*channel_, kind, payload) &&
      (bulk_size == 0 || channel_->Write(bulk, bulk_size))) {
    return true;
  }
  Fail(entry);
  return false;
}

bool HostedPlugin::Receive(const char* entry, SpiHostMessage& kind, std::string& payload) {
  if (ReadSpiHostMessage(*channel_, kind, payload)) return true;
  Fail(entry, channel_->Last() == ChildProcess::IoResult::kDone);
  return false;
}

bool HostedPlugin::ReceiveBulk(const char* entry, void* data, std::size_t size) {
  if (size == 0 || channel_->Read(data, size)) return true;
  Fail(entry);
  return false;
}

void HostedPlugin::Fail(const char* entry, bool protocol_error) {
  HostFault fault;
  fault.entry = entry;
  if (protocol_error) {
    fault.what = "不正な応答";
  } else if (channel_ && channel_->Last() == ChildProcess::IoResult::kTimedOut) {
    fault.hung = true;
    fault.what = "応答なし";
  }
  // The host is collected now: after a crash its end is known at once, a
  // host that hangs or talks nonsense is killed.
  const ChildEnd end =
      process_->Stop(fault.what.empty() ? Clock::now() + kEndGrace : Clock::now());
  if (fault.what.empty()) fault.what = end.Describe();
  Stop();
  Report(std::move(fault));
}

void HostedPlugin::OutOfMemory(const char* entry) {
  HostFault fault;
  fault.entry = entry;
  fault.out_of_memory = true;
  fault.what = "メモリ不足";
  process_->Stop();
  Stop();
  Report(std::move(fault));
}

void HostedPlugin::Report(HostFault fault) {
  fault_ = std::move(fault);
  if (fault_handler_) fault_handler_(*fault_);
}

int HostedPlugin::GetPluginInfo(int index, char* buffer, int buffer_length) {
  constexpr const char* kEntry = "GetPluginInfo";
  if (!Running(kEntry)) return 0;
  if (!Send(kEntry, SpiHostMessage::kGetPluginInfo,
            SpiPayloadWriter().Number(index).Number(buffer_length).Payload())) {
    return 0;
  }
  SpiHostMessage kind{};
  std::string payload;
  if (!Receive(kEntry, kind, payload)) return 0;
  SpiPayloadReader reader(payload);
  std::int64_t result = 0;
  std::string text;
  if (kind != SpiHostMessage::kAnswer || !reader.Number(result) ||
      !reader.Bytes(text, TSPI::kInfoBufferSize)) {
    Fail(kEntry, true);
    return 0;
  }
  if (buffer_length > 0) {
    const std::size_t count = std::min<std::size_t>(text.size(), buffer_length - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
  }
  return static_cast<int>(result);
}

int HostedPlugin::IsSupported(const char* file_name, const void* data) {
  constexpr const char* kEntry = "IsSupported";
  if (!Running(kEntry)) return 0;
  const std::string name = file_name ? std::string(file_name).substr(0, 4096) : std::string();
  if (!Send(kEntry, SpiHostMessage::kIsSupported,
            SpiPayloadWriter()
                .Bytes(name)
                .Bytes(data ? std::string_view(static_cast<const char*>(data),
                                               SPI_SUPPORT_CHECK_BYTES)
                            : std::string_view())
                .Payload())) {
    return 0;
  }
  SpiHostMessage kind{};
  std::string payload;
  if (!Receive(kEntry, kind, payload)) return 0;
  std::int64_t result = 0;
  if (kind != SpiHostMessage::kAnswer || !SpiPayloadReader(payload).Number(result)) {
    Fail(kEntry, true);
    return 0;
  }
  return static_cast<int>(result);
}

namespace {

// The bytes a picture call hands over: the memory image, or the file name
// (with its zero) when the buffer names a file.
std::size_t DataSize(const char* buffer, int32_t length, uint32_t flag) {
  if ((flag & SPI_INPUT_KIND_MASK) == kSpiInputMemory) return length > 0 ? length : 0;
  return buffer ? std::strlen(buffer) + 1 : 0;
}

}  // namespace

int HostedPlugin::GetPictureInfo(const char* buffer, int32_t length, uint32_t flag,
                                 PictureInfo* info) {
  constexpr const char* kEntry = "GetPictureInfo";
  if (!Running(kEntry)) return kSpiInternalError;
  const std::size_t size = DataSize(buffer, length, flag);
  if (!Send(kEntry, SpiHostMessage::kGetPictureInfo,
            SpiPayloadWriter()
                .Number(length)
                .Number(flag)
                .Number(static_cast<std::int64_t>(size))
                .Payload(),
            buffer, size)) {
    return kSpiInternalError;
  }
  SpiHostMessage kind{};
  std::string payload;
  if (!Receive(kEntry, kind, payload)) return kSpiInternalError;
  SpiPayloadReader reader(payload);
  std::int64_t result = 0, has_text = 0;
  std::string record, text;
  if (kind != SpiHostMessage::kAnswer || !reader.Number(result) ||
      !reader.Bytes(record, sizeof(PictureInfo)) || record.size() != sizeof(PictureInfo) ||
      !reader.Number(has_text) || !reader.Bytes(text, kMostInfoText)) {
    Fail(kEntry, true);
    return kSpiInternalError;
  }
  if (result == kSpiOutOfMemory) {
    OutOfMemory(kEntry);
    return kSpiOutOfMemory;
  }
  if (result == 0) {
    std::memcpy(info, record.data(), sizeof(PictureInfo));
    info->info = 0;
    if (has_text != 0) {
      info->info = MurvaLocalAlloc(static_cast<uint32_t>(text.size() + 1));
      if (char* copy = static_cast<char*>(MurvaLocalLock(info->info))) {
        std::memcpy(copy, text.data(), text.size());
        MurvaLocalUnlock(info->info);
      }
    }
  }
  return static_cast<int>(result);
}

int HostedPlugin::GetPicture(const char* buffer, int32_t length, uint32_t flag,
                             MurvaLocalHandle* info_handle, MurvaLocalHandle* pixel_handle,
                             SpiProgressCallback progress, intptr_t user_value) {
  constexpr const char* kEntry = "GetPicture";
  if (!Running(kEntry)) return kSpiInternalError;
  const std::size_t size = DataSize(buffer, length, flag);
  if (!Send(kEntry, SpiHostMessage::kGetPicture,
            SpiPayloadWriter()
                .Number(length)
                .Number(flag)
                .Number(progress != nullptr)
                .Number(static_cast<std::int64_t>(user_value))
                .Number(static_cast<std::int64_t>(size))
                .Payload(),
            buffer, size)) {
    return kSpiInternalError;
  }
  // The plug-in may report progress for as long as the whole picture may
  // take; between two reports it must not be silent for long.
  const Clock::time_point end = Clock::now() + timeouts_.picture;
  SpiHostMessage kind{};
  std::string payload;
  for (;;) {
    channel_->SetDeadline(std::min(end, Clock::now() + timeouts_.answer));
    if (!Receive(kEntry, kind, payload)) return kSpiInternalError;
    if (kind != SpiHostMessage::kProgress) break;
    SpiPayloadReader reader(payload);
    std::int64_t numerator = 0, denominator = 0;
    if (progress == nullptr || !reader.Number(numerator) || !reader.Number(denominator)) {
      Fail(kEntry, true);
      return kSpiInternalError;
    }
    const int answer =
        progress(static_cast<int>(numerator), static_cast<int>(denominator), user_value);
    if (!WriteSpiHostMessage(*channel_, SpiHostMessage::kProgressAnswer,
                             SpiPayloadWriter().Number(answer).Payload())) {
      Fail(kEntry);
      return kSpiInternalError;
    }
  }
  SpiPayloadReader reader(payload);
  std::int64_t result = 0, info_live = 0, info_size = 0, pixels_live = 0, pixel_size = 0;
  if (kind != SpiHostMessage::kAnswer || !reader.Number(result) || !reader.Number(info_live) ||
      !reader.Number(info_size) || !reader.Number(pixels_live) || !reader.Number(pixel_size) ||
      info_size < 0 || info_size > kMostInfoBlock || pixel_size < 0 ||
      pixel_size > kMostPixelBlock || (result != 0 && (info_size != 0 || pixel_size != 0))) {
    Fail(kEntry, true);
    return kSpiInternalError;
  }
  if (result == kSpiOutOfMemory) {
    OutOfMemory(kEntry);
    return kSpiOutOfMemory;
  }
  if (result != 0) return static_cast<int>(result);

  // The blocks, as local-memory handles of this process.
  channel_->SetDeadline(Clock::now() + timeouts_.answer);
  MurvaLocalHandle blocks[2] = {0, 0};
  const std::int64_t sizes[2] = {info_size, pixel_size};
  const bool live[2] = {info_live != 0, pixels_live != 0};
  bool allocated = true;
  for (int i = 0; i < 2; ++i) {
    if (!live[i]) continue;
    blocks[i] = MurvaLocalAlloc(static_cast<uint32_t>(sizes[i]));
    void* memory = MurvaLocalLock(blocks[i]);
    if (memory != nullptr) {
      const bool received = ReceiveBulk(kEntry, memory, static_cast<std::size_t>(sizes[i]));
      MurvaLocalUnlock(blocks[i]);
      if (!received) {
        MurvaLocalFree(blocks[0]);
        MurvaLocalFree(blocks[1]);
        return kSpiInternalError;
      }
      continue;
    }
    // No memory here for the block: its bytes are read and dropped so the
    // connection stays in step.
    allocated = false;
    std::vector<char> scratch(1 << 16);
    for (std::int64_t left = sizes[i]; left > 0;) {
      const auto chunk = static_cast<std::size_t>(
          std::min<std::int64_t>(left, static_cast<std::int64_t>(scratch.size())));
      if (!ReceiveBulk(kEntry, scratch.data(), chunk)) {
        MurvaLocalFree(blocks[0]);
        MurvaLocalFree(blocks[1]);
        return kSpiInternalError;
      }
      left -= static_cast<std::int64_t>(chunk);
    }
  }
  if (!allocated) {
    MurvaLocalFree(blocks[0]);
    MurvaLocalFree(blocks[1]);
    return kSpiOutOfMemory;
  }
  *info_handle = blocks[0];
  *pixel_handle = blocks[1];
  return kSpiSuccess;
}

}  // namespace murva
