#include "calendar/split_text.h"

namespace murva {

void SplitText(std::string_view text, std::vector<std::string>& list, char separator) {
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(separator, start);
    if (end == std::string_view::npos) {
      list.emplace_back(text.substr(start));
      return;
    }
    list.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
}

}  // namespace murva
