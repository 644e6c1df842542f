// The up to four title lines of the wallpaper, each in its own font, all in
// the page's title colour, stacked downwards from the title position by the
// gaps of lines 2..4.
#pragma once

#include "calendar/clock.h"
#include "render/canvas.h"
#include "render/today_fields.h"
#include "settings/working_copy.h"

namespace murva {

// Draws the non-empty title lines after expanding their date macros. A line
// whose size text is not a number is left out silently. No shadow is drawn,
// whatever the 3D setting.
void DrawTitles(Canvas& canvas, const WorkingCopy& copy, const TodayFields& today,
                const Clock& clock);

}  // namespace murva
