#include "app/messages.h"

namespace murva::text {

std::string SettingsMissingText(const std::string& folder) {
  return std::string("設定ファイル（MURVA32.INI）が見つかりません") + "\r" + "探した場所：" + folder +
         "\r" + "でも、今回が初めての使用であれば問題ありません．";
}

std::string TitleHelpText() {
  const std::array<const char*, 7> lines = {
      "■タイトルのフォント色について■",
      "タイトルのフォント色は中間パネルにある『題名(H)』ボタンをクリックして開く『色を選択』ダイアログで選択します",
      "■置き換え文字マクロの一覧■",
      "$yyyy = 「年」４桁の半角、$yy = 「年」２桁の半角、$mm = 「月」２桁の半角、$dd = 「日」２桁の半角、",
      "$YYYY = 「年」４桁の全角、$YY = 「年」２桁の全角、$MM = 「月」２桁の全角、$DD = 「日」２桁の全角、",
      "$WW = 漢字の「曜日」、$$ww = 英字の「曜日」、$WD = 全角の「週末（土）までの日数」、$wd = 半角の「週末（土）までの日数」",
      "$os = OSの名前と版（「Linux 6.1.0-18-amd64」のようにカーネルが名乗るもの）を半角で表示"};
  std::string help;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) help += '\r';
    if (i == 2) help += '\r';  // an empty line after the second line
    help += lines[i];
  }
  return help;
}

}  // namespace murva::text
