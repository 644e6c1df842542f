#include "imaging/spi_host.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <vector>

#include "imaging/spi.h"
#include "imaging/spi_host_protocol.h"
#include "murva32/murva_spi.h"
#include "platform/dynamic_library.h"
#include "platform/local_memory.h"

namespace murva {
namespace {

// Positions in kSpiEntryNames (the order of the entry bits).
constexpr std::size_t kGetPluginInfo = 0;
constexpr std::size_t kIsSupported = 2;
constexpr std::size_t kGetPictureInfo = 3;
constexpr std::size_t kGetPicture = 4;

// Blocking reads and writes on the host's end; the program decides how long
// it waits.
class SocketChannel final : public SpiHostChannel {
 public:
  explicit SocketChannel(int fd) : fd_(fd) {}
  bool Write(const void* data, std::size_t size) override {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
      const ssize_t sent = send(fd_, bytes, size, MSG_NOSIGNAL);
      if (sent < 0 && errno == EINTR) continue;
      if (sent <= 0) return false;
      bytes += sent;
      size -= static_cast<std::size_t>(sent);
    }
    return true;
  }
  bool Read(void* data, std::size_t size) override {
    auto* bytes = static_cast<char*>(data);
    while (size > 0) {
      const ssize_t received = recv(fd_, bytes, size, 0);
      if (received < 0 && errno == EINTR) continue;
      if (received <= 0) return false;
      bytes += received;
      size -= static_cast<std::size_t>(received);
    }
    return true;
  }

 private:
  int fd_;
};

SpiHostChannel* progress_channel = nullptr;

// The progress callback the plug-in gets: the program's callback answers.
int ForwardProgress(int numerator, int denominator, intptr_t) {
  SpiPayloadWriter message;
  message.Number(numerator).Number(denominator);
  SpiHostMessage kind{};
  std::string payload;
  std::int64_t answer = 1;
  if (!WriteSpiHostMessage(*progress_channel, SpiHostMessage::kProgress, message.Payload()) ||
      !ReadSpiHostMessage(*progress_channel, kind, payload) ||
      kind != SpiHostMessage::kProgressAnswer || !SpiPayloadReader(payload).Number(answer)) {
    // The program is gone: nothing is waiting for the picture any more.
    _exit(0);
  }
  return static_cast<int>(answer);
}

// The data a call hands to the plug-in: at least the 2048 bytes a plug-in
// may look at, zero-filled, with a zero after the end.
bool ReadData(SpiHostChannel& channel, std::int64_t size, std::vector<char>& data) {
  if (size < 0 || size > (std::int64_t{1} << 31)) return false;
  data.assign(std::max<std::size_t>(static_cast<std::size_t>(size), SPI_SUPPORT_CHECK_BYTES) + 1,
              0);
  return size == 0 || channel.Read(data.data(), static_cast<std::size_t>(size));
}

class Host {
 public:
  Host(SpiHostChannel& channel, const DynamicLibrary& library) : channel_(channel) {
    for (std::size_t i = 0; i < std::size(kSpiEntryNames); ++i) {
      entry_[i] = library.Symbol(kSpiEntryNames[i]);
      if (entry_[i] != nullptr) entries_ |= 1u << i;
    }
  }

  std::uint32_t Entries() const { return entries_; }

  // Serves one request; false when the connection is over.
  bool Serve() {
    SpiHostMessage kind{};
    std::string payload;
    if (!ReadSpiHostMessage(channel_, kind, payload)) return false;
    SpiPayloadReader request(payload);
    switch (kind) {
      case SpiHostMessage::kGetPluginInfo:
        return GetPluginInfo(request);
      case SpiHostMessage::kIsSupported:
        return IsSupported(request);
      case SpiHostMessage::kGetPictureInfo:
        return GetPictureInfo(request);
      case SpiHostMessage::kGetPicture:
        return GetPicture(request);
      default:
        return false;
    }
  }

 private:
  template <typename Fn>
  Fn Entry(std::size_t index) const {
    return reinterpret_cast<Fn>(entry_[index]);
  }

  bool Answer(const SpiPayloadWriter& answer) {
    return WriteSpiHostMessage(channel_, SpiHostMessage::kAnswer, answer.Payload());
  }

  bool GetPluginInfo(SpiPayloadReader& request) {
    std::int64_t index = 0, length = 0;
    if (!request.Number(index) || !request.Number(length)) return false;
    const auto fn = Entry<SpiGetPluginInfoFn>(kGetPluginInfo);
    char buffer[512] = {};
    const int buffer_length = static_cast<int>(std::clamp<std::int64_t>(length, 0, 255));
    const int result = fn ? fn(static_cast<int>(index), buffer, buffer_length) : 0;
    return Answer(SpiPayloadWriter().Number(result).Bytes(
        std::string_view(buffer, strnlen(buffer, 256))));
  }

  bool IsSupported(SpiPayloadReader& request) {
    std::string name, head;
    if (!request.Bytes(name, 4096) || !request.Bytes(head, SPI_SUPPORT_CHECK_BYTES)) return false;
    head.resize(SPI_SUPPORT_CHECK_BYTES, '\0');
    const auto fn = Entry<SpiIsSupportedFn>(kIsSupported);
    const int result = fn ? fn(name.c_str(), head.data()) : 0;
    return Answer(SpiPayloadWriter().Number(result));
  }

  bool GetPictureInfo(SpiPayloadReader& request) {
    std::int64_t length = 0, flag = 0, size = 0;
    if (!request.Number(length) || !request.Number(flag) || !request.Number(size)) return false;
    std::vector<char> data;
    if (!ReadData(channel_, size, data)) return false;
    const auto fn = Entry<SpiGetPictureInfoFn>(kGetPictureInfo);
    PictureInfo info{};
    const int result = fn ? fn(data.data(), static_cast<int32_t>(length),
                               static_cast<uint32_t>(flag), &info)
                          : kSpiNotImplemented;
    std::string text;
    bool has_text = false;
    if (result == 0 && info.info != 0) {
      if (const char* locked = static_cast<const char*>(MurvaLocalLock(info.info))) {
        text.assign(locked, strnlen(locked, std::min<std::size_t>(MurvaLocalSize(info.info),
                                                                   kSpiHostMaxPayload / 2)));
        has_text = true;
        MurvaLocalUnlock(info.info);
      }
      MurvaLocalFree(info.info);
      info.info = 0;
    }
    return Answer(SpiPayloadWriter()
                      .Number(result)
                      .Bytes(std::string_view(reinterpret_cast<const char*>(&info), sizeof info))
                      .Number(has_text)
                      .Bytes(text));
  }

  bool GetPicture(SpiPayloadReader& request) {
    std::int64_t length = 0, flag = 0, progress = 0, user_value = 0, size = 0;
    if (!request.Number(length) || !request.Number(flag) || !request.Number(progress) ||
        !request.Number(user_value) || !request.Number(size)) {
      return false;
    }
    std::vector<char> data;
    if (!ReadData(channel_, size, data)) return false;
    const auto fn = Entry<SpiGetPictureFn>(kGetPicture);
    MurvaLocalHandle info_handle = 0;
    MurvaLocalHandle pixel_handle = 0;
    progress_channel = &channel_;
    const int result = fn ? fn(data.data(), static_cast<int32_t>(length),
                               static_cast<uint32_t>(flag), &info_handle, &pixel_handle,
                               progress != 0 ? &ForwardProgress : nullptr,
                               static_cast<intptr_t>(user_value))
                          : kSpiNotImplemented;
    data = {};
    const void* info = result == 0 ? MurvaLocalLock(info_handle) : nullptr;
    const void* pixels = result == 0 ? MurvaLocalLock(pixel_handle) : nullptr;
    const std::size_t info_size = info ? MurvaLocalSize(info_handle) : 0;
    const std::size_t pixel_size = pixels ? MurvaLocalSize(pixel_handle) : 0;
    const bool sent =
        Answer(SpiPayloadWriter()
                   .Number(result)
                   .Number(info != nullptr)
                   .Number(static_cast<std::int64_t>(info_size))
                   .Number(pixels != nullptr)
                   .Number(static_cast<std::int64_t>(pixel_size))) &&
        (info_size == 0 || channel_.Write(info, info_size)) &&
        (pixel_size == 0 || channel_.Write(pixels, pixel_size));
    if (info) MurvaLocalUnlock(info_handle);
    if (pixels) MurvaLocalUnlock(pixel_handle);
    if (result == 0) {
      MurvaLocalFree(info_handle);
      MurvaLocalFree(pixel_handle);
    }
    return sent;
  }

  SpiHostChannel& channel_;
  void* entry_[std::size(kSpiEntryNames)] = {};
  std::uint32_t entries_ = 0;
};

}  // namespace

int RunSpiHost(int socket_fd, const std::string& plugin_file) {
  SocketChannel channel(socket_fd);
  DynamicLibrary library;
  if (!library.Open(plugin_file)) {
    WriteSpiHostMessage(channel, SpiHostMessage::kReady,
                        SpiPayloadWriter().Number(0).Number(0).Bytes("").Bytes(
                            library.LastError().substr(0, 4096)).Payload());
    return 0;
  }
  Host host(channel, library);
  if (!WriteSpiHostMessage(channel, SpiHostMessage::kReady,
                           SpiPayloadWriter()
                               .Number(1)
                               .Number(host.Entries())
                               .Bytes(library.FileName().substr(0, 4096))
                               .Bytes("")
                               .Payload())) {
    return 0;
  }
  while (host.Serve()) {
  }
  return 0;
}

}  // namespace murva
