// Whether a text can be stored in the settings file, which is written in
// CP932: a character without a CP932 form would come back as "?".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace murva {

// The first character of UTF-8 `text` that has no CP932 form (as UTF-8), or
// nullopt when the whole text can be stored. A malformed UTF-8 sequence
// counts as such a character.
std::optional<std::string> FirstCharacterWithoutCp932(std::string_view text);

}  // namespace murva
