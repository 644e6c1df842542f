// The program's own BMP reader and the other built-in picture classes.

#include "imaging/bitmap.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <sstream>

#include "imaging/graphic_errors.h"
#include "imaging/platform_graphics.h"
#include "imaging/test_support.h"

namespace murva {
namespace {

using test::BmpFile;
using test::Pixels;

QImage Gradient(int width, int height, QImage::Format format = QImage::Format_RGB888) {
  QImage image(width, height, format);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x * 20, y * 30, (x + y) * 5));
  }
  return image;
}

TEST(PlainBitmapReader, ReadsA24BitBmpImage) {
  QImage source = Gradient(7, 5);
  std::vector<std::uint8_t> file = BmpFile(source);
  TBitmap bitmap;
  bitmap.LoadFromStream(std::span<const std::uint8_t>(file));
  EXPECT_EQ(bitmap.Width(), 7);
  EXPECT_EQ(bitmap.Height(), 5);
  EXPECT_EQ(Pixels(bitmap.Image()), Pixels(source));
}

TEST(PlainBitmapReader, ReadsFromAnIstreamFromItsStart) {
  QImage source = Gradient(3, 3);
  std::vector<std::uint8_t> file = BmpFile(source);
  std::stringstream stream(std::string(file.begin(), file.end()));
  stream.seekg(10);
  TBitmap bitmap;
  bitmap.LoadFromStream(stream);
  EXPECT_EQ(Pixels(bitmap.Image()), Pixels(source));
}

TEST(PlainBitmapReader, ReadsAnIndexedBmpWithItsPalette) {
  QImage source(4, 2, QImage::Format_Indexed8);
  source.setColorTable({qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(1, 2, 3)});
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) source.setPixel(x, y, (x + y) % 3);
  }
  std::vector<std::uint8_t> file = BmpFile(source);
  TBitmap bitmap;
  bitmap.LoadFromStream(std::span<const std::uint8_t>(file));
  EXPECT_EQ(bitmap.Image().format(), QImage::Format_Indexed8);
  EXPECT_EQ(Pixels(bitmap.Image()), Pixels(source));
}

TEST(PlainBitmapReader, RefusesWhatIsNotABmpImage) {
  TBitmap bitmap;
  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 0};
  try {
    bitmap.LoadFromStream(std::span<const std::uint8_t>(png));
    FAIL() << "no error";
  } catch (const EInvalidGraphic& error) {
    EXPECT_STREQ(error.what(), kInvalidBitmapMessage);
  }
  std::vector<std::uint8_t> empty;
  EXPECT_THROW(bitmap.LoadFromStream(std::span<const std::uint8_t>(empty)), EInvalidGraphic);
}

TEST(PlainBitmapReader, RefusesATruncatedFileAndKeepsItsPicture) {
  QImage source = Gradient(40, 30);
  std::vector<std::uint8_t> file = BmpFile(source);
  TBitmap bitmap;
  bitmap.LoadFromStream(std::span<const std::uint8_t>(file));
  for (std::size_t keep :
       {file.size() - 1, file.size() / 2, std::size_t{60}, std::size_t{20}, std::size_t{2}}) {
    std::vector<std::uint8_t> cut(file.begin(), file.begin() + static_cast<long>(keep));
    EXPECT_THROW(bitmap.LoadFromStream(std::span<const std::uint8_t>(cut)), EInvalidGraphic)
        << keep;
  }
  EXPECT_EQ(Pixels(bitmap.Image()), Pixels(source));
}

TEST(PlainBitmapReader, RefusesAbsurdDimensions) {
  std::vector<std::uint8_t> file = BmpFile(Gradient(2, 2));
  // width 100000 x height 100000 in a file of a few bytes
  file[18] = 0xA0;
  file[19] = 0x86;
  file[20] = 0x01;
  file[21] = 0x00;
  file[22] = 0xA0;
  file[23] = 0x86;
  file[24] = 0x01;
  file[25] = 0x00;
  TBitmap bitmap;
  EXPECT_THROW(bitmap.LoadFromStream(std::span<const std::uint8_t>(file)), EInvalidGraphic);
}

TEST(PlainBitmapReader, PixelsBeyondTheColourTableGetBlack) {
  // An 8-bit picture of 4 x 1 with a colour table of two entries whose
  // pixels use indices 0, 1, 5 and 3.
  std::vector<std::uint8_t> file = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,
                                    40, 0, 0, 0, 4, 0, 0, 0, 1, 0, 0, 0, 1, 0, 8, 0,
                                    0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                    2, 0, 0, 0, 0, 0, 0, 0,
                                    30, 20, 10, 0, 60, 50, 40, 0,
                                    0, 1, 5, 3};
  TBitmap bitmap;
  bitmap.LoadFromStream(std::span<const std::uint8_t>(file));
  const QImage& image = bitmap.Image();
  ASSERT_EQ(image.format(), QImage::Format_Indexed8);
  EXPECT_GE(image.colorCount(), 6);
  EXPECT_EQ(image.pixel(0, 0), qRgb(10, 20, 30));
  EXPECT_EQ(image.pixel(1, 0), qRgb(40, 50, 60));
  EXPECT_EQ(image.pixel(2, 0), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(3, 0), qRgb(0, 0, 0));

  // A palette given later is lengthened the same way.
  bitmap.SetPalette({qRgb(1, 2, 3)});
  EXPECT_EQ(bitmap.Image().pixel(2, 0), qRgb(0, 0, 0));
  EXPECT_EQ(bitmap.Image().pixel(0, 0), qRgb(1, 2, 3));
}

TEST(PlainBitmapReader, ReadsAFileAndReportsOneThatCannotBeOpened) {
  test::TempDir dir;
  QImage source = Gradient(5, 4);
  test::WriteFile(dir / "a.bmp", BmpFile(source));
  TBitmap bitmap;
  bitmap.LoadFromFile((dir / "a.bmp").string());
  EXPECT_EQ(Pixels(bitmap.Image()), Pixels(source));
  EXPECT_THROW(bitmap.LoadFromFile((dir / "absent.bmp").string()), EFOpenError);
  EXPECT_THROW(bitmap.LoadFromFile(dir.Path().string()), EFOpenError);
}

TEST(PlainBitmapReader, AssignCopiesThePicture) {
  std::vector<std::uint8_t> file = BmpFile(Gradient(3, 2));
  TBitmap source;
  source.LoadFromStream(std::span<const std::uint8_t>(file));
  TBitmap copy;
  copy.Assign(source);
  EXPECT_EQ(Pixels(copy.Image()), Pixels(source.Image()));
}

TEST(BuiltInPictureClasses, MetafilesCannotBeReadHere) {
  TMetafile metafile;
  std::vector<std::uint8_t> data = {1, 2, 3};
  try {
    metafile.LoadFromStream(std::span<const std::uint8_t>(data));
    FAIL() << "no error";
  } catch (const EInvalidGraphic& error) {
    EXPECT_STREQ(error.what(), "認識できない画像形式です");
  }
}

TEST(BuiltInPictureClasses, IconsAreReadByTheImageLibrary) {
  QImage source = Gradient(16, 16, QImage::Format_ARGB32);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!source.save(&buffer, "ICO")) GTEST_SKIP() << "no icon writer in this Qt";
  std::vector<std::uint8_t> file(bytes.begin(), bytes.end());
  TIcon icon;
  icon.LoadFromStream(std::span<const std::uint8_t>(file));
  EXPECT_EQ(icon.Width(), 16);
  std::vector<std::uint8_t> junk = {0, 0, 9, 9};
  EXPECT_THROW(icon.LoadFromStream(std::span<const std::uint8_t>(junk)), EInvalidGraphic);
}

}  // namespace
}  // namespace murva
