#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/wallpaper_installer.h"

namespace murva {
namespace {

// A desktop coordinate in physical pixels, rounded the same way on both
// sides of zero so that neighbouring monitors keep touching.
int Physical(int coordinate, double scale) {
  return static_cast<int>(std::floor(coordinate * scale + 0.5));
}

}  // namespace

QRect MonitorPictureArea(const MonitorWallpaper& wallpaper) {
  // The desktop's rectangles are in its own units; the pictures are in
  // physical pixels: each place is taken at its monitor's scale.
  const Monitor& monitor = wallpaper.monitor;
  const double scale = monitor.scale > 0 ? monitor.scale : 1.0;
  return QRect(Physical(monitor.desktop.x, scale), Physical(monitor.desktop.y, scale),
               wallpaper.pixels.width(), wallpaper.pixels.height());
}

QImage JoinedDesktopPicture(const std::vector<MonitorWallpaper>& wallpapers) {
  QRect whole;
  for (const MonitorWallpaper& wallpaper : wallpapers) {
    const QRect area = MonitorPictureArea(wallpaper);
    if (!area.isEmpty()) whole = whole.isNull() ? area : whole.united(area);
  }
  if (whole.isEmpty()) return {};
  QImage joined(whole.size(), QImage::Format_RGB32);
  joined.fill(Qt::black);
  QPainter painter(&joined);
  for (const MonitorWallpaper& wallpaper : wallpapers) {
    painter.drawImage(MonitorPictureArea(wallpaper).topLeft() - whole.topLeft(), wallpaper.pixels);
  }
  return joined;
}

SharedPicture OnePictureForAll(const std::vector<MonitorWallpaper>& wallpapers) {
  if (wallpapers.size() == 1) return {wallpapers.front(), false};
  SharedPicture shared;
  shared.picture.monitor.name = "desktop";
  shared.picture.pixels = JoinedDesktopPicture(wallpapers);
  shared.spanned = true;
  return shared;
}

std::vector<std::string> WallpaperOutputs(const std::vector<MonitorWallpaper>& wallpapers,
                                          const std::string& every, std::string& error) {
  if (wallpapers.empty()) {
    error = "no monitor to give a wallpaper";
    return {};
  }
  if (wallpapers.size() == 1 && wallpapers.front().monitor.name.empty()) return {every};
  std::vector<std::string> outputs;
  for (const MonitorWallpaper& wallpaper : wallpapers) {
    if (wallpaper.monitor.name.empty()) {
      error = "a monitor without a connector name cannot be given a wallpaper of its own";
      return {};
    }
    outputs.push_back(wallpaper.monitor.name);
  }
  return outputs;
}

std::string MonitorFileLabel(const Monitor& monitor) {
  std::string label = monitor.name;
  for (char& c : label) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_' || c == '.';
    if (!plain) c = '_';
  }
  return label;
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
