// The leading-space encoding of the title texts.
//
// The settings file drops the blanks a value begins with, so a title is
// stored as three decimal digits giving the number of its leading blanks,
// followed by the text without them: "  Hello" is stored as "002Hello",
// three blanks alone as "003", an empty title as an empty value.
#pragma once

#include <string>
#include <string_view>

namespace murva {

std::string EncodeLeadingSpaces(std::string_view text);

// An empty value gives an empty text. Otherwise the first three characters
// are the count (0 when they are not a number) and that many blanks are put
// in front of the text from the fourth character on.
std::string DecodeLeadingSpaces(std::string_view value);

}  // namespace murva
