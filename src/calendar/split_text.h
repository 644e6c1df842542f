// Splitting a text at a separator into its pieces.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace murva {

// Appends every piece of text between separators to list, in order, empty
// pieces included: "a,b" gives two pieces, "a," gives "a" and "", and the
// empty text gives one empty piece.
void SplitText(std::string_view text, std::vector<std::string>& list, char separator);

}  // namespace murva
