// A list of texts joined into one comma-separated text.
#pragma once

#include <string>
#include <vector>

namespace murva {

// Items joined by ","; an item holding a blank, a control character, a comma
// or a double quote is enclosed in double quotes with inner quotes doubled.
// A list of one empty item gives "\"\"", an empty list the empty text.
std::string CommaText(const std::vector<std::string>& items);

}  // namespace murva
