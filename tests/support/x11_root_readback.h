// Reading back what a wallpaper setter left on an X server's root window.
#pragma once

#include <QImage>
#include <string>
// Xlib after Qt: its macros clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace murva::testing {

inline unsigned long PixmapProperty(Display* display, Window root, const char* name) {
  const Atom atom = XInternAtom(display, name, True);
  if (atom == 0) return 0;
  Atom type;
  int format;
  unsigned long count, remaining;
  unsigned char* data = nullptr;
  unsigned long pixmap = 0;
  if (XGetWindowProperty(display, root, atom, 0, 1, False, XA_PIXMAP, &type, &format, &count,
                         &remaining, &data) == Success &&
      data && count == 1) {
    pixmap = *reinterpret_cast<unsigned long*>(data);
  }
  if (data) XFree(data);
  return pixmap;
}

// The pixmap properties and a few root pixels of a display.
struct RootSample {
  unsigned long root_pmap = 0;
  unsigned long esetroot_pmap = 0;
  bool ok = false;
  unsigned long pixel[4] = {};
};

// Reads the properties and the pixels at the given points.
inline RootSample SampleRoot(const std::string& display_name, const int (&points)[4][2]) {
  RootSample sample;
  Display* display = XOpenDisplay(display_name.c_str());
  if (!display) return sample;
  const Window root = DefaultRootWindow(display);
  sample.root_pmap = PixmapProperty(display, root, "_XROOTPMAP_ID");
  sample.esetroot_pmap = PixmapProperty(display, root, "ESETROOT_PMAP_ID");
  const int width = DisplayWidth(display, DefaultScreen(display));
  const int height = DisplayHeight(display, DefaultScreen(display));
  XImage* image = XGetImage(display, root, 0, 0, width, height, AllPlanes, ZPixmap);
  if (image) {
    for (int i = 0; i < 4; ++i) sample.pixel[i] = XGetPixel(image, points[i][0], points[i][1]);
    XDestroyImage(image);
    sample.ok = true;
  }
  XCloseDisplay(display);
  return sample;
}

}  // namespace murva::testing

namespace murva::testing {

// The whole root window as a picture (a 24-bit TrueColor server: 0xRRGGBB).
inline QImage RootPicture(const std::string& display_name) {
  Display* display = XOpenDisplay(display_name.c_str());
  if (!display) return {};
  const int screen = DefaultScreen(display);
  const int width = DisplayWidth(display, screen);
  const int height = DisplayHeight(display, screen);
  XImage* image = XGetImage(display, DefaultRootWindow(display), 0, 0, width, height, AllPlanes,
                            ZPixmap);
  QImage picture;
  if (image) {
    picture = QImage(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
      auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
      for (int x = 0; x < width; ++x) line[x] = 0xFF000000u | XGetPixel(image, x, y);
    }
    XDestroyImage(image);
  }
  XCloseDisplay(display);
  return picture;
}

}  // namespace murva::testing
