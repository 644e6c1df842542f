#include "app/messages.h"

namespace murva::text {

std::string TitleHelpText() {
  const std::array<const char*, 7> lines = {
      "■タイトルのフォント色について■",
      "タイトルのフォント色は中間パネルにある『題名(H)』ボタンをクリックして開く『色の設定』ダイアログで選択します",
      "■置き換え文字マクロの一覧■",
      "$yyyy = 「年」４桁の半角、$yy = 「年」２桁の半角、$mm = 「月」２桁の半角、$dd = 「日」２桁の半角、",
      "$YYYY = 「年」４桁の全角、$YY = 「年」２桁の全角、$MM = 「月」２桁の全角、$DD = 「日」２桁の全角、",
      "$WW = 漢字の「曜日」、$$ww = 英字の「曜日」、$WD = 全角の「週末（土）までの日数」、$wd = 半角の「週末（土）までの日数」",
      "$os = Windowsの種別（Windows95,Windows98,WindowsNT,Windows2000,WindowsXP）を半角で表示"};
  std::string help;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) help += '\r';
    if (i == 2) help += '\r';  // an empty line after the second line
    help += lines[i];
  }
  return help;
}

}  // namespace murva::text
