// Byte-level helpers for schedule lines held as CP932 bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace murva {

// Whether the byte opens a double-byte CP932 character.
bool IsCp932LeadByte(unsigned char byte);

// The longest prefix of at most max_bytes bytes that does not end inside a
// double-byte character (a lone lead byte at the very end of the input counts
// as one character).
std::string_view Cp932Prefix(std::string_view bytes, std::size_t max_bytes);

// The bytes from 0-based position `from` within the first `up_to` bytes, cut
// so that no double-byte character is split at the end. Like the 1-based
// "positions from+1 .. up_to" of a line; empty when the line is shorter.
std::string Cp932Slice(std::string_view bytes, std::size_t from, std::size_t up_to);
// The same bytes as a view into `bytes`.
std::string_view Cp932SliceView(std::string_view bytes, std::size_t from, std::size_t up_to);

// CP932 bytes of a fixed UTF-8 text of this program; throws std::logic_error
// when the text has no CP932 form (a programming error).
std::string ToCp932(std::string_view utf8);

}  // namespace murva
