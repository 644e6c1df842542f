// Line breaking for texts shown in a box of fixed width, with the breaks a
// Japanese reader expects: Japanese has no spaces between words, and the
// general rules would break anywhere between two kana ("ありませ" / "ん").
// Here a line may end only where a phrase ends: after a space or a closing
// mark (、。，．」』）] …), before an opening mark, where kana give way to a
// kanji, katakana or Latin word, or after a "/" of a path. A phrase wider
// than the box is the only thing broken between any two characters.
#pragma once

#include <QFontMetrics>
#include <QString>
#include <QStringList>

namespace murva {

// The lines of `text` in `width` pixels of the font of `metrics`; the line
// breaks in the text are kept, spaces at the ends of lines are dropped.
QStringList WrapText(const QString& text, const QFontMetrics& metrics, int width);

}  // namespace murva
