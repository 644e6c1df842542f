// Character positions in UTF-8 text.
#pragma once

#include <cstddef>
#include <string_view>

namespace murva {

// Byte offset of the character number `count` (0-based) of `text`, or
// text.size() when the text has fewer characters.
std::size_t Utf8Offset(std::string_view text, std::size_t count);

// The first `count` characters of `text`.
std::string_view Utf8Prefix(std::string_view text, std::size_t count);

}  // namespace murva
