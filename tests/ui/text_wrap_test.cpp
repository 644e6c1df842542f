// Lines of the preview's explanations end where a Japanese phrase ends.
#include "ui/text_wrap.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>

namespace murva {
namespace {

TEST(TextWrap, LinesEndAtTheEndsOfPhrases) {
  const QFontMetrics metrics(QFont("IPAGothic", 10));
  const QString em = QString::fromUtf8("あ");
  const struct {
    const char* text;
    int width_in_characters;
    std::vector<const char*> lines;
  } cases[] = {
      // "ありません" stays one word: the line breaks after the bracket.
      {"指定された壁紙 [  ] がありません", 12, {"指定された壁紙 [  ]", "がありません"}},
      {"指定された壁紙 [  ] がありません", 6, {"指定された", "壁紙 [  ]", "がありません"}},
      // Kana give way to a kanji word; closing marks stay on their line.
      {"「壁紙 １」には壁紙のファイルが設定されていません．", 10,
       {"「壁紙 １」には", "壁紙のファイルが", "設定されていません．"}},
      // The line breaks of the text are kept.
      {"一行目\r二行目", 20, {"一行目", "二行目"}},
      // A phrase longer than the line goes by characters.
      {"/home/user/とても長いフォルダの名前ですよ/back.png", 8,
       {"/home/user/", "とても長い", "フォルダの", "名前ですよ/", "back.png"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const int width = metrics.horizontalAdvance(em) * c.width_in_characters;
    const QStringList lines = WrapText(QString::fromUtf8(c.text), metrics, width);
    QStringList expected;
    for (const char* line : c.lines) expected << QString::fromUtf8(line);
    EXPECT_EQ(lines, expected) << lines.join('|').toStdString();
    for (const QString& line : lines) EXPECT_LE(metrics.horizontalAdvance(line), width);
  }
}

}  // namespace
}  // namespace murva
