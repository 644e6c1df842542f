// Colours of the settings (0x00BBGGRR) back from Qt colours, and texts.
#pragma once

#include <QColor>
#include <QString>

#include "render/qt_canvas.h"  // ToQColor
#include "settings/working_copy.h"

namespace murva {

inline Color FromQColor(const QColor& color) {
  return static_cast<Color>(color.red()) | (static_cast<Color>(color.green()) << 8) |
         (static_cast<Color>(color.blue()) << 16);
}

inline QString ToQString(const std::string& text) { return QString::fromStdString(text); }

// Message texts join their lines with carriage returns; a Qt label wants
// line feeds.
inline QString MessageText(const std::string& text) {
  QString result = QString::fromStdString(text);
  result.replace("\r\n", "\n");
  result.replace('\r', '\n');
  return result;
}

}  // namespace murva
