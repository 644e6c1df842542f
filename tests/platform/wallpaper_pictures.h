// Small test pictures for the wallpaper installers.
#pragma once

#include <QImage>
#include <QPainter>
#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/wallpaper_installer.h"

namespace murva::testing {

// Red on the left half, blue on the right.
inline QImage Stripes(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.setPixel(x, y, x < width / 2 ? qRgb(200, 30, 40) : qRgb(10, 120, 250));
    }
  }
  return image;
}

// Writes the stripes as a BMP file (creating its folder); returns the path.
inline std::filesystem::path WriteStripes(const std::filesystem::path& path, int width, int height) {
  std::filesystem::create_directories(path.parent_path());
  Stripes(width, height).save(QString::fromStdString(path.string()), "BMP");
  return path;
}

// A monitor's wallpaper for the installers: its picture (the size given,
// `left` on the left half and `right` on the right) at its place.
inline MonitorWallpaper MonitorPicture(const std::string& name, int x, int y, int width,
                                       int height, QRgb left, QRgb right, double scale = 1.0) {
  MonitorWallpaper wallpaper;
  wallpaper.monitor.name = name;
  wallpaper.monitor.desktop = {x, y, static_cast<int>(width / scale),
                               static_cast<int>(height / scale)};
  wallpaper.monitor.pixel_width = width;
  wallpaper.monitor.pixel_height = height;
  wallpaper.monitor.scale = scale;
  wallpaper.pixels = QImage(width, height, QImage::Format_RGB32);
  wallpaper.pixels.fill(left);
  QPainter(&wallpaper.pixels).fillRect(width / 2, 0, width - width / 2, height, right);
  return wallpaper;
}

// Two monitors of different sizes side by side: DP-1 (1920x1080, red and
// blue, primary) and HDMI-A-1 (1280x1024 at 1920,0, green and yellow).
inline std::vector<MonitorWallpaper> TwoMonitors() {
  std::vector<MonitorWallpaper> monitors = {
      MonitorPicture("DP-1", 0, 0, 1920, 1080, qRgb(200, 30, 40), qRgb(10, 120, 250)),
      MonitorPicture("HDMI-A-1", 1920, 0, 1280, 1024, qRgb(20, 160, 60), qRgb(230, 210, 20))};
  monitors[0].monitor.primary = true;
  return monitors;
}

// Whether the picture shows the wallpaper's left and right colours at the
// wallpaper's place (the corners of its area, a pixel inside).
inline bool ShowsAt(const QImage& picture, const MonitorWallpaper& wallpaper, QPoint place) {
  const QRgb left = wallpaper.pixels.pixel(0, 0);
  const QRgb right = wallpaper.pixels.pixel(wallpaper.pixels.width() - 1, 0);
  const QPoint last = place + QPoint(wallpaper.pixels.width() - 2, wallpaper.pixels.height() - 2);
  return picture.rect().contains(last) && picture.pixel(place + QPoint(1, 1)) == left &&
         picture.pixel(place.x() + 1, last.y()) == left &&
         picture.pixel(last.x(), place.y() + 1) == right && picture.pixel(last) == right;
}

// The copy in the folder whose name carries the label ("DP-1"), or nothing.
inline std::filesystem::path CopyLabelled(const std::filesystem::path& folder,
                                          const std::string& label) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (name.size() > label.size() + 5 &&
        name.compare(name.size() - label.size() - 5, std::string::npos, "-" + label + ".png") == 0) {
      return entry.path();
    }
  }
  return {};
}

}  // namespace murva::testing
