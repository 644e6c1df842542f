// Small test pictures for the wallpaper installers.
#pragma once

#include <QImage>
#include <QString>
#include <filesystem>

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

}  // namespace murva::testing
