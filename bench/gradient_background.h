// A smooth blue-to-orange background picture for benchmarks, saved in the
// given format (as Qt names it: "BMP", "PNG", "JPEG" …).
#pragma once

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <filesystem>

namespace murva::bench {

inline std::filesystem::path SaveGradientBackground(const std::filesystem::path& path, int width,
                                                    int height, const char* format) {
  QImage image(width, height, QImage::Format_RGB32);
  QPainter painter(&image);
  QLinearGradient gradient(0, 0, width, height);
  gradient.setColorAt(0, QColor(20, 40, 90));
  gradient.setColorAt(1, QColor(200, 120, 60));
  painter.fillRect(image.rect(), gradient);
  painter.end();
  image.save(QString::fromStdString(path.string()), format);
  return path;
}

}  // namespace murva::bench
