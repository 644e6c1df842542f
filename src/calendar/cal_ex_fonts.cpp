#include "calendar/cal_ex_fonts.h"

#include <cmath>

namespace murva {

namespace {

constexpr int kScreenDpi = 96;
constexpr int kPointsPerInch = 72;

std::size_t Slot(CalFontIndex index) { return static_cast<std::size_t>(index); }

}  // namespace

int TCalExFont::PixelHeight() const {
  return static_cast<int>(std::lround(static_cast<double>(size) * kScreenDpi / kPointsPerInch));
}

void TCalExFont::SetPixelHeight(int pixels) {
  if (pixels < 0) pixels = -pixels;
  size = static_cast<int>(std::lround(static_cast<double>(pixels) * kPointsPerInch / kScreenDpi));
}

TCalExFonts::TCalExFonts(std::function<void()> changed) : changed_(std::move(changed)) {}

TCalExFonts::TCalExFonts(const TCalExFonts& other)
    : fonts_(other.fonts_), synchronize_(other.synchronize_) {}

TCalExFonts& TCalExFonts::operator=(const TCalExFonts& other) {
  if (this == &other) return *this;
  fonts_ = other.fonts_;
  synchronize_ = other.synchronize_;
  FontChanged();
  return *this;
}

const TCalExFont& TCalExFonts::Font(CalFontIndex index) const { return fonts_.at(Slot(index)); }

void TCalExFonts::SetFont(CalFontIndex index, const TCalExFont& font) {
  if (synchronize_) {
    for (TCalExFont& each : fonts_) each = font;
  } else {
    fonts_.at(Slot(index)) = font;
  }
  FontChanged();
}

void TCalExFonts::SetColor(CalFontIndex index, Color color) {
  fonts_.at(Slot(index)).color = color;
  FontChanged();
}

void TCalExFonts::FontChanged() {
  if (changed_) changed_();
}

}  // namespace murva
