// The root window shows exactly the picture handed over in memory - centred
// on black, cut when larger than the screen - whatever the server's pixel
// format and whether the pixels travel through shared memory or requests.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <random>

#include "platform/x11_pixel_rows.h"
#include "platform/x11_root_installer.h"
#include "support/xvfb_server.h"

// Xlib after Qt: its macros clash with Qt's names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace murva {
namespace {

QImage NoisePicture(int width, int height, QImage::Format format, unsigned seed) {
  std::mt19937 random(seed);
  QImage picture(width, height, QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      picture.setPixel(x, y, qRgba(random() % 256, random() % 256, random() % 256,
                                   format == QImage::Format_ARGB32 ? random() % 256 : 255));
    }
  }
  if (format == QImage::Format_Indexed8) {
    return picture.convertToFormat(format, Qt::ThresholdDither | Qt::AvoidDither);
  }
  return picture.convertToFormat(format);
}

// A channel value placed into its mask as an X server keeps it: the top bits
// of the eight.
unsigned long Place(int value, unsigned long mask) {
  int shift = 0, bits = 0;
  while (mask != 0 && !((mask >> shift) & 1)) ++shift;
  while ((mask >> (shift + bits)) & 1) ++bits;
  return (static_cast<unsigned long>(value) >> (8 - bits)) << shift;
}

// Compares every pixel of the root window with the picture as it looked
// drawn centred onto a black screen.
void ExpectRootShows(const std::string& display_name, const QImage& picture) {
  Display* display = XOpenDisplay(display_name.c_str());
  ASSERT_NE(display, nullptr);
  const int screen = DefaultScreen(display);
  const int width = DisplayWidth(display, screen);
  const int height = DisplayHeight(display, screen);
  const Visual* visual = DefaultVisual(display, screen);
  QImage expected(width, height, QImage::Format_RGB32);
  expected.fill(Qt::black);
  {
    QPainter painter(&expected);
    painter.drawImage((width - picture.width()) / 2, (height - picture.height()) / 2, picture);
  }
  XImage* root = XGetImage(display, DefaultRootWindow(display), 0, 0, static_cast<unsigned>(width),
                           static_cast<unsigned>(height), AllPlanes, ZPixmap);
  ASSERT_NE(root, nullptr);
  int wrong = 0;
  for (int y = 0; y < height && wrong < 5; ++y) {
    for (int x = 0; x < width && wrong < 5; ++x) {
      const QRgb colour = expected.pixel(x, y);
      const unsigned long want = Place(qRed(colour), visual->red_mask) |
                                 Place(qGreen(colour), visual->green_mask) |
                                 Place(qBlue(colour), visual->blue_mask);
      const unsigned long got = XGetPixel(root, x, y);
      if (got != want) {
        ADD_FAILURE() << "pixel (" << x << ", " << y << "): " << std::hex << got << " instead of "
                      << want;
        ++wrong;
      }
    }
  }
  XDestroyImage(root);
  XCloseDisplay(display);
}

struct Server {
  const char* what;
  const char* geometry;
  std::vector<std::string> options;
  X11Transfer transfer;
};

TEST(X11RootUpload, RootWindowEqualsThePictureInEveryFormatAndSize) {
  const Server servers[] = {
      {"24 bits, shared memory", "320x240x24", {}, X11Transfer::kAutomatic},
      {"24 bits, no shared memory on the server", "320x240x24", {"-extension", "MIT-SHM"},
       X11Transfer::kAutomatic},
      {"24 bits, requests only", "320x240x24", {}, X11Transfer::kRequestsOnly},
      {"16 bits, shared memory", "320x240x16", {}, X11Transfer::kAutomatic},
      {"15 bits, requests only", "320x240x15", {}, X11Transfer::kRequestsOnly},
  };
  struct Picture {
    int width;
    int height;
    QImage::Format format;
  };
  const Picture pictures[] = {
      {101, 57, QImage::Format_RGB32},   // smaller than the screen, odd sizes
      {320, 240, QImage::Format_RGB32},  // the screen's size
      {401, 303, QImage::Format_RGB32},  // larger: cut on every side
      {500, 31, QImage::Format_RGB32},   // wider but lower
      {77, 45, QImage::Format_Indexed8},
      {64, 300, QImage::Format_ARGB32},  // drawn onto black
  };
  for (const Server& config : servers) {
    SCOPED_TRACE(config.what);
    testing::XvfbServer server(config.geometry, config.options);
    ASSERT_TRUE(server.Running()) << "Xvfb did not start";
    X11RootInstaller installer(server.Display(), config.transfer);
    unsigned seed = 1;
    for (const Picture& picture : pictures) {
      SCOPED_TRACE(::testing::Message() << picture.width << "x" << picture.height);
      const QImage pixels = NoisePicture(picture.width, picture.height, picture.format, seed++);
      std::string error;
      ASSERT_TRUE(installer.InstallPicture("MURVA00.BMP", pixels, error)) << error;
      ExpectRootShows(server.Display(), pixels);
    }
  }
}

// The row conversion gives, in every true-colour layout a server may use,
// the pixel values Xlib's own per-pixel store makes.
TEST(X11PixelRows, RowsMatchXlibsPixelStoreInEveryLayout) {
  struct Layout {
    int bits_per_pixel;
    int depth;
    bool msb;
    unsigned long red, green, blue;
  };
  const Layout layouts[] = {
      {32, 24, false, 0xFF0000, 0x00FF00, 0x0000FF}, {32, 24, true, 0xFF0000, 0x00FF00, 0x0000FF},
      {32, 24, false, 0x0000FF, 0x00FF00, 0xFF0000}, {24, 24, false, 0xFF0000, 0x00FF00, 0x0000FF},
      {24, 24, true, 0xFF0000, 0x00FF00, 0x0000FF},  {16, 16, false, 0xF800, 0x07E0, 0x001F},
      {16, 16, true, 0xF800, 0x07E0, 0x001F},        {16, 15, false, 0x7C00, 0x03E0, 0x001F},
      {8, 8, false, 0xE0, 0x1C, 0x03},
  };
  const QImage colours = NoisePicture(37, 1, QImage::Format_RGB32, 9);
  const auto* row = reinterpret_cast<const QRgb*>(colours.constScanLine(0));
  for (const Layout& l : layouts) {
    SCOPED_TRACE(::testing::Message() << l.bits_per_pixel << " bits, msb " << l.msb << ", red "
                                      << std::hex << l.red);
    X11PixelLayout layout;
    layout.bits_per_pixel = l.bits_per_pixel;
    layout.most_significant_first = l.msb;
    layout.red_mask = l.red;
    layout.green_mask = l.green;
    layout.blue_mask = l.blue;
    ASSERT_TRUE(layout.Supported());
    std::vector<std::uint8_t> converted(layout.RowBytes(colours.width()));
    ConvertX11Row(row, colours.width(), layout, converted.data());

    std::vector<char> reference(converted.size() + 8, 0);
    XImage image{};
    image.width = colours.width();
    image.height = 1;
    image.format = ZPixmap;
    image.data = reference.data();
    image.byte_order = l.msb ? MSBFirst : LSBFirst;
    image.bitmap_unit = 32;
    image.bitmap_bit_order = image.byte_order;
    image.bitmap_pad = 32;
    image.depth = l.depth;
    image.bits_per_pixel = l.bits_per_pixel;
    image.bytes_per_line = static_cast<int>(reference.size());
    image.red_mask = l.red;
    image.green_mask = l.green;
    image.blue_mask = l.blue;
    ASSERT_NE(XInitImage(&image), 0);
    for (int x = 0; x < colours.width(); ++x) {
      const QRgb colour = row[x];
      XPutPixel(&image, x, 0,
                Place(qRed(colour), l.red) | Place(qGreen(colour), l.green) |
                    Place(qBlue(colour), l.blue));
    }
    EXPECT_EQ(std::vector<std::uint8_t>(reference.begin(), reference.begin() + converted.size()),
              converted);
  }
}

TEST(X11PixelRows, OnlyKnownLayoutsAreSupported) {
  X11PixelLayout layout;
  EXPECT_TRUE(layout.Supported());
  layout.bits_per_pixel = 12;
  EXPECT_FALSE(layout.Supported());
  layout.bits_per_pixel = 16;  // masks of 24 bits do not fit 16
  EXPECT_FALSE(layout.Supported());
}

}  // namespace
}  // namespace murva
