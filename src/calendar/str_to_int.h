// Strict conversion of a text field to an integer.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace murva {

// Raised when a field that must be an integer is not one.
class EConvertError : public std::runtime_error {
 public:
  explicit EConvertError(std::string_view text);
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

// Reads a decimal integer with an optional sign. Blanks (spaces and tabs)
// before and after the number are allowed; anything else, an empty text or a
// value outside the int range throws EConvertError.
int StrToInt(std::string_view text);

}  // namespace murva
