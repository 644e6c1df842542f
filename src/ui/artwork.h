// The control panel's own pictures, drawn at start-up: the picture of the
// author's message window, the picture button that opens it and the logo
// of "基本の設定".
#pragma once

#include <QIcon>
#include <QPixmap>

namespace murva {

// 200 x 228: an evening coast seen from a train window, with a small wall
// calendar in the corner.
QPixmap MessagePicture();

// The picture of SpeedButtonMsg: a speech bubble.
QIcon MessageButtonIcon();

// The logo: a calendar page beside the program's name.
QPixmap LogoPicture();

}  // namespace murva
