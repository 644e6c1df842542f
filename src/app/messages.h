// The program's own texts: captions, status lines and messages of the run
// cycle and the build, exactly as the user knows them.
#pragma once

#include <array>
#include <string>

#include "settings/working_copy.h"

namespace murva::text {

inline constexpr const char* kAlreadyRunning = "ＭＵＲＶＡ３２は既に起動しています";
inline constexpr const char* kVersion = "Ver 4.21";
inline constexpr const char* kApplicationTitle = "MURVA32";
// Why an automatic run made no wallpaper (a line on standard error; the
// message boxes and notices say the details).
inline constexpr const char* kRunBuiltNothing =
    "壁紙を作成できませんでした（背景画像がありません） / no wallpaper was made: the background picture is missing";
inline constexpr const char* kNoDisplayForPanel =
    "画面がないためコントロールパネルを開けません / no display to open the control panel on "
    "(DISPLAY and WAYLAND_DISPLAY are not set); murva32 --render FILE makes a picture without one";
inline constexpr const char* kNoSettingsForRun =
    "設定ファイル（MURVA32.INI）がないため壁紙を作成できません．探した場所："
    "\r(no settings file MURVA32.INI, so no wallpaper was made; looked in:)";
inline constexpr const char* kHowToMakeSettings =
    "コントロールパネル（引数なしの murva32）で壁紙の背景などを設定してから、もう一度実行してください．"
    "\r(start the control panel, murva32 without arguments, to make the settings, then run again)";
inline constexpr const char* kRunWithoutSettings =
    "設定ファイル（MURVA32.INI）がありません / no settings file (MURVA32.INI): nothing was built";
inline constexpr const char* kWrittenNotSet =
    "壁紙は書きましたが設定していません / the wallpaper was written but not set: ";
inline constexpr const char* kRunCancelled = "壁紙の作成を中止しました / the build was cancelled";
inline const std::string kRunInstalledNothing =
    std::string("壁紙を設定できませんでした / the wallpaper was made but not set: ");
// The first-use message: the settings file was looked for in `folder` and
// is not there.
std::string SettingsMissingText(const std::string& folder);

// Run-cycle status lines (LabelInfo) and captions.
inline constexpr const char* kSkipping = "カレンダの作成をスキップします";
inline constexpr const char* kStartingBuild = "カレンダを作成開始します";
inline constexpr const char* kWaiting = "ただいま待機中です";
inline constexpr const char* kCaptionBuildNow = "MURVA32    作成開始  壁紙：";
inline constexpr const char* kCaptionWaiting = "MURVA32    待機中：";
inline constexpr const char* kCaptionSeconds = " (秒)   壁紙：";
inline constexpr const char* kCaptionStarting = "MURVA32    カレンダを作成開始";
inline constexpr const char* kCaptionTestRun = "MURVA32   テスト動作スタート";
inline constexpr const char* kNoRandomPage =
    "ランダムに選べる壁紙がありません．「壁紙１」～「壁紙８」のどれかに壁紙ファイルを設定してください．";

// Mode captions and selector texts, by page-choice mode.
inline constexpr std::array<const char*, 4> kModeCaptions = {
    "MURVA32  mode BASIC", "MURVA32  mode WEEK", "MURVA32  mode RANDOM",
    "MURVA32  mode NewRANDOM"};
inline constexpr std::array<const char*, 4> kModeSelectorItems = {
    "壁紙１（基本）のみ使用", "曜日と連動で壁紙変更", "起動毎にランダム変更", "初回起動のみランダム"};

// The close button and the shrunk window.
inline constexpr const char* kCloseCaption = "×";
inline constexpr const char* kCloseHint = "終了する（ＥＳＣ）";
inline constexpr const char* kRestoreCaption = "▼";
inline constexpr const char* kRestoreHint = "復帰する（ＥＳＣ）";

// The build.
inline constexpr const char* kMissingWallpaperBefore = "指定された壁紙 [ ";
inline constexpr const char* kMissingWallpaperAfter = " ] がありません";
inline constexpr const char* kSpecialProgramError =
    "ＭＵＲＶＡ３２：特別日登録プログラムの起動エラー : ";
inline constexpr const char* kTileOn = "画面サイズより小さな壁紙は強制的にタイルパターン表示にされます";
inline constexpr const char* kTileOff =
    "画面サイズより小さな壁紙でもタイルパターン表示にしません。もし、タイル表示になるようならデスクトップを右クリックして「画面のプロパティ」を開き [背景] → [壁紙] の項目で表示位置を [中央] にしてください";
inline constexpr const char* kMakeOnlyOn =
    "★特殊動作です★ カレンダ用画像ファイルを生成しますが、壁紙の変更をおこないません．壁紙変更を他のプログラムにさせる時に利用します";
inline constexpr const char* kMakeOnlyOff =
    "★通常動作です★ ＭＵＲＶＡ３２本来の動作をします．カレンダの作成と壁紙の架け替えをおこないます．";

// The help of the title tab's "説明" button.
std::string TitleHelpText();

// The title of the colour dialog the page's colour buttons open; the help
// above names it.
inline constexpr const char* kColorDialogTitle = "色を選択";

}  // namespace murva::text
