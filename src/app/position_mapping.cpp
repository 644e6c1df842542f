#include "app/position_mapping.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace murva {
namespace {

int Round(double value) { return static_cast<int>(std::lround(value)); }

int Scaled(int value, double scale) { return Round(value * scale); }

}  // namespace

int MapPosition(int position, int from_extent, int to_extent, double factor,
                std::optional<ItemSpan> span) {
  if (from_extent <= 0) from_extent = to_extent;
  // The same screen at the same scale: the position stands exactly as placed.
  if (from_extent == to_extent && factor == 1.0) return position;
  // The nearer edge, judged by the item's middle where the item is known.
  const double middle =
      span ? position + (span->offset + span->extent / 2.0) / factor : double(position);
  const int mapped = middle * 2 <= from_extent
                         ? Round(position * factor)
                         : to_extent - Round((from_extent - position) * factor);
  if (!span) return std::clamp(mapped, 0, std::max(to_extent - 1, 0));
  // The whole box on the monitor; one larger than the monitor starts at its
  // top or left edge.
  const int lowest = -span->offset;
  const int highest = to_extent - span->offset - span->extent;
  if (highest < lowest) return lowest;
  return std::clamp(mapped, lowest, highest);
}

double DistanceFactor(const ScreenReference& from, const ScreenReference& to, bool scale_text) {
  if (!scale_text) return 1.0;
  return to.Scale() / from.Scale();
}

PageLayout MapLayout(const PageLayout& layout, const ScreenReference& to, bool scale_text,
                     const ItemBoxes& boxes) {
  PageLayout mapped = layout;
  const ScreenReference from = layout.screen.Known() ? layout.screen : to;
  const double factor = DistanceFactor(from, to, scale_text);
  mapped.calendar_x = MapPosition(layout.calendar_x, from.width, to.width, factor, boxes.calendar_x);
  mapped.calendar_y =
      MapPosition(layout.calendar_y, from.height, to.height, factor, boxes.calendar_y);
  mapped.schedule_x = MapPosition(layout.schedule_x, from.width, to.width, factor, boxes.schedule_x);
  mapped.schedule_y =
      MapPosition(layout.schedule_y, from.height, to.height, factor, boxes.schedule_y);
  mapped.screen = to;
  return mapped;
}

void MapTitlePosition(WorkingCopy& copy, const ScreenReference& to, const ItemBoxes& boxes) {
  const ScreenReference from = copy.title_screen.Known() ? copy.title_screen : to;
  const double factor = DistanceFactor(from, to, copy.fit_text_to_scale);
  copy.title_x = MapPosition(copy.title_x, from.width, to.width, factor, boxes.title_x);
  copy.title_y = MapPosition(copy.title_y, from.height, to.height, factor, boxes.title_y);
  copy.title_screen = to;
}

void ScaleTextAndPitch(WorkingCopy& copy, double scale) {
  if (scale == 1.0 || scale <= 0) return;
  const auto font = [scale](FontSetting& setting) {
    setting.size = std::max(1, Scaled(setting.size, scale));
  };
  font(copy.date_font);
  font(copy.schedule_font);
  for (TitleLine& title : copy.titles) {
    // The drawing reads the size as its panel shows it; a caption that is
    // no size stays as it is (the line is left out either way).
    try {
      std::size_t used = 0;
      const int size = std::stoi(title.size_text, &used);
      if (size > 0) title.size_text = std::to_string(std::max(1, Scaled(size, scale)));
    } catch (const std::exception&) {
    }
    font(title.font);
  }
  copy.layout.month_spacing = Scaled(copy.layout.month_spacing, scale);
  copy.layout.line_spacing = Scaled(copy.layout.line_spacing, scale);
  copy.layout.day_spacing = Scaled(copy.layout.day_spacing, scale);
  for (int& gap : copy.title_gaps) gap = Scaled(gap, scale);
  copy.schedule_line_spacing = Scaled(copy.schedule_line_spacing, scale);
  copy.one_digit_adjust = Scaled(copy.one_digit_adjust, scale);
}

}  // namespace murva
