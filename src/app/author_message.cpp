#include "app/author_message.h"

namespace murva {
namespace {

const std::string kEmpty;

}  // namespace

const std::array<std::string, kMessagePageCount>& AuthorMessage::PageTexts() {
  static const std::array<std::string, kMessagePageCount> texts = {
      // 1: a short travel sketch.
      "春の終わりに、各駅停車で海辺の町へ行きました。駅前の食堂の壁に、予定がびっしり"
      "書きこまれたカレンダーが一枚。「これを見ないと一日が始まらなくてね」と店のおばあさん。"
      "毎日目に入る場所に今日がある。それだけで、暮らしは少し軽くなるようです。",
      // 2: greeting.
      "こんにちは。MURVA32 を使っていただき、ありがとうございます。お気に入りの写真や絵の上に"
      "カレンダーと予定を描いて、デスクトップの壁紙にするプログラムです。パソコンを開くたびに、"
      "今月と今日の予定がそっと目に入る。そんな道具を目指しています。",
      // 3: the story of the program.
      "もとは Windows のデスクトップで長く使われてきた壁紙カレンダーです。その設定ファイルと"
      "予定ファイルをそのまま読めるように、Linux 版を一から作りました。MURVA32.INI と "
      "MURVA32.SCH をコピーするだけで、同じ壁紙ができあがります。",
      // 4: thanks to its users.
      "毎日の予定をこまめに書きこむ方、休日の一覧を自分の職場に合わせる方、季節ごとに壁紙の"
      "写真を選び直す方。使う人それぞれの工夫が、このプログラムを育ててきました。"
      "本当にありがとうございます。",
      // 5: its strong points.
      "得意なこと：八枚の壁紙を曜日や乱数で切り替える／ライン形・ボックス形・バイオリズムなど"
      "八つのカレンダの形／祝日と振替休日、春分・秋分の自動計算／六曜と二十四節気／"
      "ログオン時の自動作成。どれも設定画面から選べます。",
      // 6: farewell.
      "最後まで読んでいただき、ありがとうございました。あなたのデスクトップに、毎日ちょうど"
      "いい「今日」が届きますように。右下のボタンでは、ちょっとした使いこなしを紹介して"
      "います。それでは、また。",
  };
  return texts;
}

const std::array<std::string, kMessagePageCount>& AuthorMessage::SpeechLines() {
  static const std::array<std::string, kMessagePageCount> lines = {
      "クリックしてください",
      "Hello!（こんにちは）",
      "Bonjour!（やあ、こんにちは）",
      "Danke!（ありがとう）",
      "¡Hola!（やあ）",
      "Ciao!（またね）",
  };
  return lines;
}

const std::string& AuthorMessage::ButtonMessage() {
  static const std::string text =
      "■ちょっとした使いこなし■\r"
      "・「作成」ボタンを右クリックすると、自動作成と同じ流れをその場で試せます．\r"
      "・外部の予定ファイルを「自分＋外部を併用する」で重ねて表示できます．\r"
      "・「便利な設定」の「ログオン時に自動作成する」で、毎朝の壁紙づくりをおまかせにできます．\r"
      "・スクリプトからは murva32 -E で、画面を出さずに一回だけ作成して終了します．";
  return text;
}

void AuthorMessage::Activate() { counter_ = 1; }

AuthorMessage::ClickResult AuthorMessage::Click() {
  if (counter_ >= 1 && counter_ < kMessagePageCount) {
    if (counter_ == 1) talk_width_ = kWideTalkWidth;
    ++counter_;
    if (counter_ == kMessagePageCount) button_visible_ = true;
    return ClickResult::kNextPage;
  }
  if (counter_ == kMessagePageCount) return ClickResult::kClose;
  return ClickResult::kNothing;
}

void AuthorMessage::Close() {
  counter_ = 0;
  button_visible_ = false;
}

const std::string& AuthorMessage::PageText() const {
  return Open() ? PageTexts()[static_cast<std::size_t>(counter_ - 1)] : kEmpty;
}

const std::string& AuthorMessage::Speech() const {
  return Open() ? SpeechLines()[static_cast<std::size_t>(counter_ - 1)] : kEmpty;
}

}  // namespace murva
