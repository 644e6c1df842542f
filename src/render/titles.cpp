#include "render/titles.h"

#include <charconv>
#include <optional>
#include <string>

#include "render/title_macros.h"

namespace murva {

namespace {

// The decimal number of a size caption, surrounding blanks allowed; nullopt
// for anything else.
std::optional<int> ParseSize(const std::string& text) {
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  std::size_t last = text.find_last_not_of(' ');
  const char* begin = text.data() + first;
  const char* end = text.data() + last + 1;
  if (*begin == '+') ++begin;
  int value = 0;
  const auto [ptr, error] = std::from_chars(begin, end, value);
  if (error != std::errc() || ptr != end) return std::nullopt;
  return value;
}

}  // namespace

void DrawTitles(Canvas& canvas, const WorkingCopy& copy, const TodayFields& today,
                const Clock& clock) {
  int offset = 0;
  for (int i = 0; i < kTitleLineCount; ++i) {
    const TitleLine& line = copy.titles[i];
    if (line.text.empty()) continue;
    std::string text = line.text;
    ExpandTitleMacros(text, today, clock);

    const std::optional<int> size = ParseSize(line.size_text);
    if (!size || *size <= 0) continue;  // this line is left out; the next is drawn
    canvas.SetBrushClear();
    canvas.SetFontColor(copy.ActivePage().title);
    canvas.SetFontName(line.font.name);
    canvas.SetFontSize(*size);
    canvas.SetFontStyle(line.font.style);

    if (i == 1) {
      offset = copy.title_gaps[0];
    } else if (i >= 2) {
      offset += copy.title_gaps[i - 1];
    } else {
      offset = 0;
    }
    canvas.TextOut(copy.title_x, copy.title_y + offset, text);
  }
}

}  // namespace murva
