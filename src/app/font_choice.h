// Fonts between the settings and a font dialog. A setting keeps the font
// name users know ("ＭＳ ゴシック"), a size in points and the style bits; the
// dialog and the sample panels work with the installed family it maps to.
#pragma once

#include <QFont>
#include <string>

#include "settings/working_copy.h"

namespace murva {

// The font a font dialog starts from: the font the wallpaper is drawn with
// (the stored name mapped to an installed font, as fontconfig resolves it,
// under the family name the font list shows), the size in points, bold,
// italic, underline and strike-out. Needs a QGuiApplication.
QFont DialogFontOf(const FontSetting& font);

// Whether a font the dialog returned is the one it started from: family,
// whole points and style bits alike. Such an answer changes nothing.
bool SameDialogFont(const QFont& chosen, const QFont& initial);

// What a font chosen in the dialog is stored as: the name as the settings
// know it, the size in whole points (from the pixel size at 96 dots per inch
// when the font has no point size) within the sizes the settings allow, and
// the style bits. A QFont carries no colour, so a colour never gets in.
FontSetting FontSettingOf(const QFont& chosen);

// The font a sample panel shows: the setting as the wallpaper draws it.
QFont SampleFontOf(const FontSetting& font);

// The style bits of a font, and a font with the style bits applied.
int StyleBitsOf(const QFont& font);
void ApplyStyleBits(QFont& font, int style);

}  // namespace murva
