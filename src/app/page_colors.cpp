#include "app/page_colors.h"

namespace murva {

Color& SwatchColor(PageValues& values, int swatch) {
  switch (swatch) {
    case kSwatchSch: return values.schedule;
    case kSwatchTdy: return values.today;
    case kSwatchWek: return values.weekday;
    case kSwatchSat: return values.saturday;
    case kSwatchSun: return values.sunday;
    case kSwatchHol: return values.holiday;
    case kSwatchSpc: return values.special;
    default: return values.title;
  }
}

Color SwatchColor(const PageValues& values, int swatch) {
  return SwatchColor(const_cast<PageValues&>(values), swatch);
}

void ResetTextColors(PageValues& values) {
  const PageValues initial;
  for (int swatch = 0; swatch < kSwatchCount; ++swatch) {
    SwatchColor(values, swatch) = SwatchColor(initial, swatch);
  }
}

Color NextShadowColor(Color shadow) {
  switch (shadow) {
    case 0x000000: return 0xFFFFFF;
    case 0xFFFFFF: return 0xC0C0C0;
    case 0xC0C0C0: return 0x808080;
    case 0x808080: return 0x000000;
    default: return shadow;
  }
}

}  // namespace murva
