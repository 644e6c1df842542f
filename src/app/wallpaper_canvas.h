// The wallpaper canvas during a build: a picture to draw on, and the palette
// it is written with when the output keeps 256 colours.
#pragma once

#include <QImage>
#include <QVector>
#include <filesystem>

#include "app/run_view.h"

namespace murva {

struct WallpaperCanvas {
  QImage image;              // always 32-bit while drawing
  QVector<QRgb> palette;     // empty: written with 24 bits per pixel

  bool IsEmpty() const { return image.isNull(); }
  void Clear() {
    image = QImage();
    palette.clear();
  }
};

// The 256 colours of the halftone palette: the 6x6x6 colour cube, the
// twenty system colours and greys.
const QVector<QRgb>& HalftonePalette();

// Puts a picture on the canvas as it comes: an 8-bit picture keeps its
// palette for the output, everything else is drawn on in 32 bits.
WallpaperCanvas CanvasOf(const QImage& picture);

// Reduces the canvas to the halftone palette (ordered dither); the output is
// then written with 8 bits per pixel.
void ConvertToHalftone(WallpaperCanvas& canvas);

// Replaces the canvas by a screen-sized picture filled with whole tiles of it,
// top to bottom, left to right; tiles at the right and bottom are cut. A
// halftone canvas stays halftone; otherwise the tiled canvas has 24 bits.
void TileBackground(WallpaperCanvas& canvas, ScreenSize screen, bool halftone);

// Makes the canvas exactly screen-sized, as the desktop will show it 1:1:
// tiled from the top left when tiling is on (a larger picture is cut at the
// right and bottom), else centred on black (a larger picture is cut equally
// on both sides). A canvas of the screen's size stays as it is; a cut or
// centred picture keeps its palette.
void FitBackground(WallpaperCanvas& canvas, ScreenSize screen, bool tile, bool halftone);

// The picture the output file holds: the canvas itself, or, when the output
// keeps a palette, the canvas reduced to it (drawn colours take the nearest
// colour of the palette).
QImage OutputPicture(const WallpaperCanvas& canvas);

// Writes the picture as an uncompressed BMP file in one pass, replacing the
// old file atomically. The file is not flushed to disk: it is rebuilt by the
// next build. Returns false when the file cannot be written.
bool WriteBmpFile(const QImage& picture, const std::filesystem::path& path);
// The same for the output picture of the canvas.
bool WriteBmpFile(const WallpaperCanvas& canvas, const std::filesystem::path& path);

}  // namespace murva
