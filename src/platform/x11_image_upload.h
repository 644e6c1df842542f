// Putting a picture into an X drawable in the server's own pixel format:
// rows converted (or, in the server's format already, taken as they are) in
// strips, through the shared-memory extension when the server offers it to
// this client, otherwise in ordinary requests.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <string>

// Declared without the X11 headers, whose macros clash with Qt's names.
struct _XDisplay;

namespace murva {

enum class X11Transfer {
  kAutomatic,   // shared memory where it works, else requests
  kRequestsOnly,
};

// Puts the part `source` of the picture into `drawable` (of the screen's
// default depth and visual) at `target`. The picture is 32-bit (Format_RGB32
// is taken as it is; other formats are first drawn onto black, as a painter
// would draw them). Returns false with error set when the screen has no
// true-colour visual or a pixel format this code does not know.
bool UploadToDrawable(_XDisplay* display, unsigned long drawable, const QImage& picture,
                      const QRect& source, const QPoint& target, X11Transfer transfer,
                      std::string& error);

}  // namespace murva
