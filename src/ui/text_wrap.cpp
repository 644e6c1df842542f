#include "ui/text_wrap.h"

#include <vector>

namespace murva {
namespace {

bool IsHiragana(QChar c) { return c.unicode() >= 0x3041 && c.unicode() <= 0x309F; }

bool ClosesPhrase(QChar c) {
  // Latin full stops and commas end a phrase only with the space after them.
  static const QString kClosing = QString::fromUtf8("、。，．・：；！？」』）］｝〕〉》】])");
  return c.isSpace() || c == '/' || kClosing.contains(c);
}

bool OpensPhrase(QChar c) {
  static const QString kOpening = QString::fromUtf8("「『（［｛〔〈《【[(");
  return kOpening.contains(c);
}

// Marks that must not begin a line: small kana, the long vowel mark, the
// iteration marks and the closing marks.
bool MayNotBeginLine(QChar c) {
  static const QString kNoStart =
      QString::fromUtf8("ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶーゝゞヽヾ々");
  return kNoStart.contains(c) || (ClosesPhrase(c) && !c.isSpace());
}

// Whether a line may end between text[i - 1] and text[i].
bool BreakBefore(const QString& text, qsizetype i) {
  const QChar before = text[i - 1];
  const QChar after = text[i];
  if (MayNotBeginLine(after)) return false;
  if (ClosesPhrase(before) || OpensPhrase(after)) return true;
  // Kana end a phrase where a word in another script begins.
  return IsHiragana(before) && !IsHiragana(after) && !after.isSpace();
}

// The pieces of one paragraph that must stay together.
std::vector<QString> Phrases(const QString& paragraph) {
  std::vector<QString> phrases;
  qsizetype start = 0;
  for (qsizetype i = 1; i < paragraph.size(); ++i) {
    if (BreakBefore(paragraph, i)) {
      phrases.push_back(paragraph.mid(start, i - start));
      start = i;
    }
  }
  if (start < paragraph.size()) phrases.push_back(paragraph.mid(start));
  return phrases;
}

}  // namespace

QStringList WrapText(const QString& text, const QFontMetrics& metrics, int width) {
  QStringList lines;
  QString normalised = text;
  normalised.replace("\r\n", "\n");
  normalised.replace('\r', '\n');
  for (const QString& paragraph : normalised.split('\n')) {
    QString line;
    const auto flush = [&lines, &line] {
      lines << line.trimmed();
      line.clear();
    };
    for (const QString& phrase : Phrases(paragraph)) {
      if (metrics.horizontalAdvance((line + phrase).trimmed()) <= width) {
        line += phrase;
        continue;
      }
      if (!line.trimmed().isEmpty()) flush();
      // A phrase wider than the whole box goes by characters.
      for (qsizetype i = 0; i < phrase.size(); ++i) {
        // A character outside the basic plane is two QChars.
        const qsizetype length = phrase[i].isHighSurrogate() && i + 1 < phrase.size() ? 2 : 1;
        const QString character = phrase.mid(i, length);
        i += length - 1;
        if (!line.isEmpty() && metrics.horizontalAdvance(line + character) > width) flush();
        if (line.isEmpty() && character[0].isSpace()) continue;
        line += character;
      }
    }
    flush();
  }
  return lines;
}

}  // namespace murva
