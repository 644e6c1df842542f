#include "platform/monitor_scale.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string_view>
#include <utility>

namespace murva {
namespace {

// Scales outside this range are typing mistakes, not monitors.
constexpr double kSmallestScale = 0.25;
constexpr double kLargestScale = 16.0;
// Fractional scales on Wayland are counted in 120ths.
constexpr double kScaleSteps = 120.0;

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

// A positive number written out whole; 0 for anything else.
double Number(std::string_view text) {
  text = Trimmed(text);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return 0;
  return value > 0 ? value : 0;
}

double Usable(double scale) { return scale >= kSmallestScale && scale <= kLargestScale ? scale : 0; }

// The monitor's entry in QT_SCREEN_SCALE_FACTORS: "name=factor" entries
// match by name, bare factors by position; 0 when it has none.
double ScreenFactor(const std::string& factors, const std::string& name, int index) {
  std::stringstream entries(factors);
  int position = 0;
  for (std::string entry; std::getline(entries, entry, ';'); ++position) {
    const std::string_view text = Trimmed(entry);
    if (const std::size_t equals = text.find('='); equals != std::string_view::npos) {
      if (Trimmed(text.substr(0, equals)) == name) return Usable(Number(text.substr(equals + 1)));
    } else if (position == index) {
      return Usable(Number(text));
    }
  }
  return 0;
}

}  // namespace

PixelSize TransformedSize(int width, int height, int transform) {
  if (transform % 2 == 1) std::swap(width, height);
  return {width, height};
}

double ScaleOfSizes(PixelSize physical, PixelSize logical) {
  if (physical.width <= 0 || physical.height <= 0 || logical.width <= 0 || logical.height <= 0) {
    return 1.0;
  }
  const double ratio = static_cast<double>(physical.width) / logical.width;
  const double stepped = std::round(ratio * kScaleSteps) / kScaleSteps;
  const auto explains = [stepped](int physical_side, int logical_side) {
    return std::abs(physical_side / stepped - logical_side) <= 1.0;
  };
  if (stepped > 0 && explains(physical.width, logical.width) &&
      explains(physical.height, logical.height)) {
    return stepped;
  }
  return ratio;
}

double XftDpi(const std::string& resources) {
  std::stringstream lines(resources);
  for (std::string line; std::getline(lines, line);) {
    const std::string_view text = Trimmed(line);
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || Trimmed(text.substr(0, colon)) != "Xft.dpi") continue;
    const double dpi = Number(text.substr(colon + 1));
    return Usable(dpi / 96.0) > 0 ? dpi : 0;
  }
  return 0;
}

double X11MonitorScale(const std::string& resources, const EnvironmentLookup& environment,
                       const std::string& output_name, int index) {
  if (const double dpi = XftDpi(resources); dpi > 0) return dpi / 96.0;
  const std::string screen_factors = environment("QT_SCREEN_SCALE_FACTORS");
  const double all_screens = Usable(Number(environment("QT_SCALE_FACTOR")));
  const double screen = ScreenFactor(screen_factors, output_name, index);
  if (screen > 0 || all_screens > 0) {
    const double scale = (screen > 0 ? screen : 1.0) * (all_screens > 0 ? all_screens : 1.0);
    if (Usable(scale) > 0) return scale;
  }
  if (const double gdk = Number(environment("GDK_SCALE")); gdk >= 1 && Usable(gdk) > 0) {
    return std::floor(gdk);  // GTK takes whole factors only
  }
  return 1.0;
}

std::string ScaleText(double scale) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.3f", scale);
  std::string text = buffer;
  while (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

}  // namespace murva
