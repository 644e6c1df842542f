// The messages of the settings procedures, as the user sees them.
#pragma once

#include <string>

namespace murva {

// The settings file is there but cannot be read as one: "ﾌｧｲﾙ <path> は開けません"
// and, on a line of its own, the reason.
inline std::string SettingsUnreadableMessage(const std::string& path, const std::string& reason) {
  return "ﾌｧｲﾙ " + path + " は開けません\r" + reason;
}

// A settings file of version 3.51 or earlier was found.
inline constexpr const char* kOldVersionWarning =
    "★警告★ 旧バージョン［Ver 3.51以前］の設定保存ファイル（MURVA32.INI）があります．このファイルは Ver 4とは互換性がありませんので削除またはリネームしてから 再度ＭＵＲＶＡ３２を起動してください．";

// The set switch chose the basic set. The notice and the caution are one
// message; the carriage return between them is the line break the message
// box shows.
inline constexpr const char* kBasicSetWarning =
    "★注意★ＭＵＲＶＡ３２の設定保存に「基本」部が選択されました．一度終了し、ＭＵＲＶＡ３２を再起動してください．次回から「基本」の設定が使用されるようになります．"
    "\r"
    "★警告★ 「基本」「拡張」を切り替えた時は必ず一度終了し、再起動してからお使いください．そうしないと「基本」「拡張」の設定が混在した状態で保存されることがあります．もし、このままＭＵＲＶＡ３２の使用を継続するのであればボタンを元の状態に戻してください。";

// The set switch chose the extended set.
inline constexpr const char* kExtendedSetWarning =
    "★注意★ＭＵＲＶＡ３２の設定保存に「拡張」部が選択されました．一度終了し、ＭＵＲＶＡ３２を再起動してください．次回から「拡張」の設定が使用されるようになります．"
    "\r"
    "★警告★ 「基本」「拡張」を切り替えた時は必ず一度終了し、再起動してからお使いください．そうしないと「基本」「拡張」の設定が混在した状態で保存されることがあります．もし、このままＭＵＲＶＡ３２の使用を継続するのであればボタンを元の状態に戻してください。";

}  // namespace murva
