#include <QPainter>
#include <algorithm>

#include "platform/wallpaper_installer.h"

namespace murva {

QImage JoinedDesktopPicture(const std::vector<MonitorWallpaper>& wallpapers) {
  // The desktop's rectangles are in its own units; the pictures are in
  // physical pixels: each rectangle is taken at its monitor's scale.
  int right = 0;
  int bottom = 0;
  int left = wallpapers.empty() ? 0 : INT32_MAX;
  int top = wallpapers.empty() ? 0 : INT32_MAX;
  const auto place = [](const MonitorWallpaper& wallpaper) {
    const Monitor& monitor = wallpaper.monitor;
    return QRect(static_cast<int>(monitor.desktop.x * monitor.scale),
                 static_cast<int>(monitor.desktop.y * monitor.scale), wallpaper.pixels.width(),
                 wallpaper.pixels.height());
  };
  for (const MonitorWallpaper& wallpaper : wallpapers) {
    const QRect area = place(wallpaper);
    left = std::min(left, area.left());
    top = std::min(top, area.top());
    right = std::max(right, area.left() + area.width());
    bottom = std::max(bottom, area.top() + area.height());
  }
  if (right <= left || bottom <= top) return {};
  QImage joined(right - left, bottom - top, QImage::Format_RGB32);
  joined.fill(Qt::black);
  QPainter painter(&joined);
  for (const MonitorWallpaper& wallpaper : wallpapers) {
    painter.drawImage(place(wallpaper).topLeft() - QPoint(left, top), wallpaper.pixels);
  }
  return joined;
}

bool WallpaperInstaller::InstallMonitors(const std::vector<MonitorWallpaper>& wallpapers,
                                         std::string& error) {
  if (wallpapers.empty()) {
    error = "no monitor to give a wallpaper";
    return false;
  }
  if (wallpapers.size() == 1) {
    return InstallPicture(wallpapers.front().file, wallpapers.front().pixels, error);
  }
  const QImage joined = JoinedDesktopPicture(wallpapers);
  const std::filesystem::path file =
      wallpapers.front().file.parent_path() / "MURVA00-desktop.png";
  if (!joined.save(QString::fromStdString(file.string()), "PNG")) {
    error = "the joined picture " + file.string() + " cannot be written";
    return false;
  }
  return InstallPicture(file, joined, error);
}

}  // namespace murva
