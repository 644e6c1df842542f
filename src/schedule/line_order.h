// The plain ascending byte order of lines, found mostly from their first 32
// bytes read as numbers: lines of a schedule differ there (the date and the
// start of the text), so the sort seldom reads the lines themselves, which
// matters when they are many and lie all over memory.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace murva {

// The indices 0 .. count - 1 in the ascending order of line(index). Lines
// that compare equal are equal byte for byte, so no order among them is
// needed.
std::vector<std::size_t> SortedLineOrder(std::size_t count,
                                         const std::function<std::string_view(std::size_t)>& line);

}  // namespace murva
