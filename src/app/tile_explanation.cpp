#include "app/tile_explanation.h"

namespace murva {
namespace {

constexpr const char* kIfTiled = "もし、タイル表示や拡大表示になるようなら";
constexpr const char* kCentre = "を [中央] にしてください";

// Where the desktop keeps the picture's position, as its own settings
// dialogs name it.
std::string Steps(DesktopKind desktop) {
  switch (desktop) {
    case DesktopKind::kGnome:
      return std::string(kIfTiled) +
             "「Tweaks」（gnome-tweaks）を開き [外観] → [背景] の [調整]" + kCentre +
             "（GNOME の「設定」→「背景」には表示位置の項目がありません。端末からは "
             "gsettings set org.gnome.desktop.background picture-options centered）";
    case DesktopKind::kCinnamon:
      return std::string(kIfTiled) +
             "「システム設定」→「背景」を開き [設定] タブの [画像のアスペクト比]" + kCentre;
    case DesktopKind::kMate:
      return std::string(kIfTiled) +
             "デスクトップを右クリックして「デスクトップの背景を変更」を開き [スタイル]" + kCentre;
    case DesktopKind::kXfce:
      return std::string(kIfTiled) +
             "デスクトップを右クリックして「デスクトップの設定」を開き [背景] タブの [スタイル]" +
             kCentre;
    case DesktopKind::kPlasma:
      return std::string(kIfTiled) +
             "デスクトップを右クリックして「デスクトップと壁紙を設定」を開き [配置]" + kCentre;
    case DesktopKind::kLxqt:
    case DesktopKind::kLxde:
      return std::string(kIfTiled) +
             "デスクトップを右クリックして「デスクトップの設定」を開き [壁紙モード]" + kCentre;
    case DesktopKind::kSway:
    case DesktopKind::kHyprland:
    case DesktopKind::kWlroots:
      // The installer itself asks these compositors to fill the screen.
      return "このデスクトップでは、ＭＵＲＶＡ３２が壁紙を画面いっぱいに拡大して表示させます"
             "（fill）。拡大させたくないときは、画面と同じ大きさの壁紙を使ってください";
    case DesktopKind::kX11Root:
      return "このデスクトップ（X11 のルートウィンドウ）では、小さな壁紙は画面の中央に原寸で"
             "表示されます";
    case DesktopKind::kUnknown:
      break;
  }
  return std::string(kIfTiled) + "デスクトップの壁紙の設定で表示位置" + kCentre;
}

}  // namespace

std::string TileOffExplanation(DesktopKind desktop) {
  return std::string(kTileOffFirstSentence) + Steps(desktop);
}

}  // namespace murva
