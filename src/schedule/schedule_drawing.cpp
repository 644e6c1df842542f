#include "schedule/schedule_drawing.h"

#include <algorithm>
#include <vector>

#include "render/labels.h"
#include "render/text_3d.h"
#include "schedule/color_keyword.h"
#include "schedule/cp932_bytes.h"
#include "schedule/external_schedule.h"
#include "schedule/schedule_date.h"
#include "schedule/schedule_expansion.h"
#include "schedule/schedule_file.h"
#include "settings/cp932.h"

namespace murva {

namespace {

const std::string& ExternalErrorBytes() {
  static const std::string bytes = ToCp932(kExternalErrorText);
  return bytes;
}

constexpr const char* kCutMark = "…";

// The length of the UTF-8 character that begins at `text[i]`.
std::size_t CharacterLength(const std::string& text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  return std::min(length, text.size() - i);
}

// Where a line drawn at (x, y) with `height` must end: the picture's right
// edge, or a little before the first item to its right on the same rows.
// An item that leaves no room for the line's date (the list was put right
// against it) does not cut the line: the list would vanish there.
int RightLimit(const Canvas& canvas, int x, int y, int height, int gap, int least,
               const std::vector<TextBox>& others) {
  int right = canvas.Width();
  for (const TextBox& box : others) {
    const bool same_rows = box.y < y + height && y < box.y + box.height;
    if (same_rows && box.width > 0 && box.x - gap - x >= least) {
      right = std::min(right, box.x - gap);
    }
  }
  return right;
}

}  // namespace

std::string FitScheduleText(Canvas& canvas, const std::string& text, int left, int right) {
  const int room = right - left;
  if (canvas.TextWidth(text) <= room) return text;
  // Whole characters only, the widest prefix that leaves room for the mark.
  std::string fitted;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = CharacterLength(text, i);
    const std::string longer = fitted + text.substr(i, length);
    if (canvas.TextWidth(longer + kCutMark) > room) break;
    fitted = longer;
    i += length;
  }
  if (canvas.TextWidth(fitted + kCutMark) > room) return {};
  return fitted + kCutMark;
}

std::string NoScheduleLine(const TodayFields& today, const ScheduleOptions& options) {
  std::string line = today.TodayText();
  if (options.WeekdayLabelsOn()) {
    line += ' ';
    line += EncodeCp932Lossy(WeekdayLabel(options.weekday_label_style, WeekdayOf(DateOf(today))));
  }
  line += kNoScheduleText;
  return line;
}

bool IsTodaysLine(std::string_view line, const TodayFields& today) {
  const std::string prefix = today.TodayText() + ' ';
  return line.substr(0, prefix.size()) == prefix;
}

bool HasLineDueToday(const ScheduleList& output, const TodayFields& today) {
  for (const std::string& line : output) {
    if (IsTodaysLine(line, today) && line.find(ExternalErrorBytes()) == std::string::npos) {
      return true;
    }
  }
  return false;
}

std::string ApplyColorKeyword(Canvas& canvas, std::string_view line, Color schedule_color) {
  const std::optional<Color> keyword = LookupColorKeyword(KeywordNameOf(line));
  canvas.SetFontColor(keyword.value_or(schedule_color));
  return " " + DecodeCp932Lossy(line.substr(0, line.find('%')));
}

std::vector<std::string> DrawScheduleLines(Canvas& canvas, ScheduleList output,
                                           const WorkingCopy& copy, const TodayFields& today,
                                           const std::vector<TextBox>& others) {
  const PageValues& page = copy.ActivePage();
  canvas.SetBrushClear();
  canvas.SetFontColor(page.schedule);
  canvas.SetFont(copy.schedule_font);
  const int height = canvas.TextHeight("9");
  const int gap = canvas.TextWidth(" ");
  const int x = copy.layout.schedule_x;
  // The blank and the date in front of every line, with the cut mark.
  const int least = canvas.TextWidth(" 0000/00/00") + canvas.TextWidth(kCutMark);

  if (copy.no_schedule_line && copy.today_mark > kTodayMarkNone &&
      !HasLineDueToday(output, today)) {
    output.Insert(NoScheduleLine(today, ScheduleOptionsOf(copy)));
  }

  std::vector<std::string> drawn;
  drawn.reserve(output.Size());
  const int pitch = copy.schedule_line_spacing + height;
  int y = copy.layout.schedule_y;
  for (const std::string& output_line : output) {
    const bool todays = IsTodaysLine(output_line, today);
    if (todays && copy.today_mark == kTodayMarkUnderline) {
      canvas.SetFontStyle(canvas.Font().style | kStyleUnderline);
    }
    std::string line = output_line;
    if (copy.cut_year) line.erase(0, std::min<std::size_t>(5, line.size()));
    const std::string text = ApplyColorKeyword(canvas, line, page.schedule);
    if (todays && copy.today_mark == kTodayMarkColor) canvas.SetFontColor(page.today);
    const std::string shown =
        FitScheduleText(canvas, text, x, RightLimit(canvas, x, y, height, gap, least, others));
    if (!shown.empty()) DrawText3D(canvas, copy, x, y, shown);
    // The underline comes off after every line, also off a schedule font that
    // is underlined itself: then only the first line and today's lines keep it.
    if (copy.today_mark == kTodayMarkUnderline) {
      canvas.SetFontStyle(canvas.Font().style & ~kStyleUnderline);
    }
    canvas.SetFontColor(page.schedule);
    drawn.push_back(std::move(line));
    y += pitch;
  }
  return drawn;
}

std::vector<std::string> DrawSchedule(Canvas& canvas, ScheduleList& entries,
                                      const WorkingCopy& copy, const TodayFields& today,
                                      const Clock& clock,
                                      const std::filesystem::path& program_folder,
                                      const std::vector<DatedLine>& calendar_lines,
                                      const std::vector<TextBox>& others) {
  ScheduleList output = ExpandSchedule(entries, ScheduleFilePath(program_folder),
                                       ScheduleOptionsOf(copy), today, clock, calendar_lines);
  return DrawScheduleLines(canvas, std::move(output), copy, today, others);
}

}  // namespace murva
