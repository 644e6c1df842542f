#include "settings/cp932_check.h"

#include "settings/cp932.h"
#include "settings/utf8_text.h"

namespace murva {

std::optional<std::string> FirstCharacterWithoutCp932(std::string_view text) {
  // The common case, a storable text, costs one conversion.
  if (EncodeCp932(text)) return std::nullopt;
  while (!text.empty()) {
    const std::size_t length = Utf8Offset(text, 1);
    const std::string_view character = text.substr(0, length);
    if (!EncodeCp932(character)) return std::string(character);
    text.remove_prefix(length);
  }
  // Every character converts alone but not together: cannot happen with a
  // stateless encoding; report nothing rather than a wrong character.
  return std::nullopt;
}

}  // namespace murva
