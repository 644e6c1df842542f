// The colours of a wallpaper page: the eight text colours behind the colour
// buttons, their reset to the initial colours and the steps of the 3D
// shadow colour.
#pragma once

#include "settings/working_copy.h"

namespace murva {

// The eight colour swatches in their order on the page.
enum Swatch {
  kSwatchSch,  // schedule text
  kSwatchTdy,  // today
  kSwatchWek,  // weekdays
  kSwatchSat,  // Saturdays
  kSwatchSun,  // Sundays
  kSwatchHol,  // holidays
  kSwatchSpc,  // special days
  kSwatchStr,  // titles
};
inline constexpr int kSwatchCount = 8;

Color& SwatchColor(PageValues& values, int swatch);
Color SwatchColor(const PageValues& values, int swatch);

// "初期色": the eight text colours return to their initial values; the 3D
// shadow colour and everything else stays.
void ResetTextColors(PageValues& values);

// A click on the 3D label: black → white → silver → gray → black. A colour
// outside that cycle stays as it is.
Color NextShadowColor(Color shadow);

}  // namespace murva
