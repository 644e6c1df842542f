#include "app/wallpaper_canvas.h"

#include <QPainter>

#include "app/bmp_stream.h"
#include "imaging/large_image.h"
#include "settings/atomic_file.h"

namespace murva {

const QVector<QRgb>& HalftonePalette() {
  static const QVector<QRgb> palette = [] {
    QVector<QRgb> colors;
    // The twenty static colours of the system palette.
    const QRgb system[] = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),     qRgb(0, 128, 0),     qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128),   qRgb(0, 128, 128),   qRgb(192, 192, 192),
        qRgb(192, 220, 192), qRgb(166, 202, 240), qRgb(255, 251, 240), qRgb(160, 160, 164),
        qRgb(128, 128, 128), qRgb(255, 0, 0),     qRgb(0, 255, 0),     qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255),   qRgb(0, 255, 255),   qRgb(255, 255, 255)};
    for (const QRgb color : system) colors.push_back(color);
    for (int r = 0; r < 6; ++r) {
      for (int g = 0; g < 6; ++g) {
        for (int b = 0; b < 6; ++b) {
          const QRgb color = qRgb(r * 51, g * 51, b * 51);
          if (!colors.contains(color)) colors.push_back(color);
        }
      }
    }
    // Fill up with greys between the cube's steps.
    for (int level = 8; colors.size() < 256 && level < 256; level += 8) {
      const QRgb grey = qRgb(level, level, level);
      if (!colors.contains(grey)) colors.push_back(grey);
    }
    while (colors.size() < 256) colors.push_back(qRgb(0, 0, 0));
    return colors;
  }();
  return palette;
}

WallpaperCanvas CanvasOf(const QImage& picture) {
  WallpaperCanvas canvas;
  if (picture.format() == QImage::Format_Indexed8) canvas.palette = picture.colorTable();
  canvas.image = picture.convertToFormat(QImage::Format_RGB32);
  return canvas;
}

void ConvertToHalftone(WallpaperCanvas& canvas) {
  if (canvas.IsEmpty()) return;
  const QImage reduced = canvas.image.convertToFormat(
      QImage::Format_Indexed8, HalftonePalette(), Qt::OrderedDither | Qt::ColorOnly);
  canvas.image = reduced.convertToFormat(QImage::Format_RGB32);
  canvas.palette = HalftonePalette();
}

void TileBackground(WallpaperCanvas& canvas, ScreenSize screen, bool halftone) {
  if (canvas.IsEmpty() || screen.width <= 0 || screen.height <= 0) return;
  QImage tiled = NewLargeImage(screen.width, screen.height, QImage::Format_RGB32);
  tiled.fill(Qt::black);
  const int w = canvas.image.width();
  const int h = canvas.image.height();
  {
    QPainter painter(&tiled);
    for (int row = 0; row <= (screen.height - 1) / h; ++row) {
      for (int column = 0; column <= (screen.width - 1) / w; ++column) {
        painter.drawImage(column * w, row * h, canvas.image);
      }
    }
  }
  canvas.image = tiled;
  // The tiled canvas has the display's own format, or the halftone palette.
  if (halftone) {
    canvas.palette = HalftonePalette();
  } else {
    canvas.palette.clear();
  }
}

void FitBackground(WallpaperCanvas& canvas, ScreenSize screen, bool tile, bool halftone) {
  if (canvas.IsEmpty() || screen.width <= 0 || screen.height <= 0) return;
  const int w = canvas.image.width();
  const int h = canvas.image.height();
  if (w == screen.width && h == screen.height) return;
  if (tile && (w < screen.width || h < screen.height)) {
    TileBackground(canvas, screen, halftone);
    return;
  }
  // Cut (and, without tiling, centred): the picture's own pixels, so an
  // 8-bit picture keeps its palette.
  const int left = tile ? 0 : (w - screen.width) / 2;
  const int top = tile ? 0 : (h - screen.height) / 2;
  if (left >= 0 && top >= 0) {
    canvas.image = canvas.image.copy(left, top, screen.width, screen.height);
    return;
  }
  QImage fitted = NewLargeImage(screen.width, screen.height, QImage::Format_RGB32);
  fitted.fill(Qt::black);
  {
    QPainter painter(&fitted);
    painter.drawImage(-left, -top, canvas.image);
  }
  canvas.image = fitted;
}

QImage OutputPicture(const WallpaperCanvas& canvas) {
  if (canvas.IsEmpty() || canvas.palette.isEmpty()) return canvas.image;
  return canvas.image.convertToFormat(QImage::Format_Indexed8, canvas.palette,
                                      Qt::ThresholdDither | Qt::ColorOnly);
}

bool WriteBmpFile(const QImage& picture, const std::filesystem::path& path) {
  if (picture.isNull()) return false;
  return ReplaceFileAtomically(
      path, [&picture](const FileAppender& append) { return AppendBmpFile(picture, append); },
      FileDurability::kRenamedOnly);
}

bool WriteBmpFile(const WallpaperCanvas& canvas, const std::filesystem::path& path) {
  return WriteBmpFile(OutputPicture(canvas), path);
}

}  // namespace murva
