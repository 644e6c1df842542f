#include "imaging/spi_host_protocol.h"

#include <cstring>

namespace murva {
namespace {

struct Header {
  std::uint32_t kind;
  std::uint32_t length;
};

}  // namespace

SpiPayloadWriter& SpiPayloadWriter::Number(std::int64_t value) {
  payload_.append(reinterpret_cast<const char*>(&value), sizeof value);
  return *this;
}

SpiPayloadWriter& SpiPayloadWriter::Bytes(std::string_view bytes) {
  Number(static_cast<std::int64_t>(bytes.size()));
  payload_.append(bytes);
  return *this;
}

bool SpiPayloadReader::Number(std::int64_t& value) {
  if (!ok_ || rest_.size() < sizeof value) return ok_ = false;
  std::memcpy(&value, rest_.data(), sizeof value);
  rest_.remove_prefix(sizeof value);
  return true;
}

bool SpiPayloadReader::Bytes(std::string& bytes, std::size_t max_size) {
  std::int64_t size = 0;
  if (!Number(size)) return false;
  if (size < 0 || static_cast<std::uint64_t>(size) > max_size ||
      static_cast<std::uint64_t>(size) > rest_.size()) {
    return ok_ = false;
  }
  bytes.assign(rest_.substr(0, static_cast<std::size_t>(size)));
  rest_.remove_prefix(static_cast<std::size_t>(size));
  return true;
}

bool WriteSpiHostMessage(SpiHostChannel& channel, SpiHostMessage kind, std::string_view payload) {
  if (payload.size() > kSpiHostMaxPayload) return false;
  const Header header{static_cast<std::uint32_t>(kind), static_cast<std::uint32_t>(payload.size())};
  return channel.Write(&header, sizeof header) &&
         (payload.empty() || channel.Write(payload.data(), payload.size()));
}

bool ReadSpiHostMessage(SpiHostChannel& channel, SpiHostMessage& kind, std::string& payload) {
  Header header{};
  if (!channel.Read(&header, sizeof header)) return false;
  if (header.kind < static_cast<std::uint32_t>(SpiHostMessage::kReady) ||
      header.kind > static_cast<std::uint32_t>(SpiHostMessage::kAnswer) ||
      header.length > kSpiHostMaxPayload) {
    return false;
  }
  kind = static_cast<SpiHostMessage>(header.kind);
  payload.resize(header.length);
  return header.length == 0 || channel.Read(payload.data(), payload.size());
}

}  // namespace murva
