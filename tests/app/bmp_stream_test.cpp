// The streamed BMP file is, byte for byte, the file the image library's BMP
// writer makes of the same picture.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <random>

#include "app/bmp_stream.h"
#include "app/wallpaper_canvas.h"
#include "support/temp_folder.h"

namespace murva {
namespace {

QImage Noise(int width, int height, QImage::Format format, int colours = 256) {
  std::mt19937 random(static_cast<unsigned>(width * 31 + height));
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      picture.setPixel(x, y, qRgb(random() % 256, random() % 256, random() % 256));
    }
  }
  if (format != QImage::Format_Indexed8) return picture.convertToFormat(format);
  QList<QRgb> table;
  for (int i = 0; i < colours; ++i) table.push_back(qRgb(i * 7 % 256, i * 13 % 256, i));
  return picture.convertToFormat(format, table, Qt::ThresholdDither);
}

std::string LibraryBytes(const QImage& picture) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(picture.save(&buffer, "BMP"));
  return bytes.toStdString();
}

std::string StreamedBytes(const QImage& picture) {
  std::string bytes;
  EXPECT_TRUE(AppendBmpFile(picture, [&bytes](std::string_view piece) {
    bytes.append(piece);
    return true;
  }));
  return bytes;
}

TEST(BmpStream, EveryPictureIsWrittenAsTheLibraryWritesIt) {
  struct Case {
    int width, height;
    QImage::Format format;
    int colours;
    int dots_per_metre;  // 0: as made
  };
  const Case cases[] = {
      {1, 1, QImage::Format_RGB32, 0, 0},      {5, 3, QImage::Format_RGB32, 0, 3780},
      {6, 2, QImage::Format_RGB32, 0, 0},      {7, 7, QImage::Format_RGB32, 0, 11811},
      {1031, 3, QImage::Format_RGB32, 0, 0},   {9, 4, QImage::Format_ARGB32, 0, 0},
      {13, 5, QImage::Format_Indexed8, 256, 0}, {13, 5, QImage::Format_Indexed8, 12, 0},
      {4, 2, QImage::Format_Mono, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " format " << c.format
                                      << ", " << c.colours << " colours");
    QImage picture = Noise(c.width, c.height, c.format, c.colours);
    if (c.dots_per_metre) {
      picture.setDotsPerMeterX(c.dots_per_metre);
      picture.setDotsPerMeterY(c.dots_per_metre / 2);
    }
    EXPECT_EQ(StreamedBytes(picture), LibraryBytes(picture));
  }
}

TEST(BmpStream, AFailedPieceFailsTheWholeFile) {
  int pieces = 0;
  EXPECT_FALSE(AppendBmpFile(Noise(600, 600, QImage::Format_RGB32), [&pieces](std::string_view) {
    return ++pieces < 1;
  }));
  EXPECT_FALSE(AppendBmpFile(QImage(), [](std::string_view) { return true; }));
}

TEST(BmpStream, TheFileOfACanvasIsItsOutputPicture) {
  testing::TempFolder folder;
  WallpaperCanvas canvas;
  canvas.image = Noise(37, 11, QImage::Format_RGB32);
  canvas.palette = HalftonePalette();
  const auto path = folder / "MURVA00.BMP";
  ASSERT_TRUE(WriteBmpFile(canvas, path));
  EXPECT_EQ(testing::ReadBytes(path), LibraryBytes(OutputPicture(canvas)));
  EXPECT_EQ(OutputPicture(canvas).format(), QImage::Format_Indexed8);
  canvas.palette.clear();
  EXPECT_EQ(OutputPicture(canvas), canvas.image);
}

}  // namespace
}  // namespace murva
