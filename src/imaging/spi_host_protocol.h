// The messages between the program and a plug-in host process (the small
// program murva32-spi-host that loads one plug-in and calls its entry
// points for the program).
//
// A message is a header (kind, payload length) and a payload of numbers and
// byte strings. Large blocks (the picture data handed to the plug-in, the
// decoded blocks it hands back) follow a message as raw bytes whose sizes
// the message gives. Both ends are this program on this machine, so numbers
// travel in the machine's own byte order; the program still checks every
// size the host tells before it believes it.
//
//   host -> program  kReady       loaded (0/1), entry points, module name, error text
//   program -> host  kGetPluginInfo   index, buffer length
//   host -> program  kAnswer          result, text
//   program -> host  kIsSupported     file name, the first 2048 bytes
//   host -> program  kAnswer          result
//   program -> host  kGetPictureInfo  length, flag, data size; then the data
//   host -> program  kAnswer          result, PictureInfo, info text (present, bytes)
//   program -> host  kGetPicture      length, flag, progress wanted, user value,
//                                     data size; then the data
//   host -> program  kProgress        numerator, denominator (any number of times)
//   program -> host  kProgressAnswer  the callback's answer
//   host -> program  kAnswer          result, info live, info size, pixels live,
//                                     pixel size; then the info and pixel bytes
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace murva {

enum class SpiHostMessage : std::uint32_t {
  kReady = 1,
  kGetPluginInfo = 2,
  kIsSupported = 3,
  kGetPictureInfo = 4,
  kGetPicture = 5,
  kProgress = 6,
  kProgressAnswer = 7,
  kAnswer = 8,
};

// The descriptor number the host finds its end of the socket at.
inline constexpr int kSpiHostSocket = 3;
// The host's arguments: "--socket", "3", the plug-in file.
inline constexpr const char* kSpiHostSocketSwitch = "--socket";

// The address space a plug-in gets in its host: room for the largest
// picture the program takes and its decoder's work, far less than a
// damaged picture's header may ask for.
inline constexpr std::uint64_t kSpiHostAddressSpace = std::uint64_t{4} << 30;

// The longest payload either side accepts (the bulk bytes are not part of
// it).
inline constexpr std::size_t kSpiHostMaxPayload = 64 * 1024;

// Reads and writes bytes on one end of the connection; false when the other
// side is gone (or, for the program's end, did not answer in time).
class SpiHostChannel {
 public:
  virtual ~SpiHostChannel() = default;
  virtual bool Write(const void* data, std::size_t size) = 0;
  virtual bool Read(void* data, std::size_t size) = 0;
};

// Builds a payload.
class SpiPayloadWriter {
 public:
  SpiPayloadWriter& Number(std::int64_t value);
  SpiPayloadWriter& Bytes(std::string_view bytes);
  const std::string& Payload() const { return payload_; }

 private:
  std::string payload_;
};

// Takes a payload apart; every read fails (and keeps failing) once the
// payload does not hold what is asked for.
class SpiPayloadReader {
 public:
  explicit SpiPayloadReader(std::string_view payload) : rest_(payload) {}
  bool Number(std::int64_t& value);
  // A byte string of at most max_size bytes.
  bool Bytes(std::string& bytes, std::size_t max_size);
  bool Ok() const { return ok_; }

 private:
  std::string_view rest_;
  bool ok_ = true;
};

bool WriteSpiHostMessage(SpiHostChannel& channel, SpiHostMessage kind, std::string_view payload);
// Reads the next message; false when the channel fails or the header is not
// one of a message this program sends.
bool ReadSpiHostMessage(SpiHostChannel& channel, SpiHostMessage& kind, std::string& payload);

}  // namespace murva
