#include "app/background_file.h"

#include "app/messages.h"
#include "app/wallpaper_build.h"
#include "imaging/graphic_errors.h"

namespace murva {

std::string BackgroundErrorText(const std::string& reader_message,
                                const std::filesystem::path& path) {
  return reader_message + "\r" + path.string();
}

WallpaperCanvas LoadBackgroundFile(const std::filesystem::path& path, int color_256) {
  try {
    return LoadWallpaperBackground(path, color_256);
  } catch (const EInvalidGraphic& error) {
    throw EInvalidGraphic(BackgroundErrorText(error.what(), path));
  }
}

std::string MissingWallpaperText(const std::string& path, int page) {
  std::string message = std::string(text::kMissingWallpaperBefore) + path +
                        text::kMissingWallpaperAfter;
  if (path.empty()) {
    // "壁紙 １" as the page's tab calls it (full-width digit).
    const std::string digits[] = {"１", "２", "３", "４", "５", "６", "７", "８"};
    const std::string tab =
        page >= 1 && page <= 8 ? "壁紙 " + digits[page - 1] : std::string("壁紙");
    message += "\r「" + tab + "」には壁紙のファイルが設定されていません．「壁紙(R)」ボタンで選んでください．";
  }
  return message;
}

}  // namespace murva
