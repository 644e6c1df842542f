// The shared text output of the calendars and the schedule list: a text with
// an optional one-pixel shadow below and to the right of it.
#pragma once

#include <string>

#include "render/canvas.h"
#include "settings/working_copy.h"

namespace murva {

// With shadow_on, draws text at (x + 1, y + 1) in shadow_color first and
// restores the font colour; then draws text at (x, y) in the font colour.
void DrawText3D(Canvas& canvas, int x, int y, const std::string& text, bool shadow_on,
                Color shadow_color);

// The same with the 3D setting and the shadow colour of the active page.
void DrawText3D(Canvas& canvas, const WorkingCopy& copy, int x, int y,
                const std::string& text);

}  // namespace murva
