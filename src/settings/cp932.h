// Conversion between the CP932 (Shift-JIS) bytes on disk and UTF-8 in memory.
// This is the one place that talks to iconv. Each direction opens its
// converter once per process; the functions may be called from any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace murva {

// UTF-8 text of CP932 bytes; nullopt when the bytes are not valid CP932.
std::optional<std::string> DecodeCp932(std::string_view bytes);
// CP932 bytes of UTF-8 text; nullopt when a character has no CP932 form.
std::optional<std::string> EncodeCp932(std::string_view utf8);

// Lenient forms for display and for settings values: undecodable bytes become
// U+FFFD, unencodable characters become "?".
std::string DecodeCp932Lossy(std::string_view bytes);
std::string EncodeCp932Lossy(std::string_view utf8);

}  // namespace murva
