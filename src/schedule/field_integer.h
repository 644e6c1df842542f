// Integer reading of the fixed-width fields of schedule lines and of the
// editor's fields.
#pragma once

#include <optional>
#include <string_view>

namespace murva {

// Reads a decimal integer: optional leading blanks, an optional sign, then
// one or more digits and nothing after them. nullopt for anything else (an
// empty text, letters, "@@", trailing blanks) and for values beyond the int
// range.
std::optional<int> ReadFieldInteger(std::string_view text);

// ReadFieldInteger, or `fallback` when the text is not an integer.
int ReadFieldInteger(std::string_view text, int fallback);

}  // namespace murva
