// Texts of this edition's own settings that may hold any character (a
// calendar's name, a file path, an address) kept in the settings file, which
// is written in CP932.
//
// Every character that CP932 holds and gives back unchanged stands as it is,
// so that Japanese names stay readable in the file. Everything else is
// percent-encoded byte by byte ("%F0%9F%8E%82" for an emoji): characters
// without a CP932 form, those CP932 would give back as another character,
// control characters, bytes that are no UTF-8 (a file name may hold any),
// "%" itself, and blanks at either end (the file trims them).
#pragma once

#include <string>
#include <string_view>

namespace murva {

std::string ToIniSafeText(std::string_view text);

// The text back; a "%" not followed by two hexadecimal digits stands as it is.
std::string FromIniSafeText(std::string_view stored);

}  // namespace murva
