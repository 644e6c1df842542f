// The explanation shown when the tile switch is turned off: the system's
// first sentence, then how to make the desktop in use show a small picture
// in the middle instead of repeating or stretching it.
#pragma once

#include <string>

#include "platform/wallpaper_installer.h"

namespace murva {

// The first sentence of the explanation, as the user knows it.
inline constexpr const char* kTileOffFirstSentence =
    "画面サイズより小さな壁紙でもタイルパターン表示にしません。";

std::string TileOffExplanation(DesktopKind desktop);

}  // namespace murva
